#pragma once

#include "content/Records.h"

#include <QStringList>

// The two fixed lookups from a body part or a therapeutic application to its asanas.
namespace modYogasana {

const std::vector<LookupRow> &BodyPartTable();
const std::vector<LookupRow> &TherapeuticApplicationTable();

// The row of a table with that key (exact, case-sensitive); null for a key in no row.
const LookupRow *FindLookupRow(const std::vector<LookupRow> &table, const QString &key);

// The asanas of the last lookup of each table.
const std::vector<AsanaIndex> &BodyPartHits();
const std::vector<AsanaIndex> &TherapeuticApplicationHits();

// Looks the key up (exact, case-sensitive), replaces that table's hit list and returns the
// Sanskrit names of the hits in order; a key in no row gives an empty list.
QStringList ListAsanasByBodyPart(const QString &bodyPart);
QStringList ListAsanasByTherapeuticApplication(const QString &application);

// The entries of the three drop-down lists, in their order.
QStringList AsanaNames();
QStringList BodyParts();
QStringList TherapeuticApplications();

} // namespace modYogasana

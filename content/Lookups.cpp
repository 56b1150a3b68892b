#include "content/Lookups.h"

#include "content/AsanaCatalogue.h"
#include "content/ContentModel.h"

#include <algorithm>

namespace modYogasana {

const std::vector<LookupRow> &BodyPartTable() { return Content().bodyParts(); }
const std::vector<LookupRow> &TherapeuticApplicationTable() { return Content().therapeuticApplications(); }

namespace {

std::vector<AsanaIndex> &bodyPartHits()
{
    static std::vector<AsanaIndex> hits;
    return hits;
}

std::vector<AsanaIndex> &applicationHits()
{
    static std::vector<AsanaIndex> hits;
    return hits;
}

QStringList listAsanas(const std::vector<LookupRow> &table, std::vector<AsanaIndex> &hits, const QString &key)
{
    LoadSanskritNames();
    const LookupRow *row = FindLookupRow(table, key);
    hits = row ? row->asanas : std::vector<AsanaIndex>();
    QStringList names;
    for (AsanaIndex hit : hits)
        names << Catalogue().SanskritName.at(size_t(hit));
    return names;
}

QStringList keysOf(const std::vector<LookupRow> &table)
{
    QStringList keys;
    for (const LookupRow &row : table)
        keys << row.key;
    return keys;
}

} // namespace

const LookupRow *FindLookupRow(const std::vector<LookupRow> &table, const QString &key)
{
    const auto row = std::find_if(table.cbegin(), table.cend(), [&key](const LookupRow &r) { return r.key == key; });
    return row == table.cend() ? nullptr : &*row;
}

const std::vector<AsanaIndex> &BodyPartHits() { return bodyPartHits(); }
const std::vector<AsanaIndex> &TherapeuticApplicationHits() { return applicationHits(); }

QStringList ListAsanasByBodyPart(const QString &bodyPart)
{
    return listAsanas(BodyPartTable(), bodyPartHits(), bodyPart);
}

QStringList ListAsanasByTherapeuticApplication(const QString &application)
{
    return listAsanas(TherapeuticApplicationTable(), applicationHits(), application);
}

QStringList AsanaNames()
{
    QStringList names;
    for (const AsanaRecord &record : Content().asanas())
        names << record.SanskritName;
    return names;
}

QStringList BodyParts() { return keysOf(BodyPartTable()); }
QStringList TherapeuticApplications() { return keysOf(TherapeuticApplicationTable()); }

} // namespace modYogasana

#pragma once

#include "content/Records.h"

#include <array>

// The fixed table of the 32 asanas, alphabetical by Sanskrit name, over the content model; the
// catalogue columns are refreshed from it before each page.
namespace modYogasana {

// One slot more than there are asanas: the search stops one short of the last slot.
inline constexpr int CatalogueSlots = 33;

using Column = std::array<QString, CatalogueSlots>;

struct AsanaCatalogue {
    Column SanskritName;
    Column EnglishName;
    Column Description;
    Column Procedure;
    Column Benefits;
    Column Contraindications;
};

// The module's catalogue, alive for the whole process.
AsanaCatalogue &Catalogue();

// Writes all six fields of rows 0..31, column by column.
void LoadAsanaCatalogue();
// Writes only the names, which the lookups need before any page was shown.
void LoadSanskritNames();

// Exact, case-sensitive search of slots 0..31; the empty name never matches.
std::optional<AsanaIndex> FindAsana(const QString &name);

// One row of the catalogue as it stands (slots 0..32; above that a range error is thrown).
AsanaRecord Row(AsanaIndex index);

// "01 Anjali Mudra.jpg": the image-list key of an asana's picture.
QString PictureKey(AsanaIndex index);

} // namespace modYogasana

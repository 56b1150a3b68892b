#include "content/AsanaCatalogue.h"

#include "content/ContentModel.h"

namespace modYogasana {

AsanaCatalogue &Catalogue()
{
    static AsanaCatalogue catalogue;
    return catalogue;
}

void LoadSanskritNames()
{
    AsanaCatalogue &catalogue = Catalogue();
    const QList<AsanaRecord> &asanas = Content().asanas();
    for (qsizetype i = 0; i < asanas.size() && i < AsanaCount; ++i)
        catalogue.SanskritName[size_t(i)] = asanas.at(i).SanskritName;
}

void LoadAsanaCatalogue()
{
    AsanaCatalogue &catalogue = Catalogue();
    const QList<AsanaRecord> &asanas = Content().asanas();
    // Column by column, in field order; the strings are shared, not copied.
    Column AsanaCatalogue::*const columns[] = {&AsanaCatalogue::SanskritName, &AsanaCatalogue::EnglishName,
                                               &AsanaCatalogue::Description,  &AsanaCatalogue::Procedure,
                                               &AsanaCatalogue::Benefits,     &AsanaCatalogue::Contraindications};
    QString AsanaRecord::*const fields[] = {&AsanaRecord::SanskritName, &AsanaRecord::EnglishName,
                                            &AsanaRecord::Description,  &AsanaRecord::Procedure,
                                            &AsanaRecord::Benefits,     &AsanaRecord::Contraindications};
    for (int c = 0; c < 6; ++c)
        for (qsizetype i = 0; i < asanas.size() && i < AsanaCount; ++i)
            (catalogue.*columns[c])[size_t(i)] = asanas.at(i).*fields[c];
}

std::optional<AsanaIndex> FindAsana(const QString &name)
{
    const Column &names = Catalogue().SanskritName;
    const int limit = int(names.size()) - 2; // upper bound 32, search limit 31
    for (int i = 0; i <= limit; ++i)
        if (names[size_t(i)] == name)
            return i;
    return std::nullopt;
}

AsanaRecord Row(AsanaIndex index)
{
    const AsanaCatalogue &c = Catalogue();
    const size_t i = size_t(index);
    return {c.SanskritName.at(i), c.EnglishName.at(i), c.Description.at(i),
            c.Procedure.at(i),    c.Benefits.at(i),    c.Contraindications.at(i)};
}

QString PictureKey(AsanaIndex index)
{
    return QStringLiteral("%1 %2.jpg")
        .arg(index + 1, 2, 10, QLatin1Char('0'))
        .arg(Content().asanas().value(index).SanskritName);
}

} // namespace modYogasana

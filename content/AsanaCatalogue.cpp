#include "content/AsanaCatalogue.h"

#include <QDir>
#include <QFile>

namespace modYogasana {

AsanaCatalogue &Catalogue()
{
    static AsanaCatalogue catalogue;
    return catalogue;
}

std::optional<AsanaRecord> ParseAsanaText(const QString &text, QString *error)
{
    auto fail = [error](const QString &why) -> std::optional<AsanaRecord> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    AsanaRecord record;
    QString *section = nullptr;
    QStringList lines;
    bool seen[4] = {};
    auto flush = [&] {
        if (section)
            *section = lines.join(QStringLiteral("\r\n"));
        lines.clear();
    };
    const QStringList sourceLines = text.split(u'\n');
    for (QString line : sourceLines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith(u'[')) {
            flush();
            static const QString names[] = {QStringLiteral("[Description]"), QStringLiteral("[Procedure]"),
                                            QStringLiteral("[Benefits]"), QStringLiteral("[Contraindications]")};
            QString *fields[] = {&record.Description, &record.Procedure, &record.Benefits,
                                 &record.Contraindications};
            section = nullptr;
            for (int i = 0; i < 4; ++i) {
                if (line == names[i]) {
                    section = fields[i];
                    seen[i] = true;
                }
            }
            if (!section)
                return fail(QStringLiteral("unknown section ") + line);
            continue;
        }
        if (section) {
            lines << line;
        } else if (line.startsWith(QLatin1String("Sanskrit: "))) {
            record.SanskritName = line.mid(10);
        } else if (line.startsWith(QLatin1String("English: "))) {
            record.EnglishName = line.mid(9);
        } else {
            return fail(QStringLiteral("text outside a section: ") + line);
        }
    }
    flush();
    if (record.SanskritName.isEmpty() || record.EnglishName.isEmpty())
        return fail(QStringLiteral("missing Sanskrit or English name"));
    for (bool present : seen)
        if (!present)
            return fail(QStringLiteral("missing section in ") + record.SanskritName);
    return record;
}

const std::array<AsanaRecord, AsanaCount> &AsanaTexts()
{
    static const std::array<AsanaRecord, AsanaCount> texts = [] {
        std::array<AsanaRecord, AsanaCount> parsed;
        const QDir folder(QStringLiteral(":/asanas"));
        const QStringList files = folder.entryList(QDir::Files, QDir::Name);
        for (int i = 0; i < AsanaCount && i < files.size(); ++i) {
            QFile file(folder.filePath(files.at(i)));
            if (file.open(QIODevice::ReadOnly))
                parsed[size_t(i)] = ParseAsanaText(QString::fromUtf8(file.readAll())).value_or(AsanaRecord{});
        }
        return parsed;
    }();
    return texts;
}

void LoadSanskritNames()
{
    AsanaCatalogue &catalogue = Catalogue();
    const auto &texts = AsanaTexts();
    for (int i = 0; i < AsanaCount; ++i)
        catalogue.SanskritName[size_t(i)] = texts[size_t(i)].SanskritName;
}

void LoadAsanaCatalogue()
{
    AsanaCatalogue &catalogue = Catalogue();
    const auto &texts = AsanaTexts();
    // Column by column, in field order; the strings are shared, not copied.
    Column AsanaCatalogue::*columns[] = {&AsanaCatalogue::SanskritName, &AsanaCatalogue::EnglishName,
                                         &AsanaCatalogue::Description, &AsanaCatalogue::Procedure,
                                         &AsanaCatalogue::Benefits, &AsanaCatalogue::Contraindications};
    QString AsanaRecord::*fields[] = {&AsanaRecord::SanskritName, &AsanaRecord::EnglishName,
                                      &AsanaRecord::Description, &AsanaRecord::Procedure,
                                      &AsanaRecord::Benefits, &AsanaRecord::Contraindications};
    for (int c = 0; c < 6; ++c)
        for (int i = 0; i < AsanaCount; ++i)
            (catalogue.*columns[c])[size_t(i)] = texts[size_t(i)].*fields[c];
}

std::optional<AsanaIndex> FindAsana(const QString &name)
{
    const Column &names = Catalogue().SanskritName;
    const int limit = int(names.size()) - 2;  // upper bound 32, search limit 31
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
    return QStringLiteral("%1 %2.jpg").arg(index + 1, 2, 10, QLatin1Char('0')).arg(AsanaTexts().at(size_t(index)).SanskritName);
}

} // namespace modYogasana

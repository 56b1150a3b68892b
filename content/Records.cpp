#include "content/Records.h"

#include <QStringList>
#include <QStringTokenizer>

namespace modYogasana {

std::optional<AsanaRecord> ParseAsanaText(const QString &text, QString *error)
{
    auto fail = [error](const QString &why) -> std::optional<AsanaRecord> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    static const QString names[] = {QStringLiteral("[Description]"), QStringLiteral("[Procedure]"),
                                    QStringLiteral("[Benefits]"), QStringLiteral("[Contraindications]")};
    AsanaRecord record;
    QString *const fields[] = {&record.Description, &record.Procedure, &record.Benefits, &record.Contraindications};
    QString *section = nullptr;
    QString joined; // the current section's lines so far, joined by CR LF
    bool seen[4] = {};
    auto flush = [&] {
        if (section)
            *section = joined;
        joined.clear();
    };
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith(u'[')) {
            flush();
            section = nullptr;
            for (int i = 0; i < 4; ++i) {
                if (line == names[i]) {
                    section = fields[i];
                    seen[i] = true;
                }
            }
            if (!section)
                return fail(QStringLiteral("unknown section ") + line.toString());
            continue;
        }
        if (section) {
            if (!joined.isEmpty())
                joined += QLatin1String("\r\n");
            joined += line;
        } else if (line.startsWith(QLatin1String("Sanskrit: "))) {
            record.SanskritName = line.mid(10).toString();
        } else if (line.startsWith(QLatin1String("English: "))) {
            record.EnglishName = line.mid(9).toString();
        } else {
            return fail(QStringLiteral("text outside a section: ") + line.toString());
        }
    }
    flush();
    if (record.SanskritName.isEmpty() || record.EnglishName.isEmpty())
        return fail(QStringLiteral("missing Sanskrit or English name"));
    for (int i = 0; i < 4; ++i)
        if (!seen[i])
            return fail(QStringLiteral("missing section ") + names[i]);
    return record;
}

} // namespace modYogasana

std::optional<TopicPage> ParseTopicPage(const QString &button, const QString &text, QString *error)
{
    TopicPage page{button, {}};
    const QStringList lines = text.split(u'\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines[n];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        static const QString kinds = QStringLiteral("PIHL");
        const qsizetype kind = kinds.indexOf(line.at(0));
        const bool wellFormed = line.size() >= 5 && kind >= 0 && line.at(1) >= u'0' && line.at(1) <= u'2' &&
                                line.mid(2, 3) == QLatin1String(" | ");
        if (!wellFormed) {
            if (error)
                *error = QStringLiteral("%1 line %2: expected 'P2 | text'").arg(button).arg(n + 1);
            return std::nullopt;
        }
        page.blocks.append({TopicBlock::Kind(kind), line.mid(5), line.at(1).digitValue()});
    }
    return page;
}

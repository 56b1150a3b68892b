#include "pages/TopicPage.h"

#include <QFile>
#include <QHash>

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
        const bool wellFormed = line.size() >= 5 && kind >= 0 && line.at(1) >= u'0' && line.at(1) <= u'2'
            && line.mid(2, 3) == QLatin1String(" | ");
        if (!wellFormed) {
            if (error)
                *error = QStringLiteral("%1 line %2: expected 'P2 | text'").arg(button).arg(n + 1);
            return std::nullopt;
        }
        page.blocks.append({TopicBlock::Kind(kind), line.mid(5), line.at(1).digitValue()});
    }
    return page;
}

const TopicPage &TopicPageFor(const QString &button)
{
    static QHash<QString, TopicPage> pages;
    auto found = pages.constFind(button);
    if (found == pages.cend()) {
        QFile file(QStringLiteral(":/topics/%1.txt").arg(button));
        std::optional<TopicPage> parsed;
        if (file.open(QIODevice::ReadOnly))
            parsed = ParseTopicPage(button, QString::fromUtf8(file.readAll()));
        found = pages.insert(button, parsed.value_or(TopicPage{button, {}}));
    }
    return *found;
}

QString ShownCaption(const QString &caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&') {
            if (i + 1 < caption.size() && caption.at(i + 1) == u'&')
                ++i;
            else
                continue;
        }
        shown += caption.at(i);
    }
    return shown;
}

void BuildTopicPage(RichPage &page, const QString &caption, const TopicPage &topic)
{
    const QString crlf = CrLf();
    page.ClearPage();
    page.SetBold(true);
    page.SetColor(5);
    page.SetFontSize(14);
    page.SetAlignment(2);
    page.AppendText(ShownCaption(caption) + crlf + crlf);
    page.SetAlignment(0);
    page.SetBold(false);
    page.SetColor(0);

    for (const TopicBlock &block : topic.blocks) {
        const QString text = block.text + crlf.repeated(block.breaks);
        switch (block.kind) {
        case TopicBlock::Kind::Paragraph:
        case TopicBlock::Kind::Item:
            page.AppendText(text);
            break;
        case TopicBlock::Kind::Heading:
            // The colour stays green for what follows, until a label sets another.
            page.SetBold(true);
            page.SetColor(2);
            page.SetUnderline(true);
            page.AppendText(block.text + crlf + crlf);
            page.SetUnderline(false);
            page.SetBold(false);
            break;
        case TopicBlock::Kind::Label:
            page.SetBold(true);
            page.SetColor(5);
            page.AppendText(text);
            page.SetBold(false);
            break;
        }
    }
}

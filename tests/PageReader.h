#pragma once

#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

// Reads a page back the way a reader sees it: paragraphs with their alignment, runs with their
// attributes. Paragraphs are joined with "\r\n" as the page was written.
struct Run {
    QString text;
    bool bold = false;
    bool underline = false;
    bool italic = false;
    QColor colour;
    double size = 0;
    Qt::Alignment alignment;
};

inline QList<Run> runsOf(const QTextDocument *document)
{
    QList<Run> runs;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const Qt::Alignment alignment = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            runs.append({fragment.text(), format.fontWeight() >= QFont::Bold, format.fontUnderline(),
                         format.fontItalic(), format.foreground().color(), format.fontPointSize(), alignment});
        }
    }
    return runs;
}

inline QString pageText(const QTextDocument *document)
{
    return document->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

// The first line of a page: its title.
inline QString pageTitle(const QTextDocument *document)
{
    return pageText(document).section(QStringLiteral("\r\n"), 0, 0);
}

// Alignment of each paragraph, top to bottom.
inline QList<Qt::Alignment> alignmentsOf(const QTextDocument *document)
{
    QList<Qt::Alignment> result;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        result.append(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask);
    return result;
}

inline const Run *runContaining(const QList<Run> &runs, const QString &text)
{
    for (const Run &run : runs)
        if (run.text.contains(text))
            return &run;
    return nullptr;
}

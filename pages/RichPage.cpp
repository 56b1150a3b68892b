#include "pages/RichPage.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

#include <array>

QColor QBColor(int number)
{
    static constexpr std::array<QRgb, 16> palette = {
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255)};
    return QColor(palette.at(size_t(qBound(0, number, 15))));
}

static Qt::Alignment toQt(int alignment)
{
    switch (alignment) {
    case PageAlignment::Right:
        return Qt::AlignRight;
    case PageAlignment::Centre:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

RichPage::RichPage(QTextEdit *box) : m_box(box) {}

void RichPage::ClearPage()
{
    m_box->setPlainText(QString());
    // A new page starts from plain text, whatever the last one left set.
    m_style = TextStyle{};
}

void RichPage::keepViewAtTop()
{
    // Text goes in at the end of the page, and a caret standing there is pushed along with it.
    // Once the reader's caret is back at the top, later appends leave it there.
    const QTextCursor view = m_box->textCursor();
    if (view.position() != 0 || view.hasSelection())
        m_box->setTextCursor(QTextCursor(m_box->document()));
}

void RichPage::SetBold(bool on) { m_style.bold = on; }
void RichPage::SetUnderline(bool on) { m_style.underline = on; }
void RichPage::SetFontSize(int points) { m_style.size = points; }

void RichPage::SetColor(int number)
{
    if (number >= 0 && number <= 15)
        m_style.color = number;
}

void RichPage::SetAlignment(int alignment)
{
    m_style.alignment = alignment;
    QTextCursor cursor(m_box->document());
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat format;
    format.setAlignment(toQt(alignment));
    cursor.mergeBlockFormat(format);
}

void RichPage::AppendText(const QString &text)
{
    QTextCharFormat format;
    format.setFontWeight(m_style.bold ? QFont::Bold : QFont::Normal);
    format.setFontUnderline(m_style.underline);
    format.setFontItalic(false);
    format.setFontStrikeOut(false);
    format.setForeground(QBColor(m_style.color));
    format.setFontPointSize(m_style.size);

    QTextCursor cursor(m_box->document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    const QStringList paragraphs = text.split(CrLf());
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        // A new paragraph takes the alignment of the one it is split from.
        if (i > 0)
            cursor.insertBlock(cursor.blockFormat(), format);
        if (!paragraphs[i].isEmpty())
            cursor.insertText(paragraphs[i], format);
    }
    cursor.endEditBlock();
    keepViewAtTop();
}

void WritePageTitle(RichPage &page, const QString &title)
{
    page.SetBold(true);
    page.SetColor(PageColour::Magenta);
    page.SetFontSize(14);
    page.SetAlignment(PageAlignment::Centre);
    page.AppendText(title + CrLf() + CrLf());
    page.SetAlignment(PageAlignment::Left);
    page.SetBold(false);
    page.SetColor(PageColour::Black);
}

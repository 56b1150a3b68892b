#pragma once

#include <QColor>
#include <QString>

class QTextEdit;

// The colours of the QBColor palette that the pages use.
namespace PageColour {
inline constexpr int Black = 0;
inline constexpr int Green = 2;
inline constexpr int Magenta = 5;
} // namespace PageColour

// Paragraph alignments as SetAlignment takes them.
namespace PageAlignment {
inline constexpr int Left = 0;
inline constexpr int Right = 1;
inline constexpr int Centre = 2;
} // namespace PageAlignment

// The current attributes that appended text receives.
struct TextStyle {
    bool bold = false;
    bool underline = false;
    int color = 0;     // QBColor number 0..15
    int size = 9;      // points
    int alignment = 0; // 0 left, 1 right, 2 centred
};

// The 16 colours of the classic QBColor palette.
QColor QBColor(int number);

// The page of the display window: cleared, then written only by changing the current style and
// appending text at the end. Every CR LF in appended text ends a paragraph.
class RichPage final {
public:
    explicit RichPage(QTextEdit *box);

    void ClearPage();
    void SetBold(bool on);
    void SetUnderline(bool on);
    void SetColor(int number);
    void SetFontSize(int points);
    void SetAlignment(int alignment);
    void AppendText(const QString &text);

private:
    void keepViewAtTop();

    QTextEdit *m_box;
    TextStyle m_style;
};

// The line break of every page text.
inline QString CrLf() { return QStringLiteral("\r\n"); }

// Writes a page's title as every page starts: centred, bold, magenta, 14 points,
// then a blank line; what follows is plain black text, left aligned.
void WritePageTitle(RichPage &page, const QString &title);

#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QLabel>

class QPushButton;

// A label that acts like a web link: a pointing hand over it, a click anywhere in it.
class LinkLabel final : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString &name, const QString &text, QWidget *parent);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// The small pieces every window is built from: fonts, colours and named controls placed in twips.
namespace Controls {

QFont makeFont(const QString &family, double points, bool bold = false, bool underline = false);

void setTextColour(QWidget *widget, const QColor &colour);
// Fills the widget with a colour; an invalid colour means the window colour of the palette.
void setBackground(QWidget *widget, const QColor &colour);

// A plain region or panel with a background colour.
QWidget *box(const QString &name, const QColor &background, QWidget *parent);

// A transparent label in a text colour, placed in twips.
QLabel *label(const QString &name, const QString &text, const QFont &font, const QColor &colour, QWidget *parent,
              const QRect &twips, bool wrap);

// A link label placed in twips.
LinkLabel *link(const QString &name, const QString &text, const QFont &font, const QColor &colour, QWidget *parent,
                const QRect &twips);

// A button drawn in its own background colour.
QPushButton *colouredButton(const QString &name, const QString &caption, const QColor &background, QWidget *parent);

// The text a caption shows: "&" marks an access key and disappears, "&&" shows one ampersand.
QString ShownCaption(const QString &caption);

// Places a window in the middle of the primary screen's free area.
void centreOnScreen(QWidget *window);

// The program's icon for its windows.
QIcon programIcon();

} // namespace Controls

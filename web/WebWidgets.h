#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QLabel>

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

// Small helpers the windows share.
namespace WebWidgets {

QFont makeFont(const QString &family, double points, bool bold = false, bool underline = false);

// A transparent label in a text colour, placed in twips.
QLabel *label(const QString &name, const QString &text, const QFont &font, const QColor &colour, QWidget *parent,
              const QRect &twips, bool wrap);

// A link label placed in twips.
LinkLabel *link(const QString &name, const QString &text, const QFont &font, const QColor &colour, QWidget *parent,
                const QRect &twips);

void setTextColour(QWidget *widget, const QColor &colour);
void setBackground(QWidget *widget, const QColor &colour);

// Places a window in the middle of the primary screen's free area.
void centreOnScreen(QWidget *window);

// The program's icon for its windows.
QIcon programIcon();

} // namespace WebWidgets

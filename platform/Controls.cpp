#include "platform/Controls.h"

#include "platform/ButtonStyle.h"
#include "platform/RawPicture.h"
#include "platform/Twips.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

LinkLabel::LinkLabel(const QString &name, const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(text);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}

namespace Controls {

QFont makeFont(const QString &family, double points, bool bold, bool underline)
{
    QFont result(family);
    result.setPointSizeF(points);
    result.setBold(bold);
    result.setUnderline(underline);
    return result;
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void setBackground(QWidget *widget, const QColor &colour)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour.isValid() ? colour : palette.color(QPalette::Base));
    widget->setPalette(palette);
}

QWidget *box(const QString &name, const QColor &background, QWidget *parent)
{
    auto *result = new QWidget(parent);
    result->setObjectName(name);
    setBackground(result, background);
    return result;
}

static void dress(QLabel *target, const QFont &font, const QColor &colour, const QRect &twips, bool wrap)
{
    target->setFont(font);
    target->setWordWrap(wrap);
    setTextColour(target, colour);
    Twips::attach(target, twips);
}

QLabel *label(const QString &name, const QString &text, const QFont &font, const QColor &colour, QWidget *parent,
              const QRect &twips, bool wrap)
{
    auto *result = new QLabel(text, parent);
    result->setObjectName(name);
    dress(result, font, colour, twips, wrap);
    return result;
}

LinkLabel *link(const QString &name, const QString &text, const QFont &font, const QColor &colour, QWidget *parent,
                const QRect &twips)
{
    auto *result = new LinkLabel(name, text, parent);
    dress(result, font, colour, twips, false);
    return result;
}

QPushButton *colouredButton(const QString &name, const QString &caption, const QColor &background, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(ShownCaption(caption));
    button->setFont(makeFont(QStringLiteral("Verdana"), 8.25));
    // Drawn by the style in the button's own colour; palettes keep start-up free of style sheets.
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, background);
    button->setPalette(palette);
    button->setStyle(sharedBevelStyle());
    return button;
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

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

QIcon programIcon()
{
    // The windows' 32-pixel icon; the larger sizes are for the desktop's launcher. The build keeps
    // it decoded (content/CMakeLists.txt); otherwise it is read as PNG without probing, which would
    // load every image-format plug-in.
    return QIcon(QPixmap::fromImage(RawPicture::read(QStringLiteral(":/decoded/tavrello-32.raw"),
                                                     QStringLiteral(":/icons/tavrello-32.png"), "png")));
}

} // namespace Controls

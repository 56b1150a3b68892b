#include "app/WarmUp.h"

#include "app/AsanaFinder.h"
#include "content/ContentModel.h"
#include "web/ClosingScreen.h"

#include <QEvent>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Paints a hidden widget, and what it holds, into a throwaway pixmap of the screen's density.
void paintOffScreen(QWidget *widget)
{
    const qreal ratio = widget->devicePixelRatioF();
    QPixmap canvas(widget->size() * ratio);
    canvas.setDevicePixelRatio(ratio);
    widget->render(&canvas);
}

// Draws the looks a button takes under the pointer, pressed, released and left with the focus,
// into a throwaway pixmap, so that the style's cache holds each bevel before the first press:
// painting the panels draws their plain look only. The options are those a button of the active
// window gets from Qt for a press with the mouse, which gives it the focus.
void drawPointerLooks(const QWidget *window)
{
    const QList<QPushButton *> buttons = window->findChildren<QPushButton *>();
    for (const QPushButton *button : buttons) {
        if (button->isFlat() || button->isCheckable() || button->autoDefault() || button->isDefault() ||
            button->menu() || !button->isEnabled())
            continue; // a look of its own; not worth guessing
        const qreal ratio = button->devicePixelRatioF();
        QPixmap canvas(button->size() * ratio);
        canvas.setDevicePixelRatio(ratio);
        QPainter painter(&canvas);
        QStyleOptionButton option;
        option.initFrom(button);
        option.palette.setCurrentColorGroup(QPalette::Active);
        const QStyle::State plain = QStyle::State_Enabled | QStyle::State_Active;
        for (const QStyle::State look : {QStyle::State_MouseOver | QStyle::State_Raised,
                                         QStyle::State_MouseOver | QStyle::State_Sunken | QStyle::State_HasFocus,
                                         QStyle::State_MouseOver | QStyle::State_Raised | QStyle::State_HasFocus,
                                         QStyle::State_Raised | QStyle::State_HasFocus}) {
            option.state = plain | look;
            button->style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, button);
        }
    }
}

class WarmUp final : public QObject {
public:
    explicit WarmUp(QWidget *window) : QObject(window), m_window(window)
    {
        window->windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Widgets paint an exposed window while handling the expose itself, so once it has been
        // handled the first page is on the screen.
        if (event->type() == QEvent::Expose && m_window->windowHandle()->isExposed()) {
            watched->removeEventFilter(this);
            const QList<QWidget *> all = m_window->findChildren<QWidget *>();
            for (QWidget *widget : all)
                if (widget->isHidden())
                    m_hidden.append(widget);
            QTimer::singleShot(0, this, &WarmUp::next);
        }
        return false;
    }

private:
    // One panel per turn of the event loop, so a click that comes meanwhile waits for one at most.
    void next()
    {
        while (!m_hidden.isEmpty()) {
            QPointer<QWidget> widget = m_hidden.takeFirst();
            if (widget && widget->isHidden()) {
                paintOffScreen(widget);
                QTimer::singleShot(0, this, &WarmUp::next);
                return;
            }
        }
        if (!m_pointerLooksDrawn) {
            m_pointerLooksDrawn = true;
            drawPointerLooks(m_window);
            QTimer::singleShot(0, this, &WarmUp::next);
            return;
        }
        if (const AsanaFinder *finder = m_window->findChild<AsanaFinder *>())
            finder->decodeFirstPictures();
        // Start-up reads its images without probing; the first read that probes (a message
        // box's icon) loads every image-format plug-in, so that is done here, where nobody waits.
        QImageReader::imageFormat(QStringLiteral(":/icons/tavrello-32.png"));
        PrepareClosingScreen();
        ReportContentProblems();
        deleteLater();
    }

    QWidget *m_window;
    QList<QPointer<QWidget>> m_hidden;
    bool m_pointerLooksDrawn = false;
};

} // namespace

void WarmUpAfterFirstPaint(QWidget *window) { new WarmUp(window); }

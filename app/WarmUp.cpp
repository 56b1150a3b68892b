#include "app/WarmUp.h"

#include "app/AsanaFinder.h"
#include "content/ContentModel.h"
#include "web/ClosingScreen.h"

#include <QEvent>
#include <QImageReader>
#include <QPixmap>
#include <QPointer>
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
};

} // namespace

void WarmUpAfterFirstPaint(QWidget *window) { new WarmUp(window); }

#include "pages/DisplayWindow.h"

#include "platform/AppInfo.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QEvent>

namespace {

// Both height rules leave this much below the page for the bottom bar and the window's frame.
constexpr int BottomMargin = 2000;

} // namespace

DisplayFit FitDisplayWindowRule(const DockMetrics &metrics)
{
    const int width = metrics.screen.width() - metrics.leftWidth;
    return {width, width, metrics.screen.height() - metrics.topHeight - metrics.top1Height - BottomMargin};
}

int SectionHeightRule(const SectionMetrics &metrics)
{
    return metrics.mainHeight - metrics.topMainHeight - metrics.topHeight -
           (metrics.top1Shown ? metrics.top1Height : 0) - BottomMargin;
}

PageBox::PageBox(QWidget *parent) : QTextEdit(parent)
{
    setObjectName(QStringLiteral("RTB"));
    setFont(QFont(QStringLiteral("Verdana"), 9));
    setAcceptRichText(false);
    // A page to read and copy from, not to edit.
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFrameShape(QFrame::NoFrame);
    // Always shown: a bar that came and went with each page would change the text width and lay
    // the whole page out again, several times per click.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setAccessibleName(QStringLiteral("Page"));
    viewport()->setMouseTracking(true);
    viewport()->installEventFilter(this);
    connect(this, &QTextEdit::textChanged, this, &PageBox::RTB_Change);
    Twips::attach(this, 0, 0, 7515, 3180);
}

void PageBox::RTB_Change() { platform::services().clearOwnClipboard(); }
void PageBox::RTB_Click() { platform::services().clearOwnClipboard(); }
void PageBox::RTB_MouseDown() { platform::services().clearOwnClipboard(); }
void PageBox::RTB_MouseMove() { platform::services().clearOwnClipboard(); }
void PageBox::RTB_MouseUp() { platform::services().clearOwnClipboard(); }

bool PageBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            RTB_MouseDown();
            break;
        case QEvent::MouseMove:
            RTB_MouseMove();
            break;
        case QEvent::MouseButtonRelease:
            RTB_MouseUp();
            RTB_Click();
            break;
        default:
            break;
        }
    }
    return QTextEdit::eventFilter(watched, event);
}

DisplayWindow::DisplayWindow(std::function<DockMetrics()> metrics, QWidget *parent)
    : QMdiSubWindow(parent, Qt::FramelessWindowHint), m_metrics(std::move(metrics)), m_surface(new QWidget),
      m_box(new PageBox(m_surface)), m_page(m_box)
{
    setObjectName(QStringLiteral("frmDisp"));
    setWindowTitle(AppInfo::DisplayCaption());
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    // The sub-window's layout fills it with a plain surface; the box on it is placed by twips,
    // so it can be taller than the window, as the sizing rule may make it.
    m_surface->setObjectName(QStringLiteral("frmDispSurface"));
    m_surface->setAutoFillBackground(true);
    m_surface->setPalette(palette);
    setWidget(m_surface);
    applySize();
    Form_Load();
}

void DisplayWindow::setTwipsWidth(int width) { resizeTwips(width, m_height); }

void DisplayWindow::setTwipsHeight(int height) { resizeTwips(m_width, height); }

// A negative size is refused; a real change runs the resize handler before returning.
void DisplayWindow::resizeTwips(int width, int height)
{
    if (width < 0 || height < 0 || (width == m_width && height == m_height))
        return;
    m_width = width;
    m_height = height;
    applySize();
    Form_Resize();
}

void DisplayWindow::applySize() { setGeometry(0, 0, Twips::toPixels(m_width), Twips::toPixels(m_height)); }

void DisplayWindow::Form_Load() { FitDisplayWindow(); }
void DisplayWindow::Form_Resize() { FitDisplayWindow(); }

void DisplayWindow::FitDisplayWindow()
{
    if (!m_metrics)
        return;
    const DisplayFit fit = FitDisplayWindowRule(m_metrics());
    setTwipsWidth(fit.windowWidth);
    Twips::setWidth(m_box, fit.boxWidth);
    Twips::setHeight(m_box, fit.boxHeight);
}

void DisplayWindow::FitToSection(const SectionMetrics &metrics)
{
    setTwipsHeight(SectionHeightRule(metrics)); // a negative height is refused and the old one stays
    Twips::setWidth(m_box, m_width);
    Twips::setHeight(m_box, m_height);
}

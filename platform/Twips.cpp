#include "platform/Twips.h"

#include <QDynamicPropertyChangeEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>
#include <optional>

namespace Twips {

namespace {

constexpr int TwipsPerInch = 1440;
constexpr const char *Names[] = {"Left", "Top", "Width", "Height"};

// Keeps a control's twips properties and its pixel geometry in step, both ways.
class Tracker final : public QObject {
public:
    Tracker(QWidget *control, const QRect &twips) : QObject(control), m_control(control), m_twips(twips)
    {
        setObjectName(QStringLiteral("twipsTracker"));
        control->installEventFilter(this);
        publish();
        apply();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_control || m_busy)
            return false;
        if (event->type() == QEvent::DynamicPropertyChange)
            propertyChanged(static_cast<QDynamicPropertyChangeEvent *>(event)->propertyName());
        else if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
            followPixels();
        return false;
    }

private:
    void propertyChanged(const QByteArray &name)
    {
        const int index = indexOf(name);
        if (index < 0)
            return;
        m_published[index].reset(); // whatever was set there is published again below
        bool ok = false;
        const int value = m_control->property(name.constData()).toInt(&ok);
        QRect next = m_twips;
        if (ok && !(index >= 2 && value < 0)) {
            switch (index) {
            case 0:
                next.moveLeft(value);
                break;
            case 1:
                next.moveTop(value);
                break;
            case 2:
                next.setWidth(value);
                break;
            default:
                next.setHeight(value);
                break;
            }
        }
        m_twips = next;
        publish();
        apply();
    }

    // The window system moved or sized the control (docking, a user's resize): read it back,
    // keeping the exact twips wherever they still round to the pixels shown.
    void followPixels()
    {
        const QRect px = m_control->geometry();
        auto follow = [](int twips, int pixels) { return toPixels(twips) == pixels ? twips : fromPixels(pixels); };
        m_twips = QRect(follow(m_twips.x(), px.x()), follow(m_twips.y(), px.y()), follow(m_twips.width(), px.width()),
                        follow(m_twips.height(), px.height()));
        publish();
    }

    // Writes only the properties whose value changed since they were last written or set from
    // outside: reading a property back by name walks the control's whole meta-object.
    void publish()
    {
        m_busy = true;
        const int values[] = {m_twips.x(), m_twips.y(), m_twips.width(), m_twips.height()};
        for (int i = 0; i < 4; ++i) {
            if (!m_published[i] || *m_published[i] != values[i]) {
                m_control->setProperty(Names[i], values[i]);
                m_published[i] = values[i];
            }
        }
        m_busy = false;
    }

    void apply()
    {
        m_busy = true;
        m_control->setGeometry(toPixels(m_twips.x()), toPixels(m_twips.y()), toPixels(m_twips.width()),
                               toPixels(m_twips.height()));
        m_busy = false;
    }

    static int indexOf(const QByteArray &name)
    {
        for (int i = 0; i < 4; ++i)
            if (name == Names[i])
                return i;
        return -1;
    }

    QWidget *m_control;
    QRect m_twips;
    std::optional<int> m_published[4];
    bool m_busy = false;
};

Tracker *trackerOf(const QWidget *control)
{
    return control ? control->findChild<Tracker *>(QStringLiteral("twipsTracker"), Qt::FindDirectChildrenOnly)
                   : nullptr;
}

int read(const QWidget *control, const char *name) { return control ? control->property(name).toInt() : 0; }

} // namespace

double logicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

int toPixels(int twips) { return int(std::lround(twips * logicalDpi() / TwipsPerInch)); }

int fromPixels(int pixels) { return int(std::lround(pixels * TwipsPerInch / logicalDpi())); }

void attach(QWidget *control, const QRect &twips)
{
    if (trackerOf(control)) {
        control->setProperty("Left", twips.x());
        control->setProperty("Top", twips.y());
        control->setProperty("Width", twips.width());
        control->setProperty("Height", twips.height());
        return;
    }
    new Tracker(control, twips);
}

void attach(QWidget *control, int left, int top, int width, int height)
{
    attach(control, QRect(left, top, width, height));
}

int left(const QWidget *control) { return read(control, "Left"); }
int top(const QWidget *control) { return read(control, "Top"); }
int width(const QWidget *control) { return read(control, "Width"); }
int height(const QWidget *control) { return read(control, "Height"); }
void setLeft(QWidget *control, int value) { control->setProperty("Left", value); }
void setTop(QWidget *control, int value) { control->setProperty("Top", value); }
void setWidth(QWidget *control, int value) { control->setProperty("Width", value); }
void setHeight(QWidget *control, int value) { control->setProperty("Height", value); }

} // namespace Twips

// The real program, started as main.cpp starts it, with a probe that times each user interaction
// from the input event's arrival to the end of the paint that shows its result. bench/run.py
// drives it with real xdotool input and talks to it over stdin/stdout, one line per message:
//
//   where NAME          -> "at X Y" (screen centre of the visible widget NAME) or "none"
//   focus NAME          -> "ok" (keyboard focus to NAME: set-up only, never measured)
//   arm KIND WINDOW MODE-> "armed"; the next KIND input (release | key) starts the clock, and
//                          "result MS PAINTS" follows once the window named WINDOW has painted:
//                          MODE first = end of its first expose (a new window's first paint),
//                          MODE chain = end of the last paint of the burst that follows the input
//   quit                -> the process ends at once
//
// The input's moment is when Qt hands the event to the window (the X event has been read); the
// paint's end is when the window's UpdateRequest or Expose handler returns, after the backing
// store has been flushed to the X server.
#include "app/Application.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A paint that starts more than this after the previous one ended belongs to something else
// (a caret blink, a later interaction), not to the result of this input.
constexpr qint64 BurstGapNs = 40'000'000;
// No paint for this long after the input: the result is on the screen.
constexpr qint64 SettleNs = 100'000'000;

QWidget *windowWidget(QObject *receiver)
{
    if (receiver->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(receiver);
        return widget->isWindow() ? widget : nullptr;
    }
    if (receiver->isWindowType()) {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows)
            if (window->windowHandle() == receiver)
                return window;
    }
    return nullptr;
}

QWidget *findVisible(const QString &name)
{
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget *widget : widgets)
        if (widget->objectName() == name && widget->isVisible())
            return widget;
    return nullptr;
}

class Probe final : public QApplication {
public:
    Probe(int &argc, char **argv) : QApplication(argc, argv)
    {
        m_clock.start();
        m_trace = qEnvironmentVariableIsSet("TAVRELLO_PROBE_TRACE");
        m_settle.setInterval(20);
        QObject::connect(&m_settle, &QTimer::timeout, [this] { checkSettled(); });
    }

    void listen()
    {
        m_stdin = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
        QObject::connect(m_stdin, &QSocketNotifier::activated, [this] { readCommands(); });
    }

    bool notify(QObject *receiver, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        const bool paint = type == QEvent::UpdateRequest || type == QEvent::Expose;
        if (!paint && !m_armed) {
            if (!m_ready && type == QEvent::Paint)
                noteFirstPaint();
            return QApplication::notify(receiver, event);
        }
        const qint64 start = m_clock.nsecsElapsed();
        if (m_armed && receiver->isWindowType() && type == m_trigger) {
            m_armed = false;
            m_measuring = true;
            m_t0 = start;
            m_paints.clear();
            m_settle.start();
        }
        const bool handled = QApplication::notify(receiver, event);
        if (m_measuring && paint) {
            QWidget *window = windowWidget(receiver);
            const qint64 end = m_clock.nsecsElapsed();
            if (window && window->objectName() == m_window)
                m_paints.push_back({start, end, type == QEvent::Expose});
            if (m_trace) {
                std::fprintf(stderr, "  %s %s %.3f-%.3f\n", type == QEvent::Expose ? "expose" : "update",
                             window ? qPrintable(window->objectName()) : "?", double(start - m_t0) / 1e6,
                             double(end - m_t0) / 1e6);
            }
        }
        return handled;
    }

private:
    struct Span {
        qint64 start, end;
        bool expose;
    };

    void noteFirstPaint()
    {
        m_ready = true;
        // Announce readiness once the start-up's posted work has run.
        QTimer::singleShot(100, [] { reply("ready"); });
    }

    static void reply(const std::string &line)
    {
        std::fputs((line + "\n").c_str(), stdout);
        std::fflush(stdout);
    }

    void checkSettled()
    {
        const qint64 now = m_clock.nsecsElapsed();
        const qint64 last = m_paints.empty() ? m_t0 : m_paints.back().end;
        if (now - last < SettleNs)
            return;
        m_settle.stop();
        m_measuring = false;
        qint64 end = -1;
        int counted = 0;
        for (const Span &span : m_paints) {
            // A window that is not yet on the screen paints nothing before its first expose.
            if (m_mode == "first" && !span.expose)
                continue;
            if (end >= 0 && (m_mode == "first" || span.start - end > BurstGapNs))
                break;
            end = span.end;
            ++counted;
        }
        char line[96];
        std::snprintf(line, sizeof line, "result %.3f %d", end < 0 ? -1.0 : double(end - m_t0) / 1e6, counted);
        if (m_trace)
            std::fprintf(stderr, "%s\n", line);
        reply(line);
    }

    void readCommands()
    {
        char buffer[4096];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            std::_Exit(0); // the driver went away
        }
        m_pending.append(buffer, size_t(got));
        size_t newline;
        while ((newline = m_pending.find('\n')) != std::string::npos) {
            const QStringList words =
                QString::fromStdString(m_pending.substr(0, newline)).split(u' ', Qt::SkipEmptyParts);
            m_pending.erase(0, newline + 1);
            if (!words.isEmpty())
                run(words);
        }
    }

    void run(const QStringList &words)
    {
        const QString &verb = words.at(0);
        if (verb == QLatin1String("quit")) {
            std::fflush(nullptr);
            std::_Exit(0);
        } else if (verb == QLatin1String("where") && words.size() == 2) {
            QWidget *widget = findVisible(words.at(1));
            if (!widget)
                return reply("none");
            const QPoint centre = widget->mapToGlobal(widget->rect().center());
            reply("at " + std::to_string(centre.x()) + " " + std::to_string(centre.y()));
        } else if (verb == QLatin1String("focus") && words.size() == 2) {
            QWidget *widget = findVisible(words.at(1));
            if (widget) {
                widget->activateWindow();
                widget->setFocus(Qt::OtherFocusReason);
            }
            reply(widget ? "ok" : "none");
        } else if (verb == QLatin1String("arm") && words.size() == 4) {
            m_trigger = words.at(1) == QLatin1String("key") ? QEvent::KeyPress : QEvent::MouseButtonRelease;
            m_window = words.at(2);
            m_mode = words.at(3).toStdString();
            m_armed = true;
            reply("armed");
        } else {
            reply("error unknown command");
        }
    }

    QElapsedTimer m_clock;
    QTimer m_settle;
    QSocketNotifier *m_stdin = nullptr;
    std::string m_pending;
    bool m_trace = false;
    bool m_ready = false;
    bool m_armed = false;
    bool m_measuring = false;
    QEvent::Type m_trigger = QEvent::None;
    QString m_window;
    std::string m_mode;
    qint64 m_t0 = 0;
    std::vector<Span> m_paints;
};

} // namespace

int main(int argc, char *argv[])
{
    Probe application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrello"));
    QApplication::setQuitOnLastWindowClosed(false);
    application.listen();
    StartApplication();
    return QApplication::exec();
}

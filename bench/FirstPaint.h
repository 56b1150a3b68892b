#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

// Ends the process right after the first paint of the widget named `name` has finished, so
// that the whole-process time of a run is the time to a painted page.
class QuitAfterFirstPaint final : public QObject {
public:
    explicit QuitAfterFirstPaint(const char *name) : m_name(name) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->parent() &&
            watched->parent()->objectName() == QLatin1String(m_name)) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, [] {
                std::fflush(nullptr);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    const char *m_name;
};

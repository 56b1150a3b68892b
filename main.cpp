#include "app/Application.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    const bool headless = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
                          qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (headless) {
        std::fputs("Tavrellix needs a graphical desktop: neither DISPLAY nor WAYLAND_DISPLAY is set.\n", stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrello"));
    // Ties the windows to the installed launcher, so a Wayland dock shows the program's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quorvane.tavrello"));
    // Only leaving the closing screen ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    StartApplication();
    return QApplication::exec();
}

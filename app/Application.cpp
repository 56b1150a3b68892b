#include "app/Application.h"

#include "app/MainWindow.h"
#include "app/WarmUp.h"
#include "platform/AppInfo.h"
#include "platform/IconStyle.h"
#include "platform/Platform.h"
#include "web/StoredSettings.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

void StartApplication()
{
    platform::Services &services = platform::services();
    if (!services.acquireInstanceLock()) {
        services.showMessage({QStringLiteral("Application is already running"), AppInfo::Title(),
                              platform::MessageIcon::Information, platform::MessageButtons::Ok});
        QuitApplication();
        return;
    }
    StoredSettings::CheckForUpdateReminder();
    Controls::readStandardIconsDirectly();
    auto *main = new MDI;
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->showMaximized();
    WarmUpAfterFirstPaint(main);
}

void QuitApplication()
{
    static bool unloading = false;
    if (!unloading) {
        unloading = true;
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            QPointer<QWidget> alive(window);
            if (alive && alive->isVisible())
                alive->close();
        }
        unloading = false;
    }
    platform::services().endProcess(0);
}

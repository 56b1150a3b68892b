#pragma once

#include "platform/Platform.h"

#include <QLockFile>
#include <memory>

namespace platform {

// The real services: Qt's message boxes, desktop services, clipboard, screen and settings.
class QtServices final : public Services {
public:
    MessageAnswer showMessage(const Message &message) override;
    void openUrl(const QUrl &url) override;
    void clearOwnClipboard() override;
    QSize screenTwips() const override;
    QString readSetting(const QString &application, const QString &group, const QString &key) override;
    void writeSetting(const QString &application, const QString &group, const QString &key,
                      const QString &value) override;
    bool acquireInstanceLock() override;
    double randomUnit() override;
    void keepOnTop(QWidget *window) override;
    QDate today() const override;
    QString programName() const override;
    void endProcess(int exitCode) override;

private:
    std::unique_ptr<QLockFile> m_instanceLock;
};

} // namespace platform

#include "platform/QtServices.h"

#include "platform/InstanceLock.h"
#include "platform/Logging.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

namespace platform {

MessageAnswer QtServices::showMessage(const Message &message)
{
    QMessageBox box(message.icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                    message.title, message.text);
    if (message.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Ok;
    }
}

void QtServices::openUrl(const QUrl &url) { QDesktopServices::openUrl(url); }

void QtServices::clearOwnClipboard()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    // Another program's content is the user's data; only what we put there is ours to drop.
    if (clipboard && clipboard->ownsClipboard())
        clipboard->clear();
}

QSize QtServices::screenTwips() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return {Twips::fromPixels(screen->geometry().width()), Twips::fromPixels(screen->geometry().height())};
}

static std::unique_ptr<QSettings> openSettings(const QString &application)
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, application, application);
}

QString QtServices::readSetting(const QString &application, const QString &group, const QString &key)
{
    const auto settings = openSettings(application);
    if (settings->status() != QSettings::NoError)
        qCWarning(lcPlatform) << "settings store" << settings->fileName() << "could not be read; taking no value";
    return settings->value(group + u'/' + key).toString();
}

void QtServices::writeSetting(const QString &application, const QString &group, const QString &key,
                              const QString &value)
{
    const auto settings = openSettings(application);
    settings->setValue(group + u'/' + key, value);
    settings->sync();
    if (settings->status() != QSettings::NoError)
        qCWarning(lcPlatform) << "settings store" << settings->fileName() << "could not be written; the value is lost";
}

bool QtServices::acquireInstanceLock()
{
    const QString path = instanceLockPath(QCoreApplication::applicationFilePath());
    if (path.isEmpty())
        return true; // no folder of ours to lock in: already logged, and starting beats refusing
    m_instanceLock = std::make_unique<QLockFile>(path);
    // Only the PID decides staleness: a lock left by a killed process is taken over at once.
    m_instanceLock->setStaleLockTime(0);
    if (m_instanceLock->tryLock(0))
        return true;
    if (m_instanceLock->error() == QLockFile::LockFailedError)
        return false;
    // A lock we cannot create at all (no writable folder) must not keep the program from starting.
    qCWarning(lcPlatform) << "instance lock" << path << "could not be created; starting without it";
    return true;
}

double QtServices::randomUnit() { return QRandomGenerator::global()->generateDouble(); }

void QtServices::keepOnTop(QWidget *window)
{
    if (!window)
        return;
    // Changing a shown window's flags hides it; showing it again must not move or resize it.
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (visible)
        window->show();
}

QDate QtServices::today() const { return QDate::currentDate(); }

QString QtServices::programName() const
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return name.isEmpty() ? QStringLiteral("Tavrellix") : name;
}

void QtServices::endProcess(int exitCode)
{
    m_instanceLock.reset();
    std::fflush(nullptr);
#ifdef __SANITIZE_ADDRESS__
    // _Exit skips the leak check that a normal exit runs, so the sanitizer build runs it here.
    __lsan_do_leak_check();
#endif
    // Like closing the last door: every window has been unloaded, nothing else may run.
    std::_Exit(exitCode);
}

static QtServices &qtServices()
{
    static QtServices instance;
    return instance;
}

static Services *installed = nullptr;

Services &services() { return installed ? *installed : qtServices(); }

void setServices(Services *replacement) { installed = replacement; }

} // namespace platform

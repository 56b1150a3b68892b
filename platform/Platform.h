#pragma once

#include <QDate>
#include <QSize>
#include <QString>
#include <QUrl>

class QWidget;

// Everything the program asks of the operating system goes through this one seam, so that
// unit tests can substitute a recording fake and end-to-end tests run the real thing.
namespace platform {

enum class MessageIcon { Information, Critical };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct Message {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
};

class Services {
public:
    virtual ~Services() = default;

    // Modal message box; Yes is the default button of a Yes/No box.
    virtual MessageAnswer showMessage(const Message &message) = 0;
    // Hands an address to the desktop's browser; never waits, never reports.
    virtual void openUrl(const QUrl &url) = 0;
    // Empties the clipboard, but only when it holds what this program put there.
    virtual void clearOwnClipboard() = 0;
    // Whole primary screen in twips.
    virtual QSize screenTwips() const = 0;
    // Per-user store of text values addressed by application, group and key.
    virtual QString readSetting(const QString &application, const QString &group, const QString &key) = 0;
    virtual void writeSetting(const QString &application, const QString &group, const QString &key,
                              const QString &value) = 0;
    // True when no other instance of this program file holds the lock; keeps it until exit.
    virtual bool acquireInstanceLock() = 0;
    // A number drawn uniformly from [0, 1).
    virtual double randomUnit() = 0;
    virtual void keepOnTop(QWidget *window) = 0;
    virtual QDate today() const = 0;
    // Base name of the program file, the name under which settings are kept.
    virtual QString programName() const = 0;
    // Ends the process at once with the given code.
    virtual void endProcess(int exitCode) = 0;
};

// The services in force; the Qt-backed ones unless a test installed others.
Services &services();
// Installs other services (tests); nullptr restores the Qt-backed ones. Not owned.
void setServices(Services *replacement);

} // namespace platform

#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QMap>
#include <QUrl>
#include <deque>

// Records what the program asks of the system and answers from a script.
class FakeServices final : public platform::Services {
public:
    FakeServices() { platform::setServices(this); }
    ~FakeServices() override { platform::setServices(nullptr); }

    platform::MessageAnswer showMessage(const platform::Message &message) override
    {
        messages.append(message);
        events.append(QStringLiteral("message:") + message.text);
        if (answers.empty())
            return message.buttons == platform::MessageButtons::YesNo ? platform::MessageAnswer::Yes
                                                                      : platform::MessageAnswer::Ok;
        const platform::MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void openUrl(const QUrl &url) override
    {
        urls.append(url);
        events.append(QStringLiteral("open:") + url.toString(QUrl::FullyEncoded));
    }
    void clearOwnClipboard() override { ++clipboardClears; }
    QSize screenTwips() const override { return screen; }
    QString readSetting(const QString &application, const QString &group, const QString &key) override
    {
        return settings.value(application + u'/' + group + u'/' + key);
    }
    void writeSetting(const QString &application, const QString &group, const QString &key,
                      const QString &value) override
    {
        settings.insert(application + u'/' + group + u'/' + key, value);
        events.append(QStringLiteral("write:") + key);
    }
    bool acquireInstanceLock() override { return !anotherInstance; }
    double randomUnit() override { return random; }
    void keepOnTop(QWidget *) override { ++keptOnTop; }
    QDate today() const override { return date; }
    QString programName() const override { return program; }
    void endProcess(int exitCode) override { exitCodes.append(exitCode); }

    QList<platform::Message> messages;
    std::deque<platform::MessageAnswer> answers;
    QList<QUrl> urls;
    QStringList events;
    QMap<QString, QString> settings;
    QList<int> exitCodes;
    QSize screen{15360, 11520};
    QDate date{2026, 12, 9};
    QString program = QStringLiteral("Tavrellix");
    double random = 0.0;
    bool anotherInstance = false;
    int clipboardClears = 0;
    int keptOnTop = 0;
};

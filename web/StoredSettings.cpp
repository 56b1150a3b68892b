#include "web/StoredSettings.h"

#include "platform/AppInfo.h"
#include "platform/Platform.h"
#include "web/modHelp.h"

namespace StoredSettings {

namespace {

const QString Group = QStringLiteral("Settings");
const QString DurationKey = QStringLiteral("Duration");

QString shift(const QString &text, int amount)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const int code = c.unicode() + amount;
        if (c.unicode() <= 255 && code >= 0 && code <= 255)
            result += QChar(code);
    }
    return result;
}

} // namespace

QString ScrambleText(const QString &text) { return shift(text, ShiftAmount); }
QString UnscrambleText(const QString &text) { return shift(text, -ShiftAmount); }

QString ReadStoredSetting(const QString &key)
{
    platform::Services &services = platform::services();
    return UnscrambleText(services.readSetting(services.programName(), Group, ScrambleText(key)));
}

void WriteStoredSetting(const QString &key, const QString &value)
{
    platform::Services &services = platform::services();
    services.writeSetting(services.programName(), Group, ScrambleText(key), ScrambleText(value));
}

QString DateText(const QDate &date) { return date.toString(Qt::ISODate); }

QDate ParseDateText(const QString &text) { return QDate::fromString(text, Qt::ISODate); }

ReminderDecision DecideReminder(const QString &storedDate, const QDate &today)
{
    const QDate last = ParseDateText(storedDate);
    // An unreadable date would otherwise silence the reminder for good.
    if (storedDate.isEmpty() || !last.isValid())
        return ReminderDecision::FirstRun;
    const qint64 days = today.daysTo(last);
    return days < -14 || days > 14 ? ReminderDecision::Ask : ReminderDecision::Quiet;
}

void CheckForUpdateReminder()
{
    platform::Services &services = platform::services();
    const QDate today = services.today();
    switch (DecideReminder(ReadStoredSetting(DurationKey), today)) {
    case ReminderDecision::Quiet:
        return;
    case ReminderDecision::FirstRun:
        WriteStoredSetting(DurationKey, DateText(today));
        return;
    case ReminderDecision::Ask:
        break;
    }
    const platform::MessageAnswer answer = services.showMessage(
        {QStringLiteral("There maybe an update to this software available\rDo you want to check for an update?"),
         AppInfo::Title(), platform::MessageIcon::Information, platform::MessageButtons::YesNo});
    WriteStoredSetting(DurationKey, DateText(today));
    if (answer == platform::MessageAnswer::Yes)
        modHelp::OpenDownloadPage();
}

} // namespace StoredSettings

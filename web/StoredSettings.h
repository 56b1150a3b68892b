#pragma once

#include <QDate>
#include <QString>

// The one value kept between runs, and how any value is kept: key names and values shifted by
// a fixed amount over 8-bit codes, under the program file's name, group "Settings".
namespace StoredSettings {

inline constexpr int ShiftAmount = 61;

// Each Latin-1 code moved up by the shift; a code that would pass 255 is dropped.
QString ScrambleText(const QString &text);
// Each code moved down by the shift; a code that would fall below 0 is dropped.
QString UnscrambleText(const QString &text);

QString ReadStoredSetting(const QString &key);
void WriteStoredSetting(const QString &key, const QString &value);

// The stored form of a date: ISO text, so a change of locale cannot break reading it back.
QString DateText(const QDate &date);
QDate ParseDateText(const QString &text);

// What the reminder does with the stored date on a given day.
enum class ReminderDecision { FirstRun, Quiet, Ask };
ReminderDecision DecideReminder(const QString &storedDate, const QDate &today);

// At start-up: at most every 15 days, offer to look for an update.
void CheckForUpdateReminder();

} // namespace StoredSettings

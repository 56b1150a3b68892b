#pragma once

#include <QString>
#include <optional>

// The "Refer A Friend" form's values and how they are checked and sent to the maker's site.
namespace modTellAFriend {

struct Referral {
    QString name;
    QString email;
    QString message;
    QString friendName;
    QString friendEmail;
};

// What each box shows while it holds no input.
namespace Placeholder {
inline const QString Name = QStringLiteral("Your Name");
inline const QString Email = QStringLiteral("Your Email Address");
inline const QString Message = QStringLiteral("Your Message");
inline const QString FriendName = QStringLiteral("Friend's Name");
inline const QString FriendEmail = QStringLiteral("Friend's Email Address");
} // namespace Placeholder

// The values of the last submission (each trimmed of spaces) and the last address built.
Referral &Values();
QString &ReferralAddress();

// The e-mail checks of the submit button, in order; nothing when both addresses pass.
std::optional<QString> EmailProblem(const Referral &referral);
// The message for the first missing value, in the order of the form; nothing when all are given.
std::optional<QString> MissingValue(const Referral &referral);
// The address that carries the referral; every value percent-encoded in its own field.
QString BuildReferralAddress(const Referral &referral);

// Checks the stored values, then builds the address and opens it (or shows what is missing).
void SubmitReferral();

} // namespace modTellAFriend

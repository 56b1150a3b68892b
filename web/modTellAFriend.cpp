#include "web/modTellAFriend.h"

#include "platform/AppInfo.h"
#include "platform/Platform.h"
#include "platform/TrimSpaces.h"
#include "web/modHelp.h"

#include <QUrl>
#include <QUrlQuery>

namespace modTellAFriend {

Referral &Values()
{
    static Referral values;
    return values;
}

QString &ReferralAddress()
{
    static QString address;
    return address;
}

std::optional<QString> EmailProblem(const Referral &referral)
{
    const QString own = TrimSpaces(referral.email);
    const QString other = TrimSpaces(referral.friendEmail);
    if (own == other)
        return QStringLiteral("Please Enter Distinct Email Addresses");
    if (!own.contains(u'@') || !other.contains(u'@') || !own.contains(u'.') || !other.contains(u'.'))
        return QStringLiteral("Please Enter Proper Email Address");
    return std::nullopt;
}

std::optional<QString> MissingValue(const Referral &referral)
{
    const struct {
        const QString &value;
        const QString &placeholder;
        const char *message;
    } checks[] = {
        {referral.name, Placeholder::Name, "Please Enter Your Name"},
        {referral.email, Placeholder::Email, "Please Enter Your Email"},
        {referral.message, Placeholder::Message, "Please Enter Your Message"},
        {referral.friendName, Placeholder::FriendName, "Please Enter Your Friend's Name"},
        {referral.friendEmail, Placeholder::FriendEmail, "Please Enter Your Friend's Email"},
    };
    for (const auto &check : checks) {
        const QString value = TrimSpaces(check.value);
        if (value.isEmpty() || value == check.placeholder)
            return QString::fromLatin1(check.message);
    }
    return std::nullopt;
}

QString BuildReferralAddress(const Referral &referral)
{
    // Encoded here so that "&", "=", "+", "%" or a line break in a value stays inside its field.
    auto encoded = [](const QString &value) { return QString::fromLatin1(QUrl::toPercentEncoding(value)); };
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("page"), QStringLiteral("qvms-refer-a-friend"));
    query.addQueryItem(QStringLiteral("taf1"), encoded(referral.name));
    query.addQueryItem(QStringLiteral("taf2"), encoded(referral.email));
    query.addQueryItem(QStringLiteral("taf3"), encoded(referral.message));
    query.addQueryItem(QStringLiteral("taf4"), encoded(referral.friendName));
    query.addQueryItem(QStringLiteral("taf5"), encoded(referral.friendEmail));
    query.addQueryItem(QStringLiteral("taf6"), encoded(modHelp::SiteRoot() + QStringLiteral("/tavrello/")));
    QUrl address(modHelp::SiteRoot() + QStringLiteral("/tavrello/ssd.php"));
    address.setQuery(query);
    return address.toString(QUrl::FullyEncoded);
}

void SubmitReferral()
{
    const Referral &values = Values();
    if (const std::optional<QString> missing = MissingValue(values)) {
        platform::services().showMessage(
            {*missing, AppInfo::Title(), platform::MessageIcon::Critical, platform::MessageButtons::Ok});
        return;
    }
    ReferralAddress() = BuildReferralAddress(values);
    modHelp::OpenWebPage(ReferralAddress());
}

} // namespace modTellAFriend

#include "web/modHelp.h"

#include "platform/Platform.h"

#include <QUrl>

namespace modHelp {

QString SiteRoot() { return QStringLiteral("https://www.quorvane.com"); }

QString PageAddress(const QString &pageKey) { return SiteRoot() + QStringLiteral("/tavrello/ssd.php?page=") + pageKey; }

void OpenWebPage(const QString &address) { platform::services().openUrl(QUrl(address, QUrl::StrictMode)); }

void OpenSoftwaresPage() { OpenWebPage(PageAddress(QStringLiteral("quorvanesoftwares"))); }
void OpenDonatePage() { OpenWebPage(PageAddress(QStringLiteral("donate"))); }
void OpenHelpPage() { OpenWebPage(PageAddress(QStringLiteral("help-web-page"))); }
void OpenFullyBrandedPage() { OpenWebPage(PageAddress(QStringLiteral("fully-branded"))); }
void OpenCoBrandPage() { OpenWebPage(PageAddress(QStringLiteral("co-brand"))); }
void OpenHomePage() { OpenWebPage(PageAddress(QStringLiteral("home-page"))); }
void OpenDownloadPage() { OpenWebPage(PageAddress(QStringLiteral("download-web-page"))); }

} // namespace modHelp

#pragma once

#include <QString>

// The maker's web pages, each opened in the default browser by one fixed address.
namespace modHelp {

// Scheme and host of the maker's site, shared by every address.
QString SiteRoot();
// The address of a page of the site: SiteRoot() + "/tavrello/ssd.php?page=" + key.
QString PageAddress(const QString &pageKey);

// Hands the address to the desktop; returns at once and reports nothing.
void OpenWebPage(const QString &address);

void OpenSoftwaresPage();
void OpenDonatePage();
void OpenHelpPage();
void OpenFullyBrandedPage();
void OpenCoBrandPage();
void OpenHomePage();
void OpenDownloadPage();

} // namespace modHelp

#pragma once

#include "platform/Version.h"

#include <QString>

// The program's name and the captions its windows carry, in one place.
namespace AppInfo {

// The title of every message box without one of its own, and the banner's heading.
inline QString Title() { return QStringLiteral("Tavrello"); }
// The main window and the about box show the program's version.
inline QString VersionCaption() { return QStringLiteral("Tavrello v" TAVRELLO_VERSION); }
// The display window and the closing screen were last captioned in earlier versions.
inline QString DisplayCaption() { return QStringLiteral("Tavrello v1.70"); }
inline QString ClosingCaption() { return QStringLiteral("Tavrello v1.15"); }

} // namespace AppInfo

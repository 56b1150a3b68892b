#pragma once

class QStyle;

namespace Controls {

// A new instance of the application's own style, looking through the proxies that wrap it (a
// proxy has no name to make it by), for a proxy of our own to own; null if it cannot be made.
QStyle *newApplicationStyle();

} // namespace Controls

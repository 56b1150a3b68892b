#pragma once

namespace Controls {

// Wraps the application's style so that the standard icons Qt's menu bar and each MDI
// sub-window make as they are created are read from Qt's own files as PNG, without probing:
// the first image read by probing loads every image-format plug-in. The icons are the style's
// own; any other icon is left to the style.
void readStandardIconsDirectly();

} // namespace Controls

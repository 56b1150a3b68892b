#pragma once

#include <QRect>
#include <QSize>

// The fixed sizes of the docked regions of the main window, in twips.
namespace DockSizes {
inline constexpr int TopMainHeight = 900;
inline constexpr int TopHeight = 900;
inline constexpr int Top1Height = 3855;
inline constexpr int LeftWidth = 4000;
inline constexpr int BottomHeight = 500;
} // namespace DockSizes

// Where each region lies in a client area, in twips. Top regions stack downward in their order,
// the bottom bar spans the width, the left column fills the height between them, and the rest
// is the free area of the display window. A hidden region takes no space.
struct DockRects {
    QRect topMain, top, top1, left, bottom, free;
};

DockRects LayoutDock(const QSize &client, bool top1Visible);

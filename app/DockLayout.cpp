#include "app/DockLayout.h"

#include <algorithm>

DockRects LayoutDock(const QSize &client, bool top1Visible)
{
    using namespace DockSizes;
    const int width = client.width();
    DockRects rects;
    rects.topMain = QRect(0, 0, width, TopMainHeight);
    rects.top = QRect(0, TopMainHeight, width, TopHeight);
    int y = TopMainHeight + TopHeight;
    rects.top1 = QRect(0, y, width, Top1Height);
    if (top1Visible)
        y += Top1Height;
    const int bottomTop = std::max(y, client.height() - BottomHeight);
    rects.bottom = QRect(0, bottomTop, width, BottomHeight);
    const int middle = std::max(0, bottomTop - y);
    rects.left = QRect(0, y, LeftWidth, middle);
    rects.free = QRect(LeftWidth, y, std::max(0, width - LeftWidth), middle);
    return rects;
}

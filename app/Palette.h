#pragma once

#include <QColor>

// The main window's colours.
namespace Palette {
inline const QColor Purple(100, 0, 110);
inline const QColor Lilac(199, 159, 238);
inline const QColor SectionPink(255, 192, 255);
inline const QColor TopicBlue(192, 192, 255);
} // namespace Palette

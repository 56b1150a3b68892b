#pragma once

class QStyle;

namespace Controls {

// The application's style for the coloured buttons, drawing each bevel as that style does. Every
// button carries a palette of its own, and the style caches a drawn bevel per palette, so buttons
// of one colour would each draw the same antialiased bevel again; this one hands the style one
// palette per set of colours, so a bevel of one colour, size and state is drawn once.
QStyle *sharedBevelStyle();

} // namespace Controls

#pragma once

class QWidget;

// Once the main window has painted its first page, and while the user reads it, does ahead of
// time what the first click on a section would otherwise do while the user waits: polishing,
// laying out and painting the hidden panels, which fills the style's and the fonts' caches,
// drawing the buttons' looks under the pointer and pressed, decoding the pictures the asana lists
// show first, and loading the faces of the closing screen. Then it checks the
// content's files and logs any problem of the content. Nothing the user sees or the controls report changes.
void WarmUpAfterFirstPaint(QWidget *window);

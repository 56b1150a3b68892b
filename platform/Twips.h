#pragma once

#include <QObject>
#include <QRect>

class QWidget;

// Geometry is kept in twips (1440 per inch) and drawn in pixels through the screen's logical dpi.
namespace Twips {

double logicalDpi();
int toPixels(int twips);
int fromPixels(int pixels);

// Gives a control live twips properties Left, Top, Width and Height and places it.
// Setting one of them moves or sizes the control; a negative width or height is refused and the
// old value kept. Reading gives back exactly what was set while the control has not moved since.
void attach(QWidget *control, const QRect &twips);
void attach(QWidget *control, int left, int top, int width, int height);

int left(const QWidget *control);
int top(const QWidget *control);
int width(const QWidget *control);
int height(const QWidget *control);
void setLeft(QWidget *control, int value);
void setTop(QWidget *control, int value);
void setWidth(QWidget *control, int value);
void setHeight(QWidget *control, int value);

} // namespace Twips

// Drawing figures into pictures, icons and the contact sheet.
#pragma once

#include "pose.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QVector>

class QPainter;

// What the camera of a pose sees of its figure, in body units: x right, y up; with the floor,
// also a strip of mat round the parts resting near it.
QRectF projectedExtent(const Figure &figure, bool withFloor = false);

// The span at which a figure and the mat under it fill nine tenths of the frame; the largest
// over a set gives the set's common scale.
double fittedSpan(const Figure &figure);

// The figure as drawn: its face (eyes, nose, mouth, jaw) turned part of the way toward the
// pose's camera, as a drawn face is flatter than the head that carries it.
Figure faceTowardCamera(const Figure &figure);

// How a surface is shaded: cloth and hair plainly, bare skin keeping its colour in shadow, and
// hands and feet (backs, palms and soles) keeping more of their light as well.
enum class Finish { Plain, Skin, HandOrFoot };
// The colour of a surface of colour `base` lit at `lam` (0: turned from the light, 1: facing it)
// with a highlight of `specular` (0..1); `sole` is how much of a hand or foot is palm or sole.
QColor shadeSurface(const QColor &base, Finish finish, float lam, float specular, float sole = 0);

// A shaded picture of size x size pixels; `span` body units fit across the frame, so a
// common span gives every picture the same scale.
// With the pose's `detail:`, a round inset in a corner shows the figure from the detail's camera;
// throws PoseError if it would cover the figure.
QImage renderPicture(const Figure &figure, int size, double span);
// Where a pose's detail inset sits in a picture of size x size pixels.
struct DetailInset {
    QPointF centre;
    double radius;
};
DetailInset detailInset(const Pose &pose, int size);
// The figure on a round badge with a transparent corner, flat-shaded, as vectors.
void paintIcon(QPainter &painter, const Figure &figure, double size);
QImage renderIcon(const Figure &figure, int size);
QImage renderSheet(const QVector<QImage> &pictures, const QStringList &names, int columns);

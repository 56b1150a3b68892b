// Drawing figures into pictures, icons and the contact sheet.
#pragma once

#include "pose.h"

#include <QColor>
#include <QImage>
#include <QVector>

struct Style {
    QColor body{100, 0, 110};      // near limbs, trunk and head
    QColor farBody{163, 104, 176}; // limbs on the far side, so crossings stay readable
    QColor background{251, 248, 253};
    QColor mat{199, 159, 238};
    QColor halo = background;      // rim around limbs, the colour behind the figure
    static constexpr double haloWidth = 1.3;
    bool drawMat = true;
};

QImage renderPicture(const Figure &figure, int size);
QImage renderIcon(const Figure &figure, int size);
QImage renderSheet(const QVector<QImage> &pictures, const QStringList &names, int columns);

// Pose files and the figure they describe.
#pragma once

#include <QHash>
#include <QPointF>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QtNumeric>

enum class View { Side, Front, Top };

// A "reach" bends a two-segment limb so its end (wrist or ankle) lands on a target.
struct Reach {
    QString limb;       // "arm.l", "leg.r", ...
    QString joint;      // target joint, empty for an absolute point
    QPointF point;      // absolute point, or offset from the joint
    int bend = 1;       // +1: middle joint counter-clockwise of the line to the target
    int line = 0;
};

struct Pose {
    QString file;
    QString name;
    View view = View::Side;
    bool facingRight = true;
    QString nearSide;           // limbs drawn in front; empty in front views: no shading
    double shoulderSpread = qQNaN(); // 1 = full width; unset: 0 from the side, else 1
    double hipSpread = qQNaN();
    QPointF look;               // front and top views: which way the face turns, (0,0) = at us
    QSet<QString> flags;
    QStringList order;
    QString placeJoint = "pelvis";
    QPointF placeAt;
    QHash<QString, double> angle;   // segment -> degrees, counter-clockwise from +x, y up
    QHash<QString, double> scale;   // segment -> length factor (foreshortening)
    QVector<Reach> reaches;
};

// Joint positions in body units (standing height about 100), y up, floor at y = 0.
struct Figure {
    const Pose *pose = nullptr;
    QHash<QString, QPointF> joints;
    QStringList warnings;

    QPointF at(const QString &joint) const { return joints.value(joint); }
};

// Body proportions shared by every pose, in body units.
namespace Body {
constexpr double headRadius = 7.0;
constexpr double shoulderHalf = 10.0;
constexpr double hipHalf = 5.5;
constexpr double armWidth = 6.0;
constexpr double legWidth = 7.0;
constexpr double handWidth = 5.0;
constexpr double footWidth = 5.5;
constexpr double torsoWidth = 13.0;
double length(const QString &segment); // base length of a segment ("thigh.l" -> thigh)
double radius(const QString &joint, View view); // half the stroke drawn around a joint
}

// Throws std::runtime_error with "file:line: message" on bad input.
Pose parsePose(const QString &path);
Figure solvePose(const Pose &pose);

// Pose files and the three-dimensional figure they describe.
#pragma once

#include <QHash>
#include <QMatrix4x4>
#include <QQuaternion>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector3D>
#include <QVector>

#include <stdexcept>

// Bad input or an impossible pose; the message names the file, and the line or the joint.
struct PoseError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Refuses a pose at `where` (its file, or file:line for one statement): the one shape of every
// message a pose is refused with, whether the parser, the solver or the renderer refuses it.
[[noreturn]] void failAt(const QString &where, const QString &what);

// A reach bends a two-segment limb so that its end (wrist or ankle) lands on a target.
struct Reach {
    QString limb;       // arm.l, arm.r, leg.l, leg.r
    QString joint;      // target point of the figure, empty for a point in space
    QVector3D point;    // the point in space, or the offset from the joint
    bool local = false; // the offset is in the frame of the bone the joint ends
    bool level = false; // point.y is a height above the floor, not an offset
    QVector3D pole;     // where the elbow or knee points; null: the natural way
    int line = 0;
};

// An aim turns a hand or a foot to face given directions: fingers (toes) and palm (sole).
struct Aim {
    QString part;            // hand.l, hand.r, foot.l, foot.r
    QVector3D along, facing; // fingers or toes; palm or sole
    bool body = false;       // the directions are in the body's frame (the pelvis), not the room's
    int line = 0;
};

// A round inset in a corner of the picture: the same figure from its own camera, magnified round
// one point, for the detail no single view shows (a bound hand, a foot hooked behind a calf).
struct Detail {
    double azimuth = 0, elevation = 0; // the inset's camera, as in `camera:`
    QStringList points;                // a named point, or two whose midpoint is the centre
    double zoom = 2;                   // magnification over the main picture
    QString corner;                    // tl, tr, bl or br
    double share = 0.36;               // the inset's diameter, as a share of the frame
    int line = 0;                      // 0: no inset
};

// A curved arrow round the vertical through one point, the way a twist turns the trunk: a
// learner reads the direction of a turn from it, which a still figure shows only as its end.
struct TurnArrow {
    QString point;           // the named point the arc goes round, at its height
    double radius = 0;       // units out from the point
    double from = 0, to = 0; // azimuths as in `camera:` (0 in front, 90 at the left); the head is at `to`
    int line = 0;            // 0: no arrow
};

struct Pose {
    QString file;
    QString name;
    double azimuth = 90;      // camera around the vertical: 0 in front of a standing figure, 90 at its left
    double elevation = 8;     // camera height, degrees above the horizon
    QVector3D body;           // pitch, roll, yaw of the whole figure (pitch 90: lying face down)
    bool fixedHeight = false; // height given: the figure is not dropped onto the floor
    double height = 0;        // pelvis height above the floor
    QStringList contacts;     // parts that must rest on the floor
    QSet<QString> flags;
    QHash<QString, QVector3D> angles; // joint -> up to three angles, degrees
    QHash<QString, int> angleLine;    // joint -> line, for messages
    QVector<Reach> reaches;
    QVector<Aim> aims;
    Detail detail;
    TurnArrow turn;
};

// One tapered capsule of the body surface.
struct Capsule {
    QVector3D a, b;
    float ra = 1, rb = 1;
    int part = 0; // index into Figure::parts
    // Fingers, the thumb and toes are numbered (1 and up, 0 for the rest) so the drawing can
    // groove between two of them where they lie side by side on one surface.
    int digit = 0;
};

// The digits of a foot: the big toe, the middle toes, the small toes, then the forefoot they
// grow from.
enum FootDigit { kBigToe = 6, kToes, kSmallToes, kForefoot };

enum class Material { Clothes, Shirt, Skin, Head, Tongue };

struct Part {
    QString name; // thigh.l, hand.r, torso, head, ...
    Material material = Material::Clothes;
};

struct Figure {
    const Pose *pose = nullptr;
    QHash<QString, QVector3D> points;  // named points of the skeleton, y up, floor y = 0
    QHash<QString, QMatrix4x4> frames; // joint frames (rotation only)
    QVector<Part> parts;
    QVector<Capsule> capsules;

    QVector3D at(const QString &point) const { return points.value(point); }
    double lowest(const QString &part = {}) const; // lowest surface point, of one part or all
};

// A point on the trunk's centre line and the trunk's frame there. u runs up the spine: 0 at the
// pelvis, 13 at the waist, 28 at the neckbase. The joints bend the skeleton at the pelvis and
// the waist, but the drawn trunk spreads each bend along a curve; from halfway up the ribcage it
// is the thorax's frame again.
struct SpineFrame {
    QVector3D point;
    QQuaternion rotation;
};
SpineFrame spineAt(const Figure &f, float u);

// The joints a pose file may bend, with their angles' names and limits.
struct JointLimit {
    const char *joint; // without .l/.r
    const char *axis[3];
    double lo[3], hi[3];
    int axes;
};
const JointLimit *jointLimit(const QString &joint); // "knee.l" -> knee; null if unknown

// Whether two body parts meet at a joint (thigh.l and shin.l, torso and neck): where they
// touch the surface runs on, while any other two parts that touch are separate shapes.
bool partsJoined(const QString &a, const QString &b);

// Throws PoseError with "file:line: message".
Pose parsePose(const QString &path);
Pose parsePoseText(const QString &text, const QString &file);
// Throws PoseError naming the pose and the joint or part: a joint past its limit, an
// unreachable target, a part through the floor, a contact part off it.
// With `floorProblems`, problems with the floor are listed there instead, so a pose being
// edited can still be drawn.
Figure solvePose(const Pose &pose, QStringList *floorProblems = nullptr);

#include "pose.h"

#include <QFile>
#include <QRegularExpression>
#include <QtMath>

#include <cmath>
#include <iterator>

void failAt(const QString &where, const QString &what) { throw PoseError((where + ": " + what).toStdString()); }

namespace {

// Every joint's angles and their limits, in degrees. The spine and neck bend forward with a
// positive flex, to the figure's left with a positive side, and turn left with a positive
// twist; limbs flex forward (the knee and the elbow fold), abduct away from the midline and
// twist outward; the wrist's twist turns the palm backward, the ankle's flex points the toes.
const JointLimit kLimits[] = {
    {"body", {"pitch", "roll", "yaw"}, {-360, -360, -360}, {360, 360, 360}, 3},
    {"lumbar", {"flex", "side", "twist"}, {-45, -40, -45}, {75, 40, 45}, 3},
    {"thorax", {"flex", "side", "twist"}, {-40, -30, -45}, {50, 30, 45}, 3},
    {"neck", {"flex", "side", "twist"}, {-55, -40, -75}, {60, 40, 75}, 3},
    {"head", {"flex", "side", "twist"}, {-40, -20, -20}, {40, 20, 20}, 3},
    {"shoulder", {"flex", "abd", "twist"}, {-100, -45, -95}, {185, 185, 95}, 3},
    {"elbow", {"flex", "", ""}, {-5, 0, 0}, {160, 0, 0}, 1},
    {"wrist", {"flex", "twist", ""}, {-95, -100, 0}, {90, 100, 0}, 2},
    {"hip", {"flex", "abd", "twist"}, {-40, -35, -60}, {155, 95, 95}, 3},
    {"knee", {"flex", "", ""}, {-5, 0, 0}, {165, 0, 0}, 1},
    {"ankle", {"flex", "turn", ""}, {-35, -40, 0}, {95, 40, 0}, 2},
    // The toes bend up at the ball of the foot, as when rising onto it with the toes flat.
    {"ball", {"flex", "", ""}, {0, 0, 0}, {70, 0, 0}, 1},
};

// Segment lengths shared by every pose, in body units (a standing figure is about 105 tall).
constexpr float kLumbar = 13, kThorax = 15, kNeck = 6;
constexpr float kUpperArm = 18, kForearm = 15, kHand = 8.5;
constexpr float kThigh = 24, kShin = 23;
constexpr float kHeadRadius = 6.7f;
// A palm turned less than this (the cosine) toward the camera is seen from its edge.
constexpr float kEdgeOn = 0.5f;
// Interlocked fingers: the spacing of the eight along the row (a little less than a finger's
// width, so the two hands' fingers press together) and how far apart the two hands' knuckle
// rows may be for the fingers to reach between each other.
constexpr float kInterlaceGap = 1.05f, kInterlaceReach = 4.5f;
const QVector3D kShoulder(10, -2.5f, 0), kHip(5.5f, -3.5f, 0), kHeadCentre(0, 6, 0.8f);
// The heel's and the toe tip's points, in the ankle's frame.
const QVector3D kHeelAt(0, -3, -1.6f), kToeTipAt(0, -3.6f, 9);

QMatrix4x4 rot(std::initializer_list<std::pair<double, QVector3D>> steps)
{
    QMatrix4x4 m;
    for (const auto &[angle, axis] : steps)
        m.rotate(float(angle), axis);
    return m;
}

const QVector3D X(1, 0, 0), Y(0, 1, 0), Z(0, 0, 1);

// The local rotation of a joint from its angles; s is +1 on the left, -1 on the right.
QMatrix4x4 jointRotation(const QString &kind, QVector3D a, float s)
{
    if (kind == "body")
        return rot({{a[2], Y}, {a[0], X}, {a[1], Z}});
    if (kind == "lumbar" || kind == "thorax" || kind == "neck" || kind == "head")
        return rot({{a[0], X}, {-a[1], Z}, {a[2], Y}});
    if (kind == "shoulder" || kind == "hip")
        return rot({{-a[0], X}, {s * a[1], Z}, {s * a[2], Y}});
    if (kind == "elbow")
        return rot({{-a[0], X}});
    if (kind == "knee")
        return rot({{a[0], X}});
    if (kind == "wrist")
        return rot({{-s * a[1], Y}, {-s * a[0], Z}});
    if (kind == "ankle")
        return rot({{s * a[1], Y}, {a[0], X}});
    return {};
}

QString kindOf(const QString &joint) { return joint.section('.', 0, 0); }

// Every kind of named point and the bone whose frame it moves with.
const QHash<QString, QString> &pointOwners()
{
    static const QHash<QString, QString> owner = {
        {"pelvis", "pelvis"},   {"waist", "lumbar"},   {"neckbase", "thorax"}, {"headbase", "neck"}, {"head", "head"},
        {"shoulder", "thorax"}, {"elbow", "shoulder"}, {"wrist", "elbow"},     {"fingers", "wrist"}, {"hip", "pelvis"},
        {"knee", "hip"},        {"ankle", "knee"},     {"heel", "ankle"},      {"toe", "ball"},      {"ball", "ankle"}};
    return owner;
}

bool isTrunkBone(const QString &bone)
{
    return bone == "thorax" || bone == "pelvis" || bone == "lumbar" || bone == "neck" || bone == "head";
}

// The bone whose frame a named point moves with.
QString frameOf(const QString &point)
{
    const QString bone = pointOwners().value(kindOf(point));
    return isTrunkBone(bone) ? bone : bone + "." + point.section('.', 1);
}

// Whether the skeleton has a point of this name: a trunk point alone, a limb's with `.l` or `.r`.
bool isNamedPoint(const QString &point)
{
    const auto owner = pointOwners().constFind(kindOf(point));
    if (owner == pointOwners().constEnd())
        return false;
    return isTrunkBone(*owner) ? !point.contains('.')
                               : point.count('.') == 1 && QStringList{"l", "r"}.contains(point.section('.', 1));
}

QMatrix4x4 fromAxes(const QVector3D &x, const QVector3D &y, const QVector3D &z)
{
    QMatrix4x4 m;
    m.setColumn(0, QVector4D(x, 0));
    m.setColumn(1, QVector4D(y, 0));
    m.setColumn(2, QVector4D(z, 0));
    return m;
}

QVector3D rotate(const QMatrix4x4 &m, const QVector3D &v) { return m.mapVector(v); }

class Solver {
public:
    Solver(const Pose &pose, QStringList *floorProblems) : pose(pose), floorProblems(floorProblems)
    {
        fig.pose = &pose;
    }

    Figure solve()
    {
        checkLimits();
        forward();
        for (const Reach &r : pose.reaches)
            reach(r);
        for (const Aim &a : pose.aims)
            aim(a);
        build();
        floor();
        return fig;
    }

private:
    const Pose &pose;
    QStringList *floorProblems;
    Figure fig;

    void floorFail(const QString &what) const
    {
        if (!floorProblems)
            fail(what);
        *floorProblems << what;
    }

    [[noreturn]] void fail(const QString &what) const { failAt(pose.file, what); }

    QVector3D angles(const QString &joint) const { return pose.angles.value(joint); }

    QMatrix4x4 local(const QString &joint) const
    {
        return jointRotation(kindOf(joint), angles(joint), joint.endsWith(".r") ? -1.f : 1.f);
    }

    void checkLimits() const
    {
        for (auto it = pose.angles.begin(); it != pose.angles.end(); ++it) {
            const JointLimit *lim = jointLimit(it.key());
            if (!lim)
                fail(QStringLiteral("line %1: no joint called %2").arg(pose.angleLine.value(it.key())).arg(it.key()));
            for (int i = 0; i < 3; ++i) {
                const double v = it.value()[i];
                if (i >= lim->axes ? v != 0 : (v < lim->lo[i] || v > lim->hi[i]))
                    fail(QStringLiteral("joint %1: %2 %3 is outside %4..%5")
                             .arg(it.key(), i < lim->axes ? QString(lim->axis[i]) : QStringLiteral("angle"))
                             .arg(v)
                             .arg(i < lim->axes ? lim->lo[i] : 0)
                             .arg(i < lim->axes ? lim->hi[i] : 0));
            }
        }
    }

    void set(const QString &point, const QVector3D &p) { fig.points[point] = p; }

    void forward()
    {
        auto &F = fig.frames;
        F["pelvis"] = local("body");
        set("pelvis", QVector3D(0, float(pose.height), 0));
        F["lumbar"] = F["pelvis"] * local("lumbar");
        set("waist", fig.at("pelvis") + rotate(F["lumbar"], {0, kLumbar, 0}));
        F["thorax"] = F["lumbar"] * local("thorax");
        set("neckbase", fig.at("waist") + rotate(F["thorax"], {0, kThorax, 0}));
        F["neck"] = F["thorax"] * local("neck");
        set("headbase", fig.at("neckbase") + rotate(F["neck"], {0, kNeck, 0}));
        F["head"] = F["neck"] * local("head");
        set("head", fig.at("headbase") + rotate(F["head"], kHeadCentre));
        for (const QString s : {"l", "r"}) {
            const float m = s == "l" ? 1 : -1;
            set("shoulder." + s, fig.at("neckbase") + rotate(F["thorax"], kShoulder * QVector3D(m, 1, 1)));
            F["shoulder." + s] = F["thorax"] * local("shoulder." + s);
            set("elbow." + s, fig.at("shoulder." + s) + rotate(F["shoulder." + s], {0, -kUpperArm, 0}));
            F["elbow." + s] = F["shoulder." + s] * local("elbow." + s);
            set("wrist." + s, fig.at("elbow." + s) + rotate(F["elbow." + s], {0, -kForearm, 0}));
            hand(s);
            set("hip." + s, fig.at("pelvis") + rotate(F["pelvis"], kHip * QVector3D(m, 1, 1)));
            F["hip." + s] = F["pelvis"] * local("hip." + s);
            set("knee." + s, fig.at("hip." + s) + rotate(F["hip." + s], {0, -kThigh, 0}));
            F["knee." + s] = F["hip." + s] * local("knee." + s);
            set("ankle." + s, fig.at("knee." + s) + rotate(F["knee." + s], {0, -kShin, 0}));
            foot(s);
        }
    }

    void hand(const QString &s)
    {
        auto &F = fig.frames;
        F["wrist." + s] = F["elbow." + s] * local("wrist." + s);
        set("fingers." + s, fig.at("wrist." + s) + rotate(F["wrist." + s], {0, -kHand, 0}));
    }

    void foot(const QString &s)
    {
        auto &F = fig.frames;
        F["ankle." + s] = F["knee." + s] * local("ankle." + s);
        footPoints(s);
    }

    // The heel, the toe tip and the ball where the ankle's frame, once set, puts them.
    void footPoints(const QString &s)
    {
        const QMatrix4x4 &frame = fig.frames["ankle." + s];
        set("heel." + s, fig.at("ankle." + s) + frame.mapVector(kHeelAt));
        set("toe." + s, fig.at("ankle." + s) + frame.mapVector(kToeTipAt));
        bendBall(s);
    }

    // The ball of the foot, in the ankle's frame (x toward the little toe on the left foot): the
    // centre of the forefoot's broad round end, so the toes turn about it without the ball's
    // underside moving.
    static QVector3D ballPivot(float m) { return {-0.2f * m, -3.0f, 4.6f}; }

    // The toes' frame: the foot's, turned up at the ball by `ball.l` / `ball.r`. Without the
    // angle the toes keep the foot's frame exactly and the toe point stays where the foot put it.
    void bendBall(const QString &s)
    {
        auto &F = fig.frames;
        const float m = s == "l" ? 1 : -1, flex = angles("ball." + s)[0];
        const QMatrix4x4 foot = F["ankle." + s];
        set("ball." + s, fig.at("ankle." + s) + foot.mapVector(ballPivot(m)));
        if (flex == 0) {
            F["ball." + s] = foot;
            return;
        }
        F["ball." + s] = foot * rot({{-flex, X}}); // up, against the ankle's flex
        set("toe." + s, toesAt(s, kToeTipAt));
    }

    // A point of the toes or the front of the forefoot, given in the ankle's frame as if the foot
    // were straight, where the bend at the ball takes it.
    QVector3D toesAt(const QString &s, const QVector3D &v) const
    {
        const QVector3D pivot = ballPivot(s == "l" ? 1 : -1);
        return fig.at("ball." + s) + fig.frames["ball." + s].mapVector(v - pivot);
    }

    void reach(const Reach &r)
    {
        const QString s = r.limb.section('.', 1);
        const bool arm = r.limb.startsWith("arm");
        const QString root = (arm ? "shoulder." : "hip.") + s, mid = (arm ? "elbow." : "knee.") + s,
                      end = (arm ? "wrist." : "ankle.") + s;
        const float a = arm ? kUpperArm : kThigh, b = arm ? kForearm : kShin;
        const QMatrix4x4 parent = fig.frames[arm ? "thorax" : "pelvis"];
        const float m = s == "l" ? 1 : -1;
        QVector3D target = r.point;
        if (!r.joint.isEmpty()) {
            if (!fig.points.contains(r.joint))
                fail(QStringLiteral("line %1: no point called %2").arg(r.line).arg(r.joint));
            if (r.local)
                target = fig.frames[frameOf(r.joint)].mapVector(target);
            target += fig.at(r.joint);
            if (r.level)
                target.setY(r.point.y());
        }
        const QVector3D S = fig.at(root);
        QVector3D toT = target - S;
        float d = toT.length();
        if (d > a + b + 0.5f)
            fail(QStringLiteral("line %1: %2 cannot reach its target, %3 units too far")
                     .arg(r.line)
                     .arg(r.limb)
                     .arg(d - a - b, 0, 'f', 1));
        const QVector3D u = toT.normalized();
        d = qBound(std::abs(a - b) + 0.01f, d, a + b - 0.001f);
        QVector3D pole = !r.pole.isNull() && r.local ? fig.frames[frameOf(r.joint)].mapVector(r.pole)
                         : r.pole.isNull()
                             ? rotate(parent, arm ? QVector3D(0.3f * m, -0.2f, -1) : QVector3D(0.1f * m, 0, 1))
                             : r.pole;
        QVector3D perp = pole - QVector3D::dotProduct(pole, u) * u;
        if (perp.length() < 1e-4f)
            fail(QStringLiteral("line %1: the pole of %2 points along the limb").arg(r.line).arg(r.limb));
        perp.normalize();
        const float cosA = (a * a + d * d - b * b) / (2 * a * d);
        const float sinA = std::sqrt(std::max(0.f, 1 - cosA * cosA));
        const QVector3D E = S + a * (cosA * u + sinA * perp), W = S + d * u;
        const QVector3D yu = (S - E).normalized(), f = (W - E).normalized();
        QVector3D bendDir = f - QVector3D::dotProduct(f, yu) * yu;
        QVector3D zu = bendDir.length() > 1e-3f ? bendDir.normalized() : -perp;
        if (!arm)
            zu = -zu;
        const QVector3D xu = QVector3D::crossProduct(yu, zu);
        const QVector3D yl = (E - W).normalized(), zl = QVector3D::crossProduct(xu, yl);
        fig.frames[root] = fromAxes(xu, yu, zu);
        fig.frames[mid] = fromAxes(xu, yl, zl);
        set(mid, E);
        set(end, W);
        if (arm)
            hand(s);
        else
            foot(s);
        checkReach(r, parent, root, qRadiansToDegrees(std::acos(qBound(-1.f, QVector3D::dotProduct(-yu, f), 1.f))));
    }

    void aim(const Aim &a)
    {
        const QString s = a.part.section('.', 1);
        const bool hand = a.part.startsWith("hand");
        const float m = s == "l" ? 1 : -1;
        const QMatrix4x4 room = a.body ? fig.frames["pelvis"] : QMatrix4x4();
        const QVector3D along = room.mapVector(a.along).normalized(), aimFacing = room.mapVector(a.facing);
        QVector3D facing = aimFacing - QVector3D::dotProduct(aimFacing, along) * along;
        if (facing.length() < 1e-3f)
            fail(QStringLiteral("line %1: %2 cannot face the way it points").arg(a.line).arg(a.part));
        facing.normalize();
        QMatrix4x4 frame;
        if (hand) {
            const QVector3D y = -along, x = -m * facing;
            frame = fromAxes(x, y, QVector3D::crossProduct(x, y));
        } else {
            const QVector3D y = -facing, z = along;
            frame = fromAxes(QVector3D::crossProduct(y, z), y, z);
        }
        // The wrist bends at most 95 degrees off the forearm; the toes come at most 35
        // degrees nearer the shin than a right angle.
        const QVector3D bone = -fig.frames[(hand ? "elbow." : "knee.") + s].column(1).toVector3D();
        const double angle = qRadiansToDegrees(std::acos(qBound(-1.f, QVector3D::dotProduct(bone, along), 1.f)));
        if (angle > (hand ? 95 : 125))
            fail(QStringLiteral("joint %1: %2 is bent %3 degrees off the %4 (line %5)")
                     .arg(hand ? "wrist." + s : "ankle." + s, a.part)
                     .arg(qRound(angle))
                     .arg(hand ? "forearm" : "shin")
                     .arg(a.line));
        if (hand) {
            fig.frames["wrist." + s] = frame;
            set("fingers." + s, fig.at("wrist." + s) + frame.mapVector({0, -kHand, 0}));
        } else {
            fig.frames["ankle." + s] = frame;
            footPoints(s);
        }
    }

    // The solved limb must bend as the joint allows.
    void checkReach(const Reach &r, const QMatrix4x4 &parent, const QString &root, double fold) const
    {
        const bool arm = r.limb.startsWith("arm");
        const float m = r.limb.endsWith(".l") ? 1 : -1;
        const QVector3D d = parent.transposed().mapVector(-fig.frames[root].column(1).toVector3D());
        double flex = qRadiansToDegrees(std::atan2(d.z(), -d.y()));
        if (arm && flex < -110)
            flex += 360;
        const double abd = qRadiansToDegrees(std::asin(qBound(-1.f, d.x(), 1.f))) * m;
        const JointLimit *rootLim = jointLimit(root), *midLim = jointLimit(arm ? "elbow.l" : "knee.l");
        const double slack = 3;
        const QString mid = (arm ? "elbow." : "knee.") + r.limb.section('.', 1);
        if (fold > midLim->hi[0] + slack)
            fail(QStringLiteral("joint %1: flex %2 is outside %3..%4 (reach on line %5)")
                     .arg(mid)
                     .arg(qRound(fold))
                     .arg(midLim->lo[0])
                     .arg(midLim->hi[0])
                     .arg(r.line));
        // Flexion means little for a limb held straight out to the side.
        if (std::abs(d.x()) < 0.9f && (flex < rootLim->lo[0] - slack || flex > rootLim->hi[0] + slack))
            fail(QStringLiteral("joint %1: flex %2 is outside %3..%4 (reach on line %5)")
                     .arg(root)
                     .arg(qRound(flex))
                     .arg(rootLim->lo[0])
                     .arg(rootLim->hi[0])
                     .arg(r.line));
        if (abd < rootLim->lo[1] - slack || abd > rootLim->hi[1] + slack)
            fail(QStringLiteral("joint %1: abd %2 is outside %3..%4 (reach on line %5)")
                     .arg(root)
                     .arg(qRound(abd))
                     .arg(rootLim->lo[1])
                     .arg(rootLim->hi[1])
                     .arg(r.line));
    }

    int addPart(const QString &name, Material material)
    {
        fig.parts.push_back({name, material});
        return fig.parts.size() - 1;
    }

    void capsule(int part, const QVector3D &a, float ra, const QVector3D &b, float rb, int digit = 0)
    {
        fig.capsules.push_back({a, b, ra, rb, part, digit});
    }

    // The body's surface as tapered capsules, one part per bone (torso and head as wholes).
    void build()
    {
        const auto &F = fig.frames;
        const auto at = [&](const QString &frame, const QString &origin, QVector3D v) {
            return fig.at(origin) + F[frame].mapVector(v);
        };
        // Wider than deep: pairs of capsules side by side for the hips, waist and ribcage.
        int p = addPart("torso", Material::Shirt);
        capsule(p, at("pelvis", "pelvis", {4.6f, -2.4f, -0.6f}), 6.6f, at("pelvis", "pelvis", {-4.6f, -2.4f, -0.6f}),
                6.6f);
        // The waist and the ribcage follow the spine's curve in short steps, so a backbend is an
        // even arch and a twist turns the chest little by little, not blocks hinged at a joint.
        // Across: two capsules side by side, wider at the ribs; u runs up the spine as in spineAt.
        struct Section {
            float u, x, z, r;
        };
        const Section profile[] = {{-3, 2.6f, -0.4f, 5.9f},
                                   {0, 2.6f, -0.4f, 6.4f},
                                   {13, 2.6f, -0.5f, 6.6f},
                                   {14, 3.8f, -0.5f, 6.6f},
                                   {21.5f, 4.56f, -0.3f, 6.8f}};
        QVector<Section> steps;
        for (size_t i = 0; i + 1 < std::size(profile); ++i) {
            const Section &a = profile[i], &b = profile[i + 1];
            const int n = std::max(1, int(std::ceil((b.u - a.u) / 1.25f)));
            for (int k = 0; k < n; ++k) {
                const float t = float(k) / n;
                steps << Section{a.u + t * (b.u - a.u), a.x + t * (b.x - a.x), a.z + t * (b.z - a.z),
                                 a.r + t * (b.r - a.r)};
            }
        }
        steps << profile[std::size(profile) - 1];
        QVector<SpineFrame> spine;
        for (const Section &s : steps)
            spine << spineAt(fig, s.u);
        for (const float side : {1.f, -1.f})
            for (int i = 0; i + 1 < steps.size(); ++i) {
                const Section &a = steps[i], &b = steps[i + 1];
                capsule(p, spine[i].point + spine[i].rotation.rotatedVector({side * a.x, 0, a.z}), a.r,
                        spine[i + 1].point + spine[i + 1].rotation.rotatedVector({side * b.x, 0, b.z}), b.r);
            }
        capsule(p, at("thorax", "waist", {6, 11.2f, -0.6f}), 6.0f, at("thorax", "waist", {-6, 11.2f, -0.6f}), 6.0f);
        p = addPart("neck", Material::Skin);
        capsule(p, fig.at("neckbase") + F["neck"].mapVector({0, -2, -0.5f}), 3.3f, fig.at("headbase"), 3.1f);
        p = addPart("head", Material::Head);
        capsule(p, fig.at("head"), kHeadRadius, fig.at("head") + F["head"].mapVector({0, 0.6f, -0.6f}), kHeadRadius);
        // The jaw, under the front of the skull: a chin that shows in profile and a jaw line
        // over the neck from the front, so the face's way up reads as well as its direction.
        capsule(p, at("head", "head", {2.4f, -3.4f, 1.6f}), 2.9f, at("head", "head", {0, -4.5f, 3.5f}), 2.3f);
        capsule(p, at("head", "head", {-2.4f, -3.4f, 1.6f}), 2.9f, at("head", "head", {0, -4.5f, 3.5f}), 2.3f);
        // A wedge sloping down from between the eyes, past the outline of the head in profile.
        p = addPart("nose", Material::Skin);
        capsule(p, at("head", "head", {0, -0.4f, 5.7f}), 1.0f, at("head", "head", {0, -2.8f, 7.35f}), 0.6f);
        if (pose.flags.contains("tongue")) {
            p = addPart("tongue", Material::Tongue);
            // Out of the middle of the open mouth and down over the chin, a mouth's width below
            // the nose's tip so the two never merge into one shape.
            capsule(p, at("head", "head", {0, -5.7f, 5.5f}), 0.9f, at("head", "head", {0, -8.6f, 5.3f}), 0.9f);
        }
        for (const QString s : {"l", "r"}) {
            const float m = s == "l" ? 1 : -1;
            // A sleeveless top: in the top's lilac an upper arm along the side, across the chest
            // or down into the legs merged with the trunk, and the elbow with it.
            p = addPart("upperarm." + s, Material::Skin);
            capsule(p, fig.at("shoulder." + s), 4.0f, fig.at("elbow." + s), 2.8f);
            p = addPart("forearm." + s, Material::Skin);
            capsule(p, fig.at("elbow." + s), 2.6f, fig.at("wrist." + s), 1.8f);
            handShape(s, m);
            p = addPart("thigh." + s, Material::Clothes);
            capsule(p, fig.at("hip." + s) + F["pelvis"].mapVector({0, 1.0f, 0}), 5.8f, fig.at("knee." + s), 4.0f);
            p = addPart("shin." + s, Material::Clothes);
            const QVector3D calf = at("knee." + s, "knee." + s, {0, -8, -0.9f});
            capsule(p, fig.at("knee." + s), 4.0f, calf, 3.9f);
            capsule(p, calf, 3.9f, fig.at("ankle." + s), 2.3f);
            capsule(p, at("knee." + s, "knee." + s, {0, 0.3f, 1.4f}), 3.0f, at("knee." + s, "knee." + s, {0, -2, 1.2f}),
                    2.6f);
            p = addPart("foot." + s, Material::Skin);
            const auto f = [&](float x, float y, float z) { return at("ankle." + s, "ankle." + s, {m * x, y, z}); };
            // A heel that juts behind the ankle and toes split from the forefoot by a line, the
            // big toe on the inner edge: which way a foot points and which side is its sole show
            // from any view. The foot narrows behind the ball, so a sole seen flat has a heel, an
            // arch and a broad ball, not an even lozenge; three toes with lines between them
            // read as toes where two read as a notch.
            capsule(p, f(0, 0, 0), 2.4f, f(0, -2.4f, 0.8f), 2.4f);
            capsule(p, f(0, -3.2f, -2.6f), 2.2f, f(0, -3.4f, 1.0f), 1.9f);
            // The instep slopes from the ankle down to the ball: from its side or its end a foot
            // is a wedge, high at the ankle, where a hand is a flat plate.
            capsule(p, f(0, -0.6f, 1.2f), 2.2f, f(-0.2f, -2.4f, 5.2f), 1.7f);
            capsule(p, f(0, -3.4f, 1.0f), 1.8f, f(-0.2f, -3.0f, 4.6f), 2.4f, kForefoot);
            // Past the ball the forefoot and the toes bend with `ball`.
            const bool bent = angles("ball." + s)[0] != 0;
            const auto t = [&](float x, float y, float z) { return bent ? toesAt(s, {m * x, y, z}) : f(x, y, z); };
            capsule(p, f(-0.2f, -3.0f, 4.6f), 2.4f, t(-0.2f, -3.5f, 6.0f), 1.9f, kForefoot);
            // Short round toes packed side by side, the big toe the largest and longest and the
            // others stepping back from it: long, separate digits read as fingers.
            capsule(p, t(-1.2f, -3.8f, 6.3f), 1.25f, t(-1.3f, -3.9f, 8.3f), 1.15f, kBigToe);
            capsule(p, t(0.5f, -3.9f, 6.0f), 0.95f, t(0.6f, -4.0f, 7.4f), 0.85f, kToes);
            capsule(p, t(1.8f, -3.9f, 5.6f), 0.8f, t(2.0f, -4.0f, 6.6f), 0.7f, kSmallToes);
        }
    }

    // Digits of a hand, numbered for the grooves between them: the index next to the thumb.
    enum { kIndex = 1, kMiddle, kRing, kLittle, kThumb };

    // In the hand's frame y runs back from the fingertips, z across the knuckles toward the
    // thumb and x out of the back of the hand: the palm faces -x.
    void handShape(const QString &s, float m)
    {
        // Drawn a little larger than life, as a cartoon draws hands, so the fingers show at
        // the pictures' size.
        constexpr float k = 1.08f;
        const auto h = [&](float x, float y, float z) {
            return fig.at("wrist." + s) + fig.frames["wrist." + s].mapVector(QVector3D(m * x, y, z) * k);
        };
        const auto hcap = [&](int part, const QVector3D &a, float ra, const QVector3D &b, float rb, int digit = 0) {
            capsule(part, a, ra * k, b, rb * k, digit);
        };
        const int p = addPart("hand." + s, Material::Skin);
        // A palm wider than thick, so the back of the hand and its edge look different and the
        // fingers start from a row of knuckles instead of a ball.
        // A fist's palm stops short of the knuckles, so the four knuckles round its end instead
        // of one ball: seen from the front the fist's top is a row of bumps.
        const bool fist = pose.flags.contains("fists");
        for (const float z : {0.85f, -0.85f})
            hcap(p, h(0, -0.3f, z * 0.6f), 1.5f, h(0, fist ? -3.2f : -4.0f, z), 1.45f);
        const float across[4] = {1.65f, 0.55f, -0.55f, -1.65f}; // index to little finger
        const int thumb = addPart("thumb." + s, Material::Skin);
        if (pose.flags.contains("interlace")) {
            interlacedFingers(s, m, p);
            hcap(thumb, h(-0.6f, -1.0f, 1.4f), 1.05f, h(-1.0f, -4.2f, 3.0f), 0.8f, kThumb);
            return;
        }
        if (fist) {
            // Each finger folds at its knuckle and again toward the palm: a row of four knuckles
            // on top, as thick as the palm, the thumb closed across the folded fingers.
            for (int i = 0; i < 4; ++i) {
                const float z = across[i] * 0.9f;
                hcap(p, h(0.1f, -3.6f, z), 0.92f, h(-0.3f, -5.7f, z), 0.86f, kIndex + i);
                hcap(p, h(-0.3f, -5.7f, z), 0.86f, h(-2.1f, -4.4f, z * 0.95f), 0.74f, kIndex + i);
            }
            hcap(thumb, h(-0.9f, -1.0f, 1.6f), 1.0f, h(-2.2f, -3.6f, 2.2f), 0.85f, kThumb);
            hcap(thumb, h(-2.2f, -3.6f, 2.2f), 0.85f, h(-3.2f, -5.1f, 0.3f), 0.7f, kThumb);
            return;
        }
        if (pose.flags.contains("grip") || pose.flags.contains("grip." + s)) {
            // Four fingers curled towards the palm round what the hand holds, so an ankle or a
            // shin in the hand shows fingers in front of it and the tips hidden behind it.
            for (int i = 0; i < 4; ++i) {
                const float z = across[i] * 0.92f;
                hcap(p, h(-0.3f, -4.2f, z), 0.72f, h(-1.4f, -7.2f, z * 1.05f), 0.66f, kIndex + i);
                hcap(p, h(-1.4f, -7.2f, z * 1.05f), 0.66f, h(-3.6f, -8.1f, z * 1.05f), 0.56f, kIndex + i);
            }
            hcap(thumb, h(-0.6f, -1.0f, 1.4f), 1.05f, h(-2.6f, -3.6f, 2.6f), 0.8f, kThumb);
            return;
        }
        if (pose.flags.contains("seal")) {
            // The knowledge seal: the index curls to meet the thumb's tip in a ring while the
            // other three fingers stay long, which reads as a gesture, not a hand at rest.
            const float length[3] = {4.0f, 3.7f, 3.0f};
            for (int i = 1; i < 4; ++i)
                hcap(p, h(-0.3f, -4.2f, across[i]), 0.66f, h(-0.6f, -4.3f - length[i - 1], across[i] * 1.05f), 0.52f,
                     kIndex + i);
            hcap(p, h(-0.3f, -4.3f, 1.5f), 0.75f, h(-1.4f, -6.6f, 1.9f), 0.7f, kIndex);
            hcap(p, h(-1.4f, -6.6f, 1.9f), 0.7f, h(-2.4f, -5.4f, 2.6f), 0.62f, kIndex);
            hcap(thumb, h(-0.6f, -1.0f, 1.4f), 1.05f, h(-2.3f, -4.9f, 2.6f), 0.8f, kThumb);
            return;
        }
        if (pose.flags.contains("spread-fingers")) {
            for (int i = 0; i < 4; ++i) {
                const float z = across[i];
                hcap(p, h(-0.3f, -4.2f, z * 0.9f), 0.72f, h(-0.3f, -8.3f, z * 1.8f), 0.55f, kIndex + i);
            }
        } else {
            // Long fingers side by side, the middle one longest, a little curled like a hand at
            // rest: four shapes a viewer counts, not a mitten.
            const float length[4] = {3.7f, 4.1f, 3.8f, 3.1f};
            for (int i = 0; i < 4; ++i)
                hcap(p, h(-0.3f, -4.2f, across[i]), 0.66f, h(-0.7f, -4.2f - length[i], across[i] * 0.95f), 0.52f,
                     kIndex + i);
        }
        // An open hand pointing up that the camera sees near its edge shows its fingers as one
        // narrow band, and a thumb jutting from it reads as a fist with the thumb up; there the
        // thumb lies along the index, so the hand reads flat.
        const double az = qDegreesToRadians(pose.azimuth), el = qDegreesToRadians(pose.elevation);
        const QVector3D toCamera(float(std::sin(az) * std::cos(el)), float(std::sin(el)),
                                 float(std::cos(az) * std::cos(el)));
        const QVector3D palm = fig.frames["wrist." + s].mapVector({-m, 0, 0});
        const QVector3D fingers = fig.frames["wrist." + s].mapVector({0, -1, 0});
        if (fingers.y() > 0.7f && std::abs(QVector3D::dotProduct(palm, toCamera)) < kEdgeOn)
            hcap(thumb, h(-0.3f, -1.2f, 1.0f), 0.95f, h(-0.3f, -5.0f, 1.7f), 0.75f, kThumb);
        else
            hcap(thumb, h(-0.6f, -1.0f, 1.4f), 1.05f, h(-1.0f, -4.2f, 3.0f), 0.8f, kThumb);
    }

    // Fingers interlocked: the two knuckle rows meet, the eight fingers alternate along one
    // row, the left index outermost on the thumbs' side, and each finger passes between two
    // of the other hand's and lies over the back of that hand. The thumbs stay free.
    void interlacedFingers(const QString &s, float m, int part)
    {
        constexpr float k = 1.08f;
        const QString o = s == "l" ? "r" : "l";
        const auto in = [&](const QString &side, float mm, float x, float y, float z) {
            return fig.at("wrist." + side) + fig.frames["wrist." + side].mapVector(QVector3D(mm * x, y, z) * k);
        };
        const QVector3D ownRow = in(s, m, -0.3f, -4.2f, 0), otherRow = in(o, -m, -0.3f, -4.2f, 0);
        const float apart = (ownRow - otherRow).length();
        if (apart > kInterlaceReach)
            fail(QStringLiteral("interlace: the hands' knuckles are %1 units apart, more than %2")
                     .arg(apart, 0, 'f', 1)
                     .arg(kInterlaceReach));
        // Across both rows toward the thumbs; a mirrored pair of hands has them on one side.
        const QVector3D thumbs =
            (fig.frames["wrist." + s].mapVector({0, 0, 1}) + fig.frames["wrist." + o].mapVector({0, 0, 1}))
                .normalized();
        const QVector3D centre = (ownRow + otherRow) / 2;
        const QVector3D palms =
            (fig.frames["wrist." + s].mapVector({-m, 0, 0}) + fig.frames["wrist." + o].mapVector({m, 0, 0}))
                .normalized();
        // Over the other hand: from its knuckles toward its wrist and out of its back.
        const QVector3D back = fig.frames["wrist." + o].mapVector({-m, 0, 0}).normalized();
        const QVector3D toWrist = (fig.at("wrist." + o) - otherRow).normalized();
        const float across[4] = {1.65f, 0.55f, -0.55f, -1.65f}; // index to little finger
        for (int i = 0; i < 4; ++i) {
            // Eight slots along the row, the two hands taking turns from the thumbs' side.
            const float slot = (3.5f - 2 * i - (s == "l" ? 0 : 1)) * kInterlaceGap;
            const QVector3D root = in(s, m, -0.3f, -4.2f, across[i]);
            // Between the palms the fingers rise a little to the palms' side, so the row of
            // alternating fingers shows there as a comb rather than sinking between two palms.
            const QVector3D cross = centre + thumbs * slot + palms * 0.4f;
            // The tips close in a little over the narrower back of the hand.
            const QVector3D tip = otherRow + thumbs * (slot * 0.9f) + toWrist * 0.4f + back * 2.0f;
            capsule(part, root, 0.66f * k, cross, 0.62f * k, kIndex + i);
            capsule(part, cross, 0.62f * k, tip, 0.5f * k, kIndex + i);
        }
    }

    void floor()
    {
        if (!pose.fixedHeight) {
            const float drop = float(fig.lowest());
            for (auto &pt : fig.points)
                pt.setY(pt.y() - drop);
            for (Capsule &c : fig.capsules) {
                c.a.setY(c.a.y() - drop);
                c.b.setY(c.b.y() - drop);
            }
        }
        for (const Part &part : fig.parts) {
            const double low = fig.lowest(part.name);
            if (low < -0.3)
                floorFail(QStringLiteral("%1 goes %2 units through the floor").arg(part.name).arg(-low, 0, 'f', 1));
        }
        for (const QString &c : pose.contacts) {
            bool known = false;
            for (const Part &part : fig.parts)
                known |= part.name == c;
            if (!known)
                fail(QStringLiteral("no part called %1 to rest on the floor").arg(c));
            const double low = fig.lowest(c);
            if (low > 1.5) // about 2.5 cm: touching, at the scale of the pictures
                floorFail(
                    QStringLiteral("%1 should rest on the floor but is %2 units above it").arg(c).arg(low, 0, 'f', 1));
        }
    }
};

QVector3D numbers(const QStringList &words, int from, int count, const QString &where)
{
    QVector3D v;
    if (words.size() - from != count)
        failAt(where, QStringLiteral("expected %1 numbers").arg(count));
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        v[i] = words[from + i].toFloat(&ok);
        if (!ok || !std::isfinite(v[i]))
            failAt(where, QStringLiteral("'%1' is not a number").arg(words[from + i]));
    }
    return v;
}

const QSet<QString> kFlags = {"tongue", "spread-fingers", "fists",       "grip",     "grip.l",
                              "grip.r", "seal",           "eyes-closed", "interlace"};

} // namespace

// Around the pelvis and the waist the spine's centre line cuts the corner between the two bones
// with a quadratic curve whose two arms are nearly equal, so the bend is spread evenly instead of
// bunched at one end: at the pelvis from a little below it (the sacrum) to a third of the way up
// the lumbar bone, at the waist from there to halfway up the ribcage. The frame turns along with
// the curve's direction. Past halfway up the ribcage the thorax's own frame holds, so the
// shoulders, the neck and everything the arms reach for stay where the joints put them.
SpineFrame spineAt(const Figure &f, float u)
{
    constexpr float kSpread = 4.5f; // the pelvis's curve reaches this far down and up
    const auto quat = [&](const QString &bone) {
        const QMatrix4x4 &m = f.frames[bone];
        return QQuaternion::fromAxes(m.column(0).toVector3D(), m.column(1).toVector3D(), m.column(2).toVector3D())
            .normalized();
    };
    const auto up = [&](const QString &bone) { return f.frames[bone].column(1).toVector3D(); };
    struct Corner {
        QString lower, upper, joint;
        float at, below, above; // u of the joint; the curve's reach down and up the bones
    };
    const Corner corners[] = {{"pelvis", "lumbar", "pelvis", 0, kSpread, kSpread},
                              {"lumbar", "thorax", "waist", kLumbar, kLumbar - kSpread, kThorax / 2}};
    if (u <= -kSpread)
        return {f.at("pelvis") + up("pelvis") * u, quat("pelvis")};
    for (const Corner &c : corners) {
        if (u > c.at + c.above)
            continue;
        const QVector3D a = up(c.lower), b = up(c.upper), J = f.at(c.joint);
        const QVector3D q0 = J - a * c.below, q2 = J + b * c.above;
        const float t = qBound(0.f, (u - (c.at - c.below)) / (c.below + c.above), 1.f);
        const QVector3D point = (1 - t) * (1 - t) * q0 + 2 * t * (1 - t) * J + t * t * q2;
        // Turn the frame as far as the curve's direction has turned.
        const QVector3D dir = (1 - t) * c.below * a + t * c.above * b;
        const float total = std::atan2(QVector3D::crossProduct(a, b).length(), QVector3D::dotProduct(a, b));
        const float w =
            total < 1e-3f ? t
                          : std::atan2(QVector3D::crossProduct(a, dir).length(), QVector3D::dotProduct(a, dir)) / total;
        return {point, QQuaternion::slerp(quat(c.lower), quat(c.upper), qBound(0.f, w, 1.f))};
    }
    return {f.at("waist") + up("thorax") * (u - kLumbar), quat("thorax")};
}

double Figure::lowest(const QString &part) const
{
    double low = 1e9;
    for (const Capsule &c : capsules)
        if (part.isEmpty() || parts[c.part].name == part)
            low = std::min({low, double(c.a.y() - c.ra), double(c.b.y() - c.rb)});
    return low;
}

const JointLimit *jointLimit(const QString &joint)
{
    const QString kind = kindOf(joint);
    const bool sided = joint.endsWith(".l") || joint.endsWith(".r");
    for (const JointLimit &l : kLimits) {
        if (kind != l.joint)
            continue;
        const bool limb = QStringList{"shoulder", "elbow", "wrist", "hip", "knee", "ankle", "ball"}.contains(kind);
        if (joint.contains('.') ? (limb && sided && joint.count('.') == 1) : !limb)
            return &l;
    }
    return nullptr;
}

namespace {

// `turn: POINT RADIUS FROM TO`: at most one arrow, round the vertical through a named point.
void parseTurn(Pose &pose, const QStringList &w, int line, const QString &where)
{
    if (pose.turn.line)
        failAt(where, "turn is given twice");
    if (w.size() != 4)
        failAt(where, "expected 'turn: POINT RADIUS FROM TO'");
    if (!isNamedPoint(w[0]))
        failAt(where, "no point called '" + w[0] + "'");
    const QVector3D v = numbers(w, 1, 3, where);
    TurnArrow t{w[0], v[0], v[1], v[2], line};
    if (t.radius < 5 || t.radius > 30)
        failAt(where, "turn radius must be between 5 and 30 units");
    // Shorter, the arc is only its head; longer, it closes on itself and hides which way it runs.
    const double sweep = std::abs(t.to - t.from);
    if (sweep < 30 || sweep > 300)
        failAt(where, "turn must sweep between 30 and 300 degrees");
    pose.turn = t;
}

// `detail: AZ EL POINT[+POINT] ZOOM CORNER [SHARE]`: at most one inset, round a named point.
void parseDetail(Pose &pose, const QStringList &w, int line, const QString &where)
{
    if (pose.detail.line)
        failAt(where, "detail is given twice");
    if (w.size() != 5 && w.size() != 6)
        failAt(where, "expected 'detail: AZIMUTH ELEVATION POINT ZOOM CORNER [SIZE]'");
    const auto number = [&](int i) { return double(numbers({w[i]}, 0, 1, where)[0]); };
    Detail d;
    d.line = line;
    d.azimuth = number(0);
    d.elevation = number(1);
    if (d.elevation < -5 || d.elevation > 45)
        failAt(where, "detail elevation must be between -5 and 45 degrees");
    d.points = w[2].split('+');
    if (d.points.size() > 2)
        failAt(where, "detail centres on one point or between two, not '" + w[2] + "'");
    for (const QString &p : d.points)
        if (!isNamedPoint(p))
            failAt(where, "no point called '" + p + "'");
    d.zoom = number(3);
    // Less than this the inset repeats the picture; more and it shows a patch with no context.
    if (d.zoom < 1.5 || d.zoom > 4)
        failAt(where, "detail zoom must be between 1.5 and 4");
    d.corner = w[4];
    if (!QStringList{"tl", "tr", "bl", "br"}.contains(d.corner))
        failAt(where, "detail corner must be tl, tr, bl or br, not '" + d.corner + "'");
    if (w.size() == 6) {
        d.share = number(5);
        if (d.share < 0.25 || d.share > 0.45)
            failAt(where, "detail size must be between 0.25 and 0.45 of the frame");
    }
    pose.detail = d;
}

} // namespace

Pose parsePoseText(const QString &text, const QString &file)
{
    Pose pose;
    pose.file = file;
    const QStringList lines = text.split('\n');
    for (int n = 0; n < lines.size(); ++n) {
        const QString where = QStringLiteral("%1:%2").arg(file).arg(n + 1);
        const QString line = lines[n].section('#', 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith("reach ")) {
            QStringList w = line.split(QRegularExpression("\\s+"));
            Reach r;
            r.line = n + 1;
            r.limb = w.value(1);
            if (!QStringList{"arm.l", "arm.r", "leg.l", "leg.r"}.contains(r.limb))
                failAt(where, "reach needs arm.l, arm.r, leg.l or leg.r, not '" + r.limb + "'");
            const int poleAt = w.indexOf("pole");
            if (poleAt >= 0) {
                if (w.size() != poleAt + 4)
                    failAt(where, "pole takes three numbers");
                r.pole = numbers(w.mid(0, poleAt + 4), poleAt + 1, 3, where);
                if (r.pole.isNull())
                    failAt(where, "the pole must not be 0 0 0");
                w = w.mid(0, poleAt);
            }
            if (w.value(2) == "at" || w.value(2) == "on") {
                r.local = w.value(2) == "on";
                if (w.size() == 7 && w[5].startsWith('@')) {
                    if (r.local)
                        failAt(where, "a height (@) goes with 'at', not 'on'");
                    if (!pose.fixedHeight)
                        failAt(where, "a height (@) needs the pelvis 'height:' first");
                    r.level = true;
                    w[5].remove(0, 1);
                }
                r.joint = w.value(3);
                r.point = w.size() == 4 ? QVector3D() : numbers(w, 4, 3, where);
            } else {
                r.point = numbers(w, 2, 3, where);
            }
            pose.reaches << r;
            continue;
        }
        if (line.startsWith("aim ")) {
            QStringList w = line.split(QRegularExpression("\\s+"));
            Aim a;
            a.body = w.last() == "body";
            if (a.body)
                w.removeLast();
            a.line = n + 1;
            a.part = w.value(1);
            const bool hand = a.part.startsWith("hand.");
            if (!QStringList{"hand.l", "hand.r", "foot.l", "foot.r"}.contains(a.part))
                failAt(where, "aim needs hand.l, hand.r, foot.l or foot.r, not '" + a.part + "'");
            if (w.size() != 10 || w[2] != (hand ? "fingers" : "toes") || w[6] != (hand ? "palm" : "sole"))
                failAt(where, hand ? "expected 'aim HAND fingers X Y Z palm X Y Z'"
                                   : "expected 'aim FOOT toes X Y Z sole X Y Z'");
            a.along = numbers(w.mid(0, 6), 3, 3, where);
            a.facing = numbers(w, 7, 3, where);
            if (a.along.isNull() || a.facing.isNull())
                failAt(where, "an aim direction must not be 0 0 0");
            pose.aims << a;
            continue;
        }
        const int colon = line.indexOf(':');
        if (colon < 0)
            failAt(where, "expected 'key: value' or 'reach ...'");
        const QString key = line.left(colon).trimmed(), value = line.mid(colon + 1).trimmed();
        const QStringList w = value.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
        if (key == "name") {
            pose.name = value;
        } else if (key == "camera") {
            const QVector3D v = numbers(w, 0, 2, where);
            pose.azimuth = v[0];
            pose.elevation = v[1];
            // Looking down from high above, face up and face down can no longer be told apart.
            if (pose.elevation < -5 || pose.elevation > 45)
                failAt(where, "camera elevation must be between -5 and 45 degrees");
        } else if (key == "height") {
            pose.height = numbers(w, 0, 1, where)[0];
            pose.fixedHeight = true;
        } else if (key == "contact") {
            pose.contacts = w;
        } else if (key == "detail") {
            parseDetail(pose, w, n + 1, where);
        } else if (key == "turn") {
            parseTurn(pose, w, n + 1, where);
        } else if (key == "flags") {
            for (const QString &f : w)
                if (!kFlags.contains(f))
                    failAt(where, "unknown flag '" + f + "'");
            pose.flags = QSet<QString>(w.begin(), w.end());
        } else {
            const JointLimit *lim = jointLimit(key);
            if (!lim)
                failAt(where, "unknown key or joint '" + key + "'");
            if (w.isEmpty() || w.size() > lim->axes)
                failAt(where, QStringLiteral("%1 takes 1 to %2 angles").arg(key).arg(lim->axes));
            if (pose.angles.contains(key))
                failAt(where, key + " is given twice");
            pose.angles[key] = numbers(w, 0, w.size(), where);
            pose.angleLine[key] = n + 1;
        }
    }
    if (pose.name.isEmpty())
        failAt(file, "no 'name:'");
    return pose;
}

Pose parsePose(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw PoseError(("cannot read " + path).toStdString());
    return parsePoseText(QString::fromUtf8(f.readAll()), path);
}

Figure solvePose(const Pose &pose, QStringList *floorProblems) { return Solver(pose, floorProblems).solve(); }

bool partsJoined(const QString &a, const QString &b)
{
    static const QList<QPair<QString, QString>> joints = {
        {"torso", "neck"},     {"neck", "head"},        {"head", "nose"},    {"head", "tongue"},
        {"torso", "upperarm"}, {"upperarm", "forearm"}, {"forearm", "hand"}, {"hand", "thumb"},
        {"torso", "thigh"},    {"thigh", "shin"},       {"shin", "foot"},
    };
    const QString sa = a.section('.', 1), sb = b.section('.', 1);
    // Limbs join only on their own side; the torso and head carry no side.
    if (!sa.isEmpty() && !sb.isEmpty() && sa != sb)
        return false;
    const QString ba = a.section('.', 0, 0), bb = b.section('.', 0, 0);
    for (const auto &[x, y] : joints)
        if ((ba == x && bb == y) || (ba == y && bb == x))
            return true;
    return false;
}

#include "pose.h"

#include <QFile>
#include <QTextStream>
#include <QtMath>

#include <stdexcept>

namespace {

// One limb: the joints from the body outwards and the segments between them.
struct Limb {
    QString root, mid, end, tip;
    QString upper, lower, distal;
};

Limb limb(const QString &name)
{
    const QString side = name.section('.', 1);
    if (name.startsWith("arm."))
        return {"shoulder." + side, "elbow." + side, "wrist." + side, "fingers." + side,
                "upperarm." + side, "forearm." + side, "hand." + side};
    return {"hip." + side, "knee." + side, "ankle." + side, "toe." + side,
            "thigh." + side, "shin." + side, "foot." + side};
}

const QStringList kLimbs = {"arm.l", "arm.r", "leg.l", "leg.r"};
const QStringList kSegments = {"pelvis", "waist", "chest", "head",
                               "upperarm.l", "forearm.l", "hand.l", "thigh.l", "shin.l", "foot.l",
                               "upperarm.r", "forearm.r", "hand.r", "thigh.r", "shin.r", "foot.r"};

QPointF unit(double degrees)
{
    const double r = qDegreesToRadians(degrees);
    return {qCos(r), qSin(r)};
}

double lengthOf(const QPointF &p) { return qSqrt(p.x() * p.x() + p.y() * p.y()); }

// line 0: a problem of the whole file rather than of one line.
[[noreturn]] void fail(const QString &file, int line, const QString &message)
{
    const QString where = line > 0 ? QStringLiteral("%1:%2").arg(file).arg(line) : file;
    throw std::runtime_error((where + ": " + message).toStdString());
}

double number(const QString &text, const QString &file, int line)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        fail(file, line, "not a number: " + text);
    return value;
}

// Solves one pose; kept as a class so the helpers share the pose and the joints.
class Solver {
public:
    explicit Solver(const Pose &pose) : pose(pose) { fig.pose = &pose; }

    Figure run()
    {
        trunk();
        for (const QString &name : kLimbs)
            if (!reached(name))
                forward(name);
        place();
        for (const Reach &r : pose.reaches)
            reach(r);
        checkFloor();
        return fig;
    }

private:
    const Pose &pose;
    Figure fig;

    double len(const QString &segment) const
    {
        return Body::length(segment) * pose.scale.value(segment, 1.0);
    }

    // Unset angles continue the parent segment, so a straight limb needs one line.
    double angle(const QString &segment, double fallback) const
    {
        return pose.angle.value(segment, fallback);
    }

    void joint(const QString &name, const QPointF &p) { fig.joints[name] = p; }

    bool reached(const QString &limbName) const
    {
        for (const Reach &r : pose.reaches)
            if (r.limb == limbName)
                return true;
        return false;
    }

    void trunk()
    {
        const double waist = angle("waist", 90);
        const double chest = angle("chest", waist);
        joint("pelvis", {0, 0});
        joint("chest", fig.at("pelvis") + unit(waist) * len("waist"));
        joint("neck", fig.at("chest") + unit(chest) * len("chest"));
        joint("head", fig.at("neck") + unit(angle("head", chest)) * len("head"));

        // Counter-clockwise normal of the spine: the figure's right side when it faces us.
        const QPointF shoulderNormal = unit(chest + 90) * Body::shoulderHalf * pose.shoulderSpread;
        // The hip line may tilt less than the spine, as in a sideways bend.
        const QPointF hipNormal = unit(angle("pelvis", waist) + 90) * Body::hipHalf * pose.hipSpread;
        joint("shoulder.r", fig.at("neck") + shoulderNormal);
        joint("shoulder.l", fig.at("neck") - shoulderNormal);
        joint("hip.r", fig.at("pelvis") + hipNormal);
        joint("hip.l", fig.at("pelvis") - hipNormal);
    }

    double defaultAngle(const Limb &l, const QString &segment, double parent) const
    {
        // A foot stands at right angles to the shin, toes to the front.
        if (segment == l.distal && segment.startsWith("foot") && pose.view == View::Side)
            return parent + (pose.facingRight ? 90 : -90);
        return parent;
    }

    void forward(const QString &limbName)
    {
        const Limb l = limb(limbName);
        const double upper = angle(l.upper, 270);
        const double lower = angle(l.lower, upper);
        joint(l.mid, fig.at(l.root) + unit(upper) * len(l.upper));
        joint(l.end, fig.at(l.mid) + unit(lower) * len(l.lower));
        distal(l, lower);
    }

    void distal(const Limb &l, double lowerAngle)
    {
        const double a = angle(l.distal, defaultAngle(l, l.distal, lowerAngle));
        joint(l.tip, fig.at(l.end) + unit(a) * len(l.distal));
    }

    // Moves the solved figure so the chosen joint sits where the pose file puts it.
    void place()
    {
        if (!fig.joints.contains(pose.placeJoint))
            fail(pose.file, 0, "place: unknown or reached joint " + pose.placeJoint);
        const QPointF shift = pose.placeAt - fig.at(pose.placeJoint);
        for (QPointF &p : fig.joints)
            p += shift;
    }

    // Two-segment inverse kinematics by the law of cosines.
    void reach(const Reach &r)
    {
        const Limb l = limb(r.limb);
        if (!r.joint.isEmpty() && !fig.joints.contains(r.joint))
            fail(pose.file, r.line, "reach: target joint not solved yet: " + r.joint);
        const QPointF target = r.joint.isEmpty() ? r.point : fig.at(r.joint) + r.point;
        const QPointF root = fig.at(l.root);
        const double a = len(l.upper), b = len(l.lower);
        double d = lengthOf(target - root);
        if (d > a + b + 0.5)
            fig.warnings << QStringLiteral("%1:%2: %3 falls %4 short of its target")
                                .arg(pose.file).arg(r.line).arg(r.limb).arg(d - a - b, 0, 'f', 1);
        d = qBound(qAbs(a - b) + 1e-3, d, a + b - 1e-3);
        const double base = qRadiansToDegrees(qAtan2(target.y() - root.y(), target.x() - root.x()));
        const double open = qRadiansToDegrees(qAcos((a * a + d * d - b * b) / (2 * a * d)));
        const QPointF mid = root + unit(base + r.bend * open) * a;
        const QPointF toTarget = root + unit(base) * d - mid;
        const double lower = qRadiansToDegrees(qAtan2(toTarget.y(), toTarget.x()));
        joint(l.mid, mid);
        joint(l.end, mid + unit(lower) * b);
        distal(l, lower);
    }

    // A joint drawn below the floor means the pose numbers are off; say so while authoring.
    void checkFloor()
    {
        if (pose.view == View::Top)
            return; // seen from above, y is not height
        for (auto it = fig.joints.cbegin(); it != fig.joints.cend(); ++it) {
            const double radius = Body::radius(it.key(), pose.view);
            if (it.value().y() < radius - 1.0)
                fig.warnings << QStringLiteral("%1: %2 is %3 below the floor")
                                    .arg(pose.file, it.key())
                                    .arg(radius - it.value().y(), 0, 'f', 1);
        }
    }
};

void setting(Pose &pose, const QString &key, const QString &value, int line)
{
    const QStringList words = value.split(' ', Qt::SkipEmptyParts);
    if (key == "name") {
        pose.name = value;
    } else if (key == "view") {
        static const QHash<QString, View> views = {{"side", View::Side}, {"front", View::Front}, {"top", View::Top}};
        if (!views.contains(value))
            fail(pose.file, line, "view must be side, front or top");
        pose.view = views.value(value);
    } else if (key == "facing") {
        if (value != "left" && value != "right")
            fail(pose.file, line, "facing must be left or right");
        pose.facingRight = value == "right";
    } else if (key == "near") {
        if (value != "l" && value != "r")
            fail(pose.file, line, "near must be l or r");
        pose.nearSide = value;
    } else if (key == "look") {
        static const QHash<QString, QPointF> looks = {{"left", {-1, 0}}, {"right", {1, 0}}, {"up", {0, 1}}, {"down", {0, -1}}};
        if (!looks.contains(value))
            fail(pose.file, line, "look must be left, right, up or down");
        pose.look = looks.value(value);
    } else if (key == "shoulders") {
        pose.shoulderSpread = number(value, pose.file, line);
    } else if (key == "hips") {
        pose.hipSpread = number(value, pose.file, line);
    } else if (key == "flags") {
        static const QStringList known = {"spread-fingers", "tongue"};
        for (const QString &w : words) {
            if (!known.contains(w))
                fail(pose.file, line, "unknown flag " + w);
            pose.flags.insert(w);
        }
    } else if (key == "order") {
        // Every part must be listed once, or it would silently not be drawn. A forearm or
        // shin listed on its own is drawn apart from its limb, so a limb can pass between
        // the thigh and the shin of another.
        static const QStringList lower = {"forearm.l", "forearm.r", "shin.l", "shin.r"};
        QStringList expected = kLimbs + QStringList{"torso", "head"}, given;
        for (const QString &w : words)
            if (!lower.contains(w))
                given << w;
        expected.sort();
        given.sort();
        if (given != expected)
            fail(pose.file, line, "order must list torso, head, arm.l, arm.r, leg.l and leg.r once each");
        for (const QString &w : lower)
            if (words.count(w) > 1)
                fail(pose.file, line, "order lists " + w + " twice");
        pose.order = words;
    } else if (key == "place") {
        if (words.size() != 3)
            fail(pose.file, line, "place needs: joint x y");
        pose.placeJoint = words[0];
        pose.placeAt = {number(words[1], pose.file, line), number(words[2], pose.file, line)};
    } else {
        fail(pose.file, line, "unknown setting " + key);
    }
}

// reach LIMB (X Y | JOINT [DX DY]) (+|-)
Reach parseReach(const Pose &pose, const QStringList &w, int line)
{
    if (w.size() < 4 || !kLimbs.contains(w[1]) || (w.last() != "+" && w.last() != "-"))
        fail(pose.file, line, "reach needs: limb (x y | joint [dx dy]) +|-");
    Reach r;
    r.limb = w[1];
    r.bend = w.last() == "+" ? 1 : -1;
    r.line = line;
    const QStringList args = w.mid(2, w.size() - 3);
    bool isNumber = false;
    args[0].toDouble(&isNumber);
    if (isNumber && args.size() == 2) {
        r.point = {number(args[0], pose.file, line), number(args[1], pose.file, line)};
    } else if (!isNumber && (args.size() == 1 || args.size() == 3)) {
        r.joint = args[0];
        if (args.size() == 3)
            r.point = {number(args[1], pose.file, line), number(args[2], pose.file, line)};
    } else {
        fail(pose.file, line, "reach target must be x y, or a joint with an optional dx dy");
    }
    return r;
}

} // namespace

double Body::length(const QString &segment)
{
    static const QHash<QString, double> lengths = {
        {"waist", 15}, {"chest", 15}, {"head", 11},
        {"upperarm", 19}, {"forearm", 16}, {"hand", 8},
        {"thigh", 24}, {"shin", 23}, {"foot", 11}};
    return lengths.value(segment.section('.', 0, 0));
}

double Body::radius(const QString &joint, View view)
{
    if (joint == "head")
        return headRadius;
    if (view == View::Side && (joint == "pelvis" || joint == "chest"))
        return torsoWidth / 2;
    if (joint.startsWith("hip") || joint.startsWith("knee") || joint.startsWith("ankle"))
        return legWidth / 2;
    if (joint.startsWith("fingers"))
        return handWidth / 2;
    if (joint.startsWith("toe"))
        return footWidth / 2;
    return armWidth / 2;
}

Pose parsePose(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error(("cannot read " + path).toStdString());
    Pose pose;
    pose.file = path;
    QTextStream in(&file);
    for (int line = 1; !in.atEnd(); ++line) {
        const QString text = in.readLine().section('#', 0, 0).simplified();
        if (text.isEmpty())
            continue;
        const int colon = text.indexOf(':');
        if (colon > 0) {
            setting(pose, text.left(colon).trimmed(), text.mid(colon + 1).trimmed(), line);
            continue;
        }
        const QStringList w = text.split(' ');
        if (w[0] == "reach") {
            pose.reaches << parseReach(pose, w, line);
        } else if (kSegments.contains(w[0]) && (w.size() == 2 || w.size() == 3)) {
            pose.angle[w[0]] = number(w[1], path, line);
            if (w.size() == 3)
                pose.scale[w[0]] = number(w[2], path, line);
        } else {
            fail(path, line, "expected a setting, a segment angle or a reach: " + text);
        }
    }
    if (pose.name.isEmpty())
        fail(path, 0, "missing name:");
    // Seen from the side, left and right shoulders (and hips) overlap.
    const double spread = pose.view == View::Side ? 0.0 : 1.0;
    if (qIsNaN(pose.shoulderSpread))
        pose.shoulderSpread = spread;
    if (qIsNaN(pose.hipSpread))
        pose.hipSpread = spread;
    if (pose.view == View::Side && pose.nearSide.isEmpty())
        pose.nearSide = "r";
    return pose;
}

Figure solvePose(const Pose &pose)
{
    return Solver(pose).run();
}

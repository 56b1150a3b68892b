#include "render.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace {

// The program's purple and lilac, a light background and a pale skin of the same family.
const QColor kBackground(251, 248, 253);
const QColor kClothes(114, 34, 136); // leggings, the program's purple
const QColor kShirt(162, 102, 206);  // top, between purple and lilac
const QColor kSkin(243, 214, 233);
// The limbs of the side away from the camera: a tone apart, so crossed and folded legs and
// arms tell which is which where they overlap, yet close enough to read as the same body.
const QColor kClothesFar(138, 66, 160);
const QColor kSkinFar(232, 198, 224);
// Palms and soles, paler than the backs of the hands and the tops of the feet, so the way a
// hand or a foot faces shows: soles up in the lotus, tops of the feet on the mat when kneeling.
const QColor kSole(253, 242, 249);
// Soles a rosier tone than the pale skin round them, so a foot turned sole up reads as one.
const QColor kFootSole(247, 192, 211);
const QColor kHair(74, 20, 88);
const QColor kNose(226, 180, 212);
// How strongly bare skin in shadow gets back the colour that darkening drains: the base colour's
// departure from its grey, times this and the share of light taken away, is added again.
constexpr double kSkinShadeColour = 2.8;
// How far the palms of interlocked hands pale toward the palms' tone, as a share of an open hand's.
constexpr double kClaspPalm = 0.3;
const QColor kKnuckle(214, 160, 198); // the deeper skin of the far hand's interlocked fingers
// Interlocked hands take this share of the light: lit full on, the pale skin turns near white.
constexpr float kClaspLight = 0.7f;
// How nearly a finger points along the line of sight before it counts as seen from its end.
constexpr float kFingerEndOn = 0.7f;
const QColor kLine(56, 6, 66);
constexpr double kSeam = 0.55; // how far the seam between a folded shin and its thigh pales
const QColor kEye(50, 10, 60);
const QColor kMouth(150, 60, 110);
const QColor kMouthOpen(84, 14, 44);
const QColor kEyeWhite(255, 253, 255);
// The open mouth: half its width, the height of its centre below the head's centre, half its
// height, in the head's frame; from just under the nose's tip to the chin.
const QVector3D kOpenMouth(2.7f, -5.2f, 1.9f);
const QColor kTongue(222, 84, 128);
const QColor kMatTop(237, 227, 248);
const QColor kMatEdge(203, 177, 236);
const QColor kBadge(236, 224, 250);
const QColor kBadgeRing(199, 159, 238);
// A turn arrow: the program's purple on a halo of the background's colour, so it reads over the
// top, the leggings and the background alike.
const QColor kArrow = kClothes;

// Light from the upper left, a little in front of the figure (camera space: x right, y up, z to us).
const QVector3D kLight = QVector3D(-0.5f, 0.65f, 0.58f).normalized();

struct Camera {
    QVector3D c, r, u; // towards the camera, screen right, screen up
    explicit Camera(const Pose &pose)
    {
        const double az = qDegreesToRadians(pose.azimuth), el = qDegreesToRadians(pose.elevation);
        c = QVector3D(float(std::sin(az) * std::cos(el)), float(std::sin(el)), float(std::cos(az) * std::cos(el)));
        r = QVector3D(float(std::cos(az)), 0, float(-std::sin(az)));
        u = QVector3D::crossProduct(c, r);
    }
    QPointF project(const QVector3D &p) const { return {QVector3D::dotProduct(p, r), QVector3D::dotProduct(p, u)}; }
    float depth(const QVector3D &p) const { return QVector3D::dotProduct(p, c); }
    QVector3D toWorld(const QVector3D &v) const { return r * v.x() + u * v.y() + c * v.z(); }
};

QColor mix(const QColor &a, const QColor &b, double t)
{
    t = qBound(0.0, t, 1.0);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QColor scaled(const QColor &c, double f, double lift)
{
    const auto ch = [&](double v) { return qBound(0.0, v * f + lift * (1 - v * f), 1.0); };
    return QColor::fromRgbF(float(ch(c.redF())), float(ch(c.greenF())), float(ch(c.blueF())));
}

} // namespace

QColor shadeSurface(const QColor &base, Finish finish, float lam, float specular, float sole)
{
    // A wide range from shadow to light models the round of a limb, so a thigh and the shin
    // folded on it turn visibly different ways.
    // Hands and feet keep more of their light: in shadow on a dark knee or thigh they sank into
    // the cloth and their fingers and toes no longer showed. A sole in deep shade would turn
    // from rose to brown; it keeps more still.
    const float dark = finish == Finish::HandOrFoot ? 0.7f + 0.08f * sole : finish == Finish::Skin ? 0.62f : 0.56f;
    const float f = dark + (1.12f - dark) * lam;
    QColor c = scaled(base, f, 0.22 * specular);
    if (finish == Finish::Plain || f >= 1)
        return c;
    // Darkening all three channels alike keeps the hue but drains the pale skin's little colour:
    // a forearm or a face in shadow turned grey and read as a shadow or as another part. Bare
    // skin gets back the colour that darkening took, so it stays skin, only darker.
    const double mean = (base.redF() + base.greenF() + base.blueF()) / 3;
    const double back = kSkinShadeColour * (1 - f);
    const auto ch = [&](double v, double b) { return qBound(0.0, v + (b - mean) * back, 1.0); };
    return QColor::fromRgbF(float(ch(c.redF(), base.redF())), float(ch(c.greenF(), base.greenF())),
                            float(ch(c.blueF(), base.blueF())));
}

namespace {

// Maps body units seen by the camera to pixels of a square frame.
struct Frame {
    double left, top, k; // screen units at pixel (0, 0); pixels per unit
    QPointF pixel(const QPointF &s) const { return {(s.x() - left) * k, (top - s.y()) * k}; }
};

// `span` units across `pixels`, centred on a point of the view.
Frame frameAround(const QPointF &centre, int pixels, double span)
{
    return {centre.x() - span / 2, centre.y() + span / 2, pixels / span};
}

Frame frameFor(const Figure &figure, int pixels, double span)
{
    return frameAround(projectedExtent(figure, true).center(), pixels, span);
}

// Convex hull of two circles: the outline of a tapered capsule seen from any side.
QPolygonF capsuleOutline(QPointF c0, double r0, QPointF c1, double r1, int steps = 20)
{
    QPolygonF poly;
    const QPointF d = c1 - c0;
    const double len = std::hypot(d.x(), d.y());
    if (len + std::min(r0, r1) <= std::max(r0, r1)) {
        const QPointF c = r0 >= r1 ? c0 : c1;
        const double r = std::max(r0, r1);
        for (int i = 0; i < 2 * steps; ++i)
            poly << c + r * QPointF(std::cos(M_PI * i / steps), std::sin(M_PI * i / steps));
        return poly;
    }
    const double th = std::atan2(d.y(), d.x()), ph = std::acos(qBound(-1.0, (r0 - r1) / len, 1.0));
    for (int i = 0; i <= steps; ++i) {
        const double a = th + ph + (2 * M_PI - 2 * ph) * i / steps;
        poly << c0 + r0 * QPointF(std::cos(a), std::sin(a));
    }
    for (int i = 0; i <= steps; ++i) {
        const double a = th - ph + 2 * ph * i / steps;
        poly << c1 + r1 * QPointF(std::cos(a), std::sin(a));
    }
    return poly;
}

QPolygonF convexHull(QVector<QPointF> pts)
{
    std::sort(pts.begin(), pts.end(),
              [](const QPointF &a, const QPointF &b) { return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y()); });
    const auto cross = [](const QPointF &o, const QPointF &a, const QPointF &b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    QVector<QPointF> h(2 * pts.size());
    int k = 0;
    for (int i = 0; i < pts.size(); ++i) {
        while (k >= 2 && cross(h[k - 2], h[k - 1], pts[i]) <= 0)
            --k;
        h[k++] = pts[i];
    }
    for (int i = pts.size() - 2, t = k + 1; i >= 0; --i) {
        while (k >= t && cross(h[k - 2], h[k - 1], pts[i]) <= 0)
            --k;
        h[k++] = pts[i];
    }
    h.resize(std::max(0, k - 1));
    return QPolygonF(h);
}

// Share of a face's angle off the camera that the drawing turns back toward it, at most.
constexpr double kFaceTurn = 0.65;
// The least an eye drawn on the head faces the camera (a cosine), so it stays clear of the outline.
constexpr float kEyeInside = 0.64f;
// A face turned further than this off the camera (degrees) reads as a profile: it is not turned
// toward the camera and shows only its near eye; the turn fades out over the ten degrees before.
constexpr double kProfileFrom = 60;

// A hand whose palm turns less than this (the cosine) toward the camera is seen from its edge.
constexpr float kEdgeOnHand = 0.3f;
// A fist whose row of knuckles runs more than this (the cosine) along the view shows its curled
// fingers stacked.
constexpr float kAlongKnuckles = 0.85f;

constexpr float kFoldRound = 0.35f; // share of a bone's radius counted when ranking at a fold

// A z-buffer of the figure: each capsule is swept as a row of spheres, which gives exact
// occlusion where limbs cross or fold, and a normal for shading at every pixel.
class Raster {
public:
    Raster(const Figure &f, const Camera &cam, const Frame &fr, int w, const std::vector<int> &foldOf)
        : fig(f), cam(cam), fr(fr), w(w), z(size_t(w) * w, -1e9f), cover(size_t(w) * w, -1e9f),
          axis(size_t(w) * w, -1e9f), n(size_t(w) * w), part(size_t(w) * w, -1), cap(size_t(w) * w, -1), foldOf(foldOf)
    {
        for (int c = 0; c < int(f.capsules.size()); ++c)
            sweep(f.capsules[c], c);
    }

    const Figure &fig;
    const Camera &cam;
    const Frame &fr;
    int w;
    std::vector<float> z;
    // The nearest surface of any part at each pixel. At a fold the bone drawn may lie behind
    // its partner's surface, so z can be nearer the back than what covers the pixel: any other
    // part is hidden by this depth, or a hand or foot behind a folded knee showed through it.
    std::vector<float> cover;
    std::vector<float> axis; // the flattened depth that ranks the bones at a fold
    std::vector<QVector3D> n;
    std::vector<int> part;
    std::vector<int> cap; // the capsule in front, for the grooves between fingers and toes
    const std::vector<int> &foldOf;

    bool folded(int a, int b) const { return a >= 0 && b >= 0 && a != b && (foldOf[a] == b || foldOf[b] == a); }

private:
    void sweep(const Capsule &c, int index)
    {
        const float len = (c.b - c.a).length();
        const float step = std::max(0.1f, std::min(c.ra, c.rb) * 0.2f);
        const int count = std::max(1, int(std::ceil(len / step)));
        for (int i = 0; i <= count; ++i) {
            const float t = float(i) / count;
            sphere(c.a + (c.b - c.a) * t, c.ra + (c.rb - c.ra) * t, c.part, index);
        }
    }

    void sphere(const QVector3D &centre, float r, int id, int index)
    {
        const QPointF p = fr.pixel(cam.project(centre));
        const float d = cam.depth(centre), k = float(fr.k), R = r * k;
        const int x0 = std::max(0, int(p.x() - R)), x1 = std::min(w - 1, int(p.x() + R) + 1);
        const int y0 = std::max(0, int(p.y() - R)), y1 = std::min(w - 1, int(p.y() + R) + 1);
        for (int y = y0; y <= y1; ++y) {
            const float dy = -(y + 0.5f - float(p.y())) / k;
            for (int x = x0; x <= x1; ++x) {
                const float dx = (x + 0.5f - float(p.x())) / k;
                const float q = dx * dx + dy * dy;
                if (q >= r * r)
                    continue;
                const float h = std::sqrt(r * r - q);
                const size_t i = size_t(y) * w + x;
                // The two bones at a folded knee or elbow interpenetrate, and their surfaces cross
                // along a ragged curve; ranking them by a flattened surface, nearer their axes,
                // lets the bone in front cover the other with a clean silhouette, while two bones
                // side by side at one depth still part along a smooth line.
                if (folded(id, part[i]) ? d + kFoldRound * h > axis[i] : d + h > cover[i]) {
                    z[i] = d + h;
                    cover[i] = std::max(cover[i], d + h);
                    axis[i] = d + kFoldRound * h;
                    n[i] = QVector3D(dx, dy, h) / r;
                    part[i] = id;
                    cap[i] = index;
                }
            }
        }
    }
};

// Where the two bones at a fold cross, which one is in front flips back and forth between the
// spheres each is swept from, in slivers that the fold line would trace as a comb of short
// strokes. Each pixel of either bone goes to the one that holds most of its neighbourhood, so
// the boundary, and the line on it, is one smooth curve.
void settleFolds(Raster &ras, int radius)
{
    const int W = ras.w;
    std::vector<int> part = ras.part;
    std::vector<size_t> from(ras.part.size(), size_t(-1)); // a pixel of the winning bone nearby
    std::vector<bool> atFold(ras.foldOf.size());
    for (size_t p = 0; p < ras.foldOf.size(); ++p)
        if (ras.foldOf[p] >= 0)
            atFold[p] = atFold[size_t(ras.foldOf[p])] = true;
    for (int y = 0; y < W; ++y)
        for (int x = 0; x < W; ++x) {
            const size_t i = size_t(y) * W + x;
            const int a = ras.part[i];
            if (a < 0 || !atFold[size_t(a)])
                continue;
            int other = -1, own = 0, theirs = 0;
            size_t pick = size_t(-1);
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx) {
                    const int qx = x + dx, qy = y + dy;
                    if (qx < 0 || qy < 0 || qx >= W || qy >= W || dx * dx + dy * dy > radius * radius)
                        continue;
                    const size_t j = size_t(qy) * W + qx;
                    const int b = ras.part[j];
                    if (b == a)
                        ++own;
                    else if (ras.folded(a, b) && (other < 0 || other == b)) {
                        other = b;
                        ++theirs;
                        if (pick == size_t(-1) || dx * dx + dy * dy < 2)
                            pick = j;
                    }
                }
            if (other >= 0 && theirs > own) {
                part[i] = other;
                from[i] = pick;
            }
        }
    for (size_t i = 0; i < part.size(); ++i)
        if (from[i] != size_t(-1)) {
            ras.part[i] = part[i];
            ras.cap[i] = ras.cap[from[i]];
        }
}

// How wide the figure is round each pixel, as the distance from the middle of its silhouette to
// the background (in pixels): the largest distance to the background found within `reach`. A
// sliver of a part inside the silhouette (a far leg along the near one) counts as wide.
std::vector<float> halfWidths(const Raster &ras, int reach)
{
    const int W = ras.w;
    const float inf = 1e9f, diagonal = float(M_SQRT2);
    std::vector<float> d(ras.part.size(), inf);
    const auto edge = [&](int x, int y) { return x < 0 || y < 0 || x >= W || y >= W; };
    // Two sweeps of a chamfer distance to the nearest pixel of the background.
    for (int pass = 0; pass < 2; ++pass) {
        const int s = pass ? -1 : 1;
        for (int k = 0; k < W; ++k)
            for (int l = 0; l < W; ++l) {
                const int y = pass ? W - 1 - k : k, x = pass ? W - 1 - l : l;
                const size_t i = size_t(y) * W + x;
                if (ras.part[i] < 0) {
                    d[i] = 0;
                    continue;
                }
                float best = d[i];
                for (const auto &[dx, dy, cost] : {std::tuple{-s, 0, 1.f}, std::tuple{-s, -s, diagonal},
                                                   std::tuple{0, -s, 1.f}, std::tuple{s, -s, diagonal}}) {
                    const int qx = x + dx, qy = y + dy;
                    if (edge(qx, qy))
                        best = std::min(best, cost * 0.5f);
                    else {
                        const size_t j = size_t(qy) * W + qx;
                        best = std::min(best, ras.part[j] < 0 ? cost * 0.5f : d[j] + cost);
                    }
                }
                d[i] = best;
            }
    }
    // The widest point nearby, along the rows and then along the columns.
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<float> out(d.size(), 0);
        for (int a = 0; a < W; ++a)
            for (int b = 0; b < W; ++b) {
                const size_t i = pass ? size_t(b) * W + a : size_t(a) * W + b;
                if (ras.part[i] < 0)
                    continue;
                float most = d[i];
                for (int c = std::max(0, b - reach); c <= std::min(W - 1, b + reach); ++c)
                    most = std::max(most, d[pass ? size_t(c) * W + a : size_t(a) * W + c]);
                out[i] = most;
            }
        d.swap(out);
    }
    return d;
}

// Averages normals within each part, so the seams where capsules of one part meet shade
// like one smooth surface.
void smoothNormals(Raster &ras, int radius)
{
    const int W = ras.w;
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<QVector3D> out(ras.n.size());
        for (int a = 0; a < W; ++a)
            for (int b = 0; b < W; ++b) {
                const size_t i = pass ? size_t(b) * W + a : size_t(a) * W + b;
                const int id = ras.part[i];
                if (id < 0)
                    continue;
                QVector3D sum;
                for (int d = -radius; d <= radius; d += 2) {
                    const int c = b + d;
                    if (c < 0 || c >= W)
                        continue;
                    const size_t j = pass ? size_t(c) * W + a : size_t(a) * W + c;
                    if (ras.part[j] == id)
                        sum += ras.n[j];
                }
                out[i] = sum.normalized();
            }
        ras.n.swap(out);
    }
}

// The colour of one head pixel: hair over the crown and the back, a face with eyes and mouth.
// `at` is the surface point from the head's centre in the head's frame; `jaw`: not the skull;
// `toViewer` points from the figure to the camera.
QColor headColour(const Figure &f, const QVector3D &nw, const QVector3D &at, bool jaw, const QVector3D &toViewer)
{
    const QMatrix4x4 &H = f.frames.value("head");
    const QVector3D fwd = H.mapVector({0, 0, 1}), up = H.mapVector({0, 1, 0}), side = H.mapVector({1, 0, 0});
    const float nf = QVector3D::dotProduct(nw, fwd), nu = QVector3D::dotProduct(nw, up),
                ns = QVector3D::dotProduct(nw, side);
    const bool tongue = f.pose->flags.contains("tongue");
    // The mouth sits by height between the nose's tip and the chin, on the skull or the jaw,
    // and only on a face turned toward the viewer: in profile, between the nose and the chin
    // it reads as a gaping notch. The lion's mouth is open wide, a dark oval round the tongue
    // that shows from any side.
    if (tongue) {
        const float mx = at.x() / kOpenMouth.x(), my = (at.y() - kOpenMouth.y()) / kOpenMouth.z();
        if (nf > 0.45f && mx * mx + my * my < 1)
            return kMouthOpen;
    } else if (nf > 0.75f && std::abs(at.x()) < 1.1f && QVector3D::dotProduct(fwd, toViewer) > 0.6f &&
               at.y() < -3.75f && at.y() > -4.2f) {
        return kMouth;
    }
    if (jaw) // the eyes and the hair belong to the skull
        return kSkin;
    if (nf < -0.3f || nu > 0.5f + 0.2f * nf)
        return kHair;
    const bool closed = f.pose->flags.contains("eyes-closed");
    // A profile shows one eye: the far one, pulled in from behind the outline, would sit
    // beside the near one like a face seen head on.
    const bool profile = QVector3D::dotProduct(fwd, toViewer) < float(std::cos(qDegreesToRadians(kProfileFrom)));
    const float nearSide = QVector3D::dotProduct(side, toViewer) >= 0 ? 1.f : -1.f;
    for (const float s : {-1.f, 1.f}) {
        if (profile && s != nearSide)
            continue;
        QVector3D eye = (fwd * 0.84f + up * 0.2f + side * (0.45f * s)).normalized();
        // An eye near the head's outline (the near eye of a profile) would merge with the
        // outline; it is drawn a little further in, behind the bridge of the nose.
        const float toward = QVector3D::dotProduct(eye, toViewer);
        if (toward > 0 && toward < kEyeInside)
            eye =
                toViewer * kEyeInside + (eye - toViewer * toward).normalized() * std::sqrt(1 - kEyeInside * kEyeInside);
        const float de = QVector3D::dotProduct(nw, eye);
        const float du = nu - QVector3D::dotProduct(eye, up);
        if (closed ? (de > 0.975f && std::abs(du) < 0.035f) : de > 0.989f)
            return kEye;
        // The lion's eyes are wide open: the white shows round the pupil.
        if (tongue && !closed && de > 0.966f)
            return de > 0.973f ? kEyeWhite : kEye;
    }
    return kSkin;
}

QColor baseColour(const Figure &f, int id, const QVector3D &nw, const QVector3D &at, bool far, bool jaw,
                  const QVector3D &toViewer)
{
    switch (f.parts[id].material) {
    case Material::Clothes:
        return far ? kClothesFar : kClothes;
    case Material::Shirt: // the top covers only the trunk, which has no far side
        return kShirt;
    case Material::Skin:
        return f.parts[id].name == "nose" ? kNose : far ? kSkinFar : kSkin;
    case Material::Tongue:
        return kTongue;
    case Material::Head:
        return headColour(f, nw, at, jaw, toViewer);
    }
    return kClothes;
}

// Front and back of the figure along the view, for toning far parts lighter.
std::pair<float, float> depthRange(const Figure &f, const Camera &cam)
{
    float lo = 1e9f, hi = -1e9f;
    for (const Capsule &c : f.capsules) {
        lo = std::min({lo, cam.depth(c.a) - c.ra, cam.depth(c.b) - c.rb});
        hi = std::max({hi, cam.depth(c.a) + c.ra, cam.depth(c.b) + c.rb});
    }
    return {lo, hi};
}

void paintFloor(QPainter &p, const Figure &f, const Camera &cam, const Frame &fr, const QRectF &clip)
{
    float x0 = 1e9f, x1 = -1e9f, z0 = 1e9f, z1 = -1e9f;
    for (const Capsule &c : f.capsules)
        for (const auto &[pt, r] : {std::pair{c.a, c.ra}, std::pair{c.b, c.rb}}) {
            x0 = std::min(x0, pt.x() - r);
            x1 = std::max(x1, pt.x() + r);
            z0 = std::min(z0, pt.z() - r);
            z1 = std::max(z1, pt.z() + r);
        }
    const float pad = 7;
    x0 -= pad, x1 += pad, z0 -= pad, z1 += pad;
    QVector<QPointF> slab;
    QPolygonF top;
    for (const auto &[x, zz] : {std::pair{x0, z0}, std::pair{x1, z0}, std::pair{x1, z1}, std::pair{x0, z1}}) {
        top << fr.pixel(cam.project({x, 0, zz}));
        slab << top.last() << fr.pixel(cam.project({x, -1.6f, zz}));
    }
    p.save();
    QPainterPath clipPath;
    clipPath.addRoundedRect(clip, clip.width() * 0.03, clip.width() * 0.03);
    p.setClipPath(clipPath);
    p.setPen(Qt::NoPen);
    p.setBrush(kMatEdge);
    p.drawPolygon(convexHull(slab));
    p.setBrush(kMatTop);
    p.drawPolygon(top);

    // A soft shadow under every part near the floor, strongest where it rests on it.
    const double flat = std::max(0.2, std::sin(qDegreesToRadians(f.pose->elevation)));
    for (const Capsule &c : f.capsules) {
        const float len = (c.b - c.a).length();
        const int count = std::max(1, int(len / 1.5f));
        for (int i = 0; i <= count; ++i) {
            const float t = float(i) / count;
            const QVector3D pt = c.a + (c.b - c.a) * t;
            const float r = c.ra + (c.rb - c.ra) * t, h = pt.y() - r;
            if (h > 5)
                continue;
            const QPointF centre = fr.pixel(cam.project({pt.x(), 0, pt.z()}));
            const double R = (r * 1.35 + 1.0) * fr.k;
            QRadialGradient g(QPointF(0, 0), 1);
            QColor shade = kLine;
            shade.setAlphaF(float(0.10 * (1 - h / 5)));
            g.setColorAt(0, shade);
            shade.setAlphaF(0);
            g.setColorAt(1, shade);
            p.save();
            p.translate(centre);
            p.scale(R, R * flat);
            p.setBrush(g);
            p.drawEllipse(QPointF(0, 0), 1, 1);
            p.restore();
        }
    }
    p.restore();
}

// A drawn face is flatter than the sphere that carries it: on the sphere, a face turned 45
// degrees puts its nose on the outline and hides the far eye, and a face seen from above shows
// mostly crown, so a level gaze reads as turned away or bowed. The face (eyes, nose, mouth,
// jaw) turns part of the way toward the camera, most at about 50 degrees off it and not at all
// head on, past 60 degrees (a near profile stays a profile) or from behind, so a three-quarter
// face shows both eyes with the nose inside it and its way up stays level.
Figure turnFace(const Figure &figure, const Camera &cam)
{
    Figure f = figure;
    const QMatrix4x4 H = figure.frames.value("head");
    const QVector3D fwd = H.mapVector({0, 0, 1}).normalized();
    const float cosOff = qBound(-1.f, QVector3D::dotProduct(fwd, cam.c), 1.f);
    const double off = qRadiansToDegrees(std::acos(double(cosOff)));
    const QVector3D axis = QVector3D::crossProduct(fwd, cam.c);
    if (off < 1 || off >= 90 || axis.length() < 1e-4f)
        return f;
    // Only an upright head: a head lying or upside down reads by its profile, the nose on
    // the outline pointing the way the face looks.
    const double upright = std::max(0.f, H.mapVector({0, 1, 0}).normalized().y());
    const double fade = qBound(0.0, (kProfileFrom - off) / 10, 1.0);
    const double turn = kFaceTurn * upright * fade * fade * (3 - 2 * fade) * off * (1 - (off / 90) * (off / 90));
    QMatrix4x4 R;
    R.rotate(float(turn), axis.normalized());
    const QVector3D centre = figure.at("head");
    for (Capsule &c : f.capsules) {
        const Part &part = f.parts[c.part];
        if (part.material != Material::Head && part.name != "nose" && part.name != "tongue")
            continue;
        c.a = centre + R.mapVector(c.a - centre);
        c.b = centre + R.mapVector(c.b - centre);
    }
    f.frames["head"] = R * H;
    return f;
}

} // namespace

QRectF projectedExtent(const Figure &figure, bool withFloor)
{
    const Camera cam(*figure.pose);
    QRectF e;
    const auto add = [&](const QVector3D &pt, float r) {
        const QPointF s = cam.project(pt);
        e = e.united(QRectF(s.x() - r, s.y() - r, 2 * r, 2 * r));
    };
    for (const Capsule &c : figure.capsules)
        for (const auto &[pt, r] : {std::pair{c.a, c.ra}, std::pair{c.b, c.rb}}) {
            add(pt, r);
            // A strip of mat round whatever rests near the floor, so a standing foot has
            // ground under it in the picture instead of the frame's edge.
            if (withFloor && pt.y() - r < 5)
                for (const auto &[dx, dz] : {std::pair{1.f, 0.f}, {-1.f, 0.f}, {0.f, 1.f}, {0.f, -1.f}})
                    add({pt.x() + dx * (r + 3), -1.6f, pt.z() + dz * (r + 3)}, 0);
        }
    return e;
}

namespace {
// Share of the frame a figure with the mat under it may span: the margin every picture keeps,
// clear of the frame's inset.
constexpr double kFill = 0.9;
// A detail inset: its ring's width at 250 pixels, its distance from the frame's edge and the
// least gap between its ring and the figure, as shares of the frame.
constexpr double kDetailRing = 1.2;
constexpr double kDetailMargin = 0.03;
constexpr double kDetailGap = 0.012;
constexpr double kLeaderWidth = 0.8; // the leader from the ring to its point, as a share of the ring's width

// Pixel offsets on rings round a pixel, `points` evenly spaced on each radius: what the lines
// look at to find a neighbouring part.
std::vector<QPoint> rings(int points, std::initializer_list<double> radii)
{
    std::vector<QPoint> offsets;
    for (int i = 0; i < points; ++i)
        for (const double r : radii) {
            const double a = 2 * M_PI * i / points;
            offsets.push_back(QPoint(qRound(r * std::cos(a)), qRound(r * std::sin(a))));
        }
    return offsets;
}
} // namespace

Figure faceTowardCamera(const Figure &figure) { return turnFace(figure, Camera(*figure.pose)); }

double fittedSpan(const Figure &figure)
{
    const QRectF e = projectedExtent(figure, true);
    return std::max(e.width(), e.height()) / kFill;
}

// The pose's turn arrow over the shaded figure: the arc round the vertical through its point,
// in short steps, each drawn only where no part of the figure lies in front of it, so the arc
// passes behind the trunk and comes round in front of it; the head at its end, where it turns to.
static void paintTurn(QImage &canvas, const Figure &figure, const Camera &cam, const Frame &fr, const Raster &ras,
                      double lineWidth)
{
    const TurnArrow &t = figure.pose->turn;
    const QVector3D centre = figure.at(t.point);
    const auto at = [&](double azimuth) {
        const double a = qDegreesToRadians(azimuth);
        return centre + QVector3D(float(t.radius * std::sin(a)), 0, float(t.radius * std::cos(a)));
    };
    const int W = canvas.width();
    const auto seen = [&](const QVector3D &p) {
        const QPointF px = fr.pixel(cam.project(p));
        const int x = int(px.x()), y = int(px.y());
        if (x < 0 || y < 0 || x >= W || y >= W)
            return false;
        const size_t i = size_t(y) * W + x;
        return ras.part[i] < 0 || cam.depth(p) > ras.cover[i];
    };
    constexpr int kSteps = 72;
    QVector<QLineF> visible;
    for (int k = 0; k < kSteps; ++k) {
        const double a0 = t.from + (t.to - t.from) * k / kSteps, a1 = t.from + (t.to - t.from) * (k + 1) / kSteps;
        if (seen(at((a0 + a1) / 2)))
            visible << QLineF(fr.pixel(cam.project(at(a0))), fr.pixel(cam.project(at(a1))));
    }
    // The head: a triangle along the arc's last stretch, its tip a little past the end.
    const double onward = t.to > t.from ? 1 : -1;
    const QPointF tip = fr.pixel(cam.project(at(t.to + 4 * onward)));
    const QPointF back = fr.pixel(cam.project(at(t.to - 10 * onward)));
    const QPointF along = tip - back;
    const double length = std::hypot(along.x(), along.y());
    QPolygonF head;
    if (length > 1 && seen(at(t.to))) {
        const QPointF u = along / length, n(-u.y(), u.x());
        const double half = 2.6 * lineWidth;
        head << tip << tip - u * 3.2 * half + n * half << tip - u * 3.2 * half - n * half;
    }

    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    for (const auto &[colour, width] : {std::pair{kBackground, 3.4 * lineWidth}, {kArrow, 1.6 * lineWidth}}) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(colour);
        p.drawLines(visible);
        if (!head.isEmpty())
            p.drawPolygon(head);
    }
}

// The picture of a figure, framed by the figure or, with `centre`, round that point of the view.
static QImage renderView(const Figure &posed, int size, double span, const QPointF *centre,
                         const QLineF &leader = QLineF())
{
    constexpr int ss = 3; // supersampling, for smooth edges after the box filter
    const int W = size * ss;
    const Camera cam(*posed.pose);
    const Figure figure = turnFace(posed, cam);
    // Framed as posed: turning the face moves no picture.
    const Frame fr = centre ? frameAround(*centre, W, span) : frameFor(posed, W, span);

    QImage canvas(W, W, QImage::Format_RGB32);
    canvas.fill(kBackground);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        const double inset = W * 0.025;
        paintFloor(p, figure, cam, fr, QRectF(inset, inset, W - 2 * inset, W - 2 * inset));
        // Under the figure, so it runs up to the part it points at and never across another.
        if (!leader.isNull()) {
            p.setPen(QPen(kBadgeRing, kDetailRing * kLeaderWidth * size / 250.0 * ss, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QLineF(leader.p1() * ss, leader.p2() * ss));
        }
    }

    const auto [zBack, zFront] = depthRange(figure, cam);
    const float zSpan = std::max(1.f, zFront - zBack);
    const auto tone = [&](float zz) { return 0.22 * std::pow(qBound(0.f, (zFront - zz) / zSpan, 1.f), 1.1f); };

    // The far side is decided once per figure for the legs (by the hips) and for the arms (by
    // the shoulders), so a limb keeps its tone along its whole length.
    const QString farLegs = cam.depth(figure.at("hip.l")) < cam.depth(figure.at("hip.r")) ? "l" : "r";
    const QString farArms = cam.depth(figure.at("shoulder.l")) < cam.depth(figure.at("shoulder.r")) ? "l" : "r";
    const int partCount = int(figure.parts.size());
    std::vector<bool> isNose, isFar;
    std::vector<char> joined(size_t(partCount) * partCount);
    std::vector<int> foldOf; // for a shin or forearm at a bent joint, the bone above it
    struct Fold {
        QVector3D joint, upper, lower; // the knee or elbow, and the directions from it up each bone
    };
    std::vector<Fold> foldAt(static_cast<size_t>(partCount));
    for (int id = 0; id < partCount; ++id) {
        const QString &name = figure.parts[id].name;
        const QString bone = name.section('.', 0, 0), side = name.section('.', 1);
        isNose.push_back(name == "nose");
        const bool leg = bone == "thigh" || bone == "shin" || bone == "foot";
        const bool arm = bone == "upperarm" || bone == "forearm" || bone == "hand" || bone == "thumb";
        isFar.push_back((leg && side == farLegs) || (arm && side == farArms));
        for (int k = 0; k < partCount; ++k)
            joined[size_t(id) * partCount + k] = partsJoined(name, figure.parts[k].name);
        int above = -1;
        const bool shin = bone == "shin", forearm = bone == "forearm";
        if (shin || forearm) {
            const QVector3D upper = shin ? figure.at("knee." + side) - figure.at("hip." + side)
                                         : figure.at("elbow." + side) - figure.at("shoulder." + side);
            const QVector3D lower = shin ? figure.at("ankle." + side) - figure.at("knee." + side)
                                         : figure.at("wrist." + side) - figure.at("elbow." + side);
            // Only a bent joint folds; across a straight limb the seam would be a stray line.
            const QVector3D joint = figure.at((shin ? "knee." : "elbow.") + side);
            foldAt[size_t(id)] = {joint, -upper.normalized(), lower.normalized()};
            if (QVector3D::dotProduct(upper.normalized(), lower.normalized()) < std::cos(qDegreesToRadians(35.0)))
                for (int k = 0; k < partCount; ++k)
                    if (figure.parts[k].name == (shin ? "thigh." : "upperarm.") + side)
                        above = k;
        }
        foldOf.push_back(above);
    }

    // The palm's or the sole's direction for each hand, thumb and foot; null for other parts.
    std::vector<QVector3D> underside(static_cast<size_t>(partCount));
    // For a fist's hand and thumb, the direction along its row of knuckles; null otherwise.
    std::vector<QVector3D> knuckleRow(static_cast<size_t>(partCount));
    const bool fists = figure.pose && figure.pose->flags.contains("fists");
    // A thigh or an upper arm joins the torso only round its hip or shoulder: further along, where
    // it lies against the trunk (a thigh on the belly, an arm along the side), it is outlined.
    struct Root {
        QVector3D joint, along;
        float reach = -1; // how far along the bone the join with the torso may go; -1: not a root bone
    };
    std::vector<Root> rootOf(static_cast<size_t>(partCount));
    std::vector<bool> isTorso, isForearm, isFoot, isLimb;
    std::vector<int> handSide(static_cast<size_t>(partCount)); // 1 or 2 for a hand or thumb, else 0
    for (int id = 0; id < partCount; ++id) {
        const QString &name = figure.parts[id].name;
        const QString bone = name.section('.', 0, 0), side = name.section('.', 1);
        const float m = side == "l" ? 1 : -1;
        isTorso.push_back(name == "torso");
        isLimb.push_back(bone != "torso" && bone != "neck" && bone != "head" && bone != "nose" && bone != "tongue");
        isForearm.push_back(bone == "forearm");
        isFoot.push_back(bone == "foot");
        if (bone == "hand" || bone == "thumb") {
            handSide[size_t(id)] = side == "l" ? 1 : 2;
            underside[size_t(id)] = figure.frames.value("wrist." + side).mapVector({-m, 0, 0}).normalized();
            if (fists)
                knuckleRow[size_t(id)] = figure.frames.value("wrist." + side).mapVector({0, 0, 1}).normalized();
        } else if (bone == "foot")
            underside[size_t(id)] = figure.frames.value("ankle." + side).mapVector({0, -1, 0}).normalized();
        if (bone == "thigh" || bone == "upperarm") {
            const bool thigh = bone == "thigh";
            const QVector3D joint = figure.at((thigh ? "hip." : "shoulder.") + side);
            const QVector3D end = figure.at((thigh ? "knee." : "elbow.") + side);
            rootOf[size_t(id)] = {joint, (end - joint).normalized(), thigh ? 9.f : 6.f};
        }
    }

    // The head's first capsule is the skull, which carries the face; the rest is the jaw.
    int skull = -1;
    for (int c = 0; c < int(figure.capsules.size()) && skull < 0; ++c)
        if (figure.parts[figure.capsules[c].part].material == Material::Head)
            skull = c;

    Raster ras(figure, cam, fr, W, foldOf);
    settleFolds(ras, int(std::lround(2.2 * size / 250.0 * ss)));
    smoothNormals(ras, int(1.2 * fr.k));
    // How far a pixel of a hand or a foot shows the palm's or the sole's tone, 0 to 1.
    const auto soleShare = [&](size_t i, int id) {
        const QVector3D &under = underside[size_t(id)];
        return under.isNull() ? 0.0
                              : qBound(0.0, (QVector3D::dotProduct(cam.toWorld(ras.n[i]), under) - 0.3) / 0.25, 1.0);
    };

    // The leggings reach to just above the ankle, so every shin is cloth and every forearm
    // skin: where arms and legs tangle (a hug round the shins, an arm threaded through a leg)
    // a bare shin read as a forearm. The bare ankle and foot still stand out from the thigh
    // they rest on, and a shin parts from its thigh by the fold line and the contours. The hem
    // sits at the ankle: a longer bare strip above the foot read as a wrist, the foot as a hand.
    constexpr float kHem = 0.96f; // share of the shin, from the knee, that the leggings cover
    std::vector<std::pair<QVector3D, QVector3D>> shinOf{size_t(partCount)}; // knee, ankle
    std::vector<bool> isShin;
    for (int id = 0; id < partCount; ++id) {
        const QString &name = figure.parts[id].name;
        isShin.push_back(name.startsWith("shin."));
        if (isShin.back())
            shinOf[size_t(id)] = {figure.at("knee." + name.section('.', 1)),
                                  figure.at("ankle." + name.section('.', 1))};
    }
    // How far down its shin a pixel lies (0 at the knee, 1 at the ankle), and how far that is
    // from the hem in pixels.
    const auto worldAt = [&](int x, int y) {
        return cam.toWorld(
            QVector3D(float(fr.left + (x + 0.5) / fr.k), float(fr.top - (y + 0.5) / fr.k), ras.z[size_t(y) * W + x]));
    };
    // The fold line is the crease on the inner side of a bent knee or elbow; on the outer half
    // of the joint, round its cap, and on its sides the two bones' seam would only draw rings
    // and hooks round the end of the limb. The crease starts this far into the fold.
    constexpr float kCreaseStart = 2.0f;
    const auto onCap = [&](int x, int y, int lowerId) {
        const Fold &f = foldAt[size_t(lowerId)];
        const QVector3D d = worldAt(x, y) - f.joint;
        return QVector3D::dotProduct(d, (f.upper + f.lower).normalized()) < kCreaseStart;
    };
    const auto alongShin = [&](int x, int y, int id) {
        const QVector3D p = worldAt(x, y);
        const auto &[knee, ankle] = shinOf[size_t(id)];
        const QVector3D d = ankle - knee;
        const float t = QVector3D::dotProduct(p - knee, d) / std::max(1e-3f, d.lengthSquared());
        return std::pair{t, std::abs(t - kHem) * d.length() * float(fr.k)};
    };

    // Contours: where the figure meets the background, and where a part lies over another.
    const double lineWidth = 1.25 * size / 250.0 * ss;
    const std::vector<QPoint> probe = rings(16, {lineWidth, lineWidth * 0.5});
    // Two hands nearer than this along the view touch, and each keeps its outline where they meet.
    constexpr float kHandsTouch = 2.5f;
    // Behind a limb of its own colour: the line this wide and the step of shade out to here, as
    // shares of the full outline's width.
    constexpr double kStepLine = 1.6, kStepEnd = 3.2;
    constexpr double kStepShade = 0.45; // how far the step darkens toward the line's colour, at most
    const double kStepCrossing = std::sin(qDegreesToRadians(25.0)); // the least angle between the two
    // A finger seen from its end is a small disc that the full outline fills: a row of them
    // read as dark claws. Its outline is drawn thinner, so the fingertip keeps its skin.
    const std::vector<QPoint> fineProbe = rings(16, {lineWidth * 0.55, lineWidth * 0.3});
    // A narrow shape's outline is at most this share of its half-width, and never thinner than
    // this share of the full outline; its widths come in this many steps.
    constexpr double kNarrowShare = 0.6, kNarrowLeast = 0.3;
    constexpr int kNarrowSteps = 8;
    const bool interlaced = figure.pose && figure.pose->flags.contains("interlace");
    std::vector<bool> endOn;
    for (const Capsule &c : figure.capsules) {
        const QVector3D along = (c.b - c.a).normalized();
        endOn.push_back(c.digit && handSide[size_t(c.part)] &&
                        std::abs(QVector3D::dotProduct(along, cam.c)) > kFingerEndOn);
    }
    const QMatrix4x4 headFrame = figure.frames.value("head");
    const auto inHead = [&](int x, int y) {
        return headFrame.transposed().mapVector(worldAt(x, y) - figure.at("head"));
    };
    const auto apartFromTorso = [&](int x, int y, int id) {
        const Root &r = rootOf[size_t(id)];
        return r.reach >= 0 && QVector3D::dotProduct(worldAt(x, y) - r.joint, r.along) > r.reach;
    };
    // A piece of the figure jutting out narrower than two outlines (fingers seen from their edge
    // tapering to the tips, a sliver of a part mostly hidden showing past another) was all line:
    // a bare dark stroke sticking out of the figure. Its outlines narrow with it, to a share of
    // its half-width, so it keeps its colour inside.
    const std::vector<float> halfWidth = halfWidths(ras, int(std::ceil(lineWidth / kNarrowShare)) + 1);
    std::vector<std::vector<QPoint>> narrowProbe;
    for (int k = 0; k < kNarrowSteps; ++k) {
        const double width = lineWidth * (kNarrowLeast + (1 - kNarrowLeast) * k / kNarrowSteps);
        narrowProbe.push_back(rings(16, {width, width * 0.5}));
    }
    const auto probeFor = [&](size_t i) -> const std::vector<QPoint> & {
        const bool fine = ras.cap[i] >= 0 && endOn[size_t(ras.cap[i])];
        const double width = halfWidth[i] * kNarrowShare;
        const double least = fine ? 0.55 : 1.0; // the fine probe's width, as a share of the full one
        if (width >= lineWidth * least)
            return fine ? fineProbe : probe;
        const double share = std::max(kNarrowLeast, width / lineWidth);
        const int k = int((share - kNarrowLeast) / (1 - kNarrowLeast) * kNarrowSteps);
        return narrowProbe[size_t(qBound(0, k, kNarrowSteps - 1))];
    };
    const auto contour = [&](int x, int y) {
        const size_t i = size_t(y) * W + x;
        for (const QPoint &o : probeFor(i)) {
            const int qx = x + o.x(), qy = y + o.y();
            if (qx < 0 || qy < 0 || qx >= W || qy >= W)
                return true;
            const size_t j = size_t(qy) * W + qx;
            if (ras.part[j] < 0)
                return true;
            const int pi = ras.part[i], pj = ras.part[j];
            // The nose shows by its shading and in profile; a ring around it reads as a mouth.
            if (pi == pj || isNose[pj])
                continue;
            // Where one hand meets or lies on the other (palms together, fists side by side) the
            // single line between two pale shapes read as the crease of one clump: each hand
            // keeps its own outline there. Interlocked fingers alternate a finger's width apart
            // and lie on the other hand's back, where two outlines would fill them with line;
            // a hand well behind the other (both flat on the mat seen from the side) shows as a
            // narrow strip that the second outline would fill.
            if (!interlaced && handSide[size_t(pi)] && handSide[size_t(pj)] &&
                handSide[size_t(pi)] != handSide[size_t(pj)] && std::abs(ras.z[j] - ras.z[i]) < kHandsTouch)
                return true;
            // At a fold the two depths are too close to say which side the line belongs to
            // pixel by pixel (that gives a dotted line); it always goes on the lower bone.
            if (ras.folded(pi, pj)) {
                if (foldOf[pi] == pj && !onCap(x, y, pi))
                    return true;
                continue;
            }
            if (ras.z[j] > ras.z[i] + 0.7f)
                return true;
            // Parts that touch without sharing a joint (a foot on a thigh, a hand round an
            // ankle, crossed shins) are separate shapes even where their depths meet; the
            // line goes on the one behind so it keeps its width.
            bool join = joined[size_t(pi) * partCount + pj];
            if (join && isTorso[pi] != isTorso[pj])
                join = isTorso[pi] ? !apartFromTorso(qx, qy, pj) : !apartFromTorso(x, y, pi);
            if (!join && ras.z[j] >= ras.z[i])
                return true;
        }
        return false;
    };
    // A limb lying on or across another of the same colour (folded forearms, stacked knees, the
    // lotus's shins) merged with it behind the one line between them. Behind the nearer limb
    // the line is wider and the cloth or skin darkens over a short step, as in the shadow of
    // the limb in front. Returns how strongly, 0 to 1, and 2 where the line itself goes.
    const std::vector<QPoint> stepProbe =
        rings(24, {lineWidth * kStepLine, lineWidth * (kStepLine + kStepEnd) / 2, lineWidth * kStepEnd});
    // Only limbs that cross: two legs side by side along the view (a plough's, a bow's) show the
    // far one as a narrow strip beside the near one, which the step would shade into the line.
    std::vector<QPointF> onScreen; // each capsule's direction in the picture
    for (const Capsule &c : figure.capsules) {
        const QPointF d = cam.project(c.b) - cam.project(c.a);
        const double len = std::hypot(d.x(), d.y());
        onScreen.push_back(len > 1e-3 ? d / len : QPointF());
    }
    const auto crossing = [&](int a, int b) {
        const QPointF &u = onScreen[size_t(a)], &v = onScreen[size_t(b)];
        return std::abs(u.x() * v.y() - u.y() * v.x()) > kStepCrossing;
    };
    const auto underSame = [&](int x, int y) {
        const size_t i = size_t(y) * W + x;
        const int pi = ras.part[i];
        if (!isLimb[size_t(pi)])
            return 0.0;
        double most = 0;
        for (const QPoint &o : stepProbe) {
            const int qx = x + o.x(), qy = y + o.y();
            if (qx < 0 || qy < 0 || qx >= W || qy >= W)
                continue;
            const size_t j = size_t(qy) * W + qx;
            const int pj = ras.part[j];
            if (pj < 0 || pj == pi || !isLimb[size_t(pj)] || joined[size_t(pi) * partCount + pj] ||
                figure.parts[pj].material != figure.parts[pi].material || ras.z[j] < ras.z[i] + 0.7f ||
                !crossing(ras.cap[i], ras.cap[j]))
                continue;
            const double r = std::hypot(o.x(), o.y()) / lineWidth;
            if (r <= kStepLine + 0.05)
                return 2.0;
            // Fading with the distance, still a little at the step's far end, where it stops.
            most = std::max(most, 1 - (r - kStepLine) / (kStepEnd - kStepLine + 0.5));
        }
        return most;
    };

    // Where a shin lies folded along its own thigh both are the leggings' dark cloth, and the
    // dark fold line sinks into them: the two read as one mass. A pale seam on the thigh's side
    // of the line parts them, as a narrow gap of light between the two legs' surfaces would.
    std::vector<int> foldedUnder(size_t(partCount), -1); // for a thigh, the shin folded on it
    for (int id = 0; id < partCount; ++id)
        if (isShin[size_t(id)] && foldOf[size_t(id)] >= 0)
            foldedUnder[size_t(foldOf[size_t(id)])] = id;
    const std::vector<QPoint> seamProbe = rings(16, {lineWidth * 0.6});
    const auto seam = [&](int x, int y, int id) {
        const int shin = foldedUnder[size_t(id)];
        if (shin < 0)
            return false;
        for (const QPoint &o : seamProbe) {
            const int qx = x + o.x(), qy = y + o.y();
            if (qx >= 0 && qy >= 0 && qx < W && qy < W && ras.part[size_t(qy) * W + qx] == shin)
                return !onCap(x, y, shin);
        }
        return false;
    };

    // A finer, softer line between two fingers, a finger and the thumb, or the toes, where they
    // lie side by side; it goes on one side only (the higher number) so it stays thin.
    const std::vector<QPoint> near = rings(8, {lineWidth * 0.4});
    const auto groove = [&](int x, int y) {
        const size_t i = size_t(y) * W + x;
        const Capsule &ci = figure.capsules[size_t(ras.cap[i])];
        // The edge of a sole, where it turns away from the top of the foot: a foot resting on a
        // thigh sole up shows the sole's shape, the heel at one end and the toes at the other.
        // Not across the toes: seen end on, the sole's line cut them into a rosette.
        if (isFoot[size_t(ci.part)] && (ci.digit == 0 || ci.digit == kForefoot) && soleShare(i, ci.part) >= 0.5)
            for (const QPoint &o : near) {
                const int qx = x + o.x(), qy = y + o.y();
                if (qx < 0 || qy < 0 || qx >= W || qy >= W)
                    continue;
                const size_t j = size_t(qy) * W + qx;
                if (ras.part[j] == ci.part && soleShare(j, ci.part) < 0.5)
                    return true;
            }
        // The same fine line round the nose on the face, below and on the shaded side only, so
        // a nose seen from the front is a wedge that casts a little shadow, not a ring.
        if (figure.parts[ci.part].material == Material::Head) {
            for (const QPoint &o : near) {
                const int qx = x + o.x(), qy = y + o.y();
                if (qx < 0 || qy < 0 || qx >= W || qy >= W || o.x() + o.y() >= 0)
                    continue;
                const size_t j = size_t(qy) * W + qx;
                if (ras.part[j] >= 0 && isNose[size_t(ras.part[j])])
                    return true;
            }
            return false;
        }
        // A wrist line where the hand meets its forearm, so the hand is a shape of its own.
        if (figure.parts[ci.part].name.startsWith("hand."))
            for (const QPoint &o : near) {
                const int qx = x + o.x(), qy = y + o.y();
                if (qx < 0 || qy < 0 || qx >= W || qy >= W)
                    continue;
                const int pj = ras.part[size_t(qy) * W + qx];
                if (pj >= 0 && isForearm[size_t(pj)] && joined[size_t(ci.part) * partCount + pj])
                    return true;
            }
        // A hand seen from its edge shows its fingers stacked one behind the other; lines between
        // them would only wander along the stack, and without them the hand reads flat. A fist's
        // curled fingers stack only seen along the knuckles: from its front, its back or below,
        // the lines between them are what makes it a fist and not a mitten.
        const QVector3D &row = knuckleRow[size_t(ci.part)];
        const bool stacked = row.isNull()
                                 ? std::abs(QVector3D::dotProduct(underside[size_t(ci.part)], cam.c)) < kEdgeOnHand
                                 : std::abs(QVector3D::dotProduct(row, cam.c)) > kAlongKnuckles;
        if (!ci.digit || (ci.digit <= 5 && stacked))
            return false;
        for (const QPoint &o : near) {
            const int qx = x + o.x(), qy = y + o.y();
            if (qx < 0 || qy < 0 || qx >= W || qy >= W)
                continue;
            const size_t j = size_t(qy) * W + qx;
            if (ras.cap[j] < 0)
                continue;
            const Capsule &cj = figure.capsules[size_t(ras.cap[j])];
            if (cj.digit && cj.digit < ci.digit &&
                (cj.part == ci.part || joined[size_t(ci.part) * partCount + cj.part]))
                return true;
        }
        return false;
    };

    for (int y = 0; y < W; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(canvas.scanLine(y));
        for (int x = 0; x < W; ++x) {
            const size_t i = size_t(y) * W + x;
            const int id = ras.part[i];
            if (id < 0)
                continue;
            const float zz = ras.z[i];
            QColor c;
            const auto [shinT, fromHem] = isShin[id] ? alongShin(x, y, id) : std::pair{0.f, 1e9f};
            const double step = contour(x, y) ? 2.0 : underSame(x, y);
            if (step > 1 || fromHem < lineWidth * 0.35) {
                c = mix(kLine, kBackground, tone(zz) * 0.6);
            } else {
                const QVector3D nc = ras.n[i];
                QColor base = shinT > kHem ? (isFar[id] ? kSkinFar : kSkin)
                                           : baseColour(figure, id, cam.toWorld(nc), inHead(x, y), isFar[id],
                                                        ras.cap[i] != skull, cam.c);
                const QVector3D &under = underside[size_t(id)];
                const float sole = under.isNull() ? 0.f : soleShare(i, id);
                // Interlocked hands turned palms up showed two near-white palms round a pale comb,
                // one white blob over the head: their palms stay nearer the skin's tone, and they
                // shade like the forearms, so the knuckles and the fingers' rounds show.
                const bool clasp = interlaced && handSide[size_t(id)];
                if (sole > 0)
                    base = mix(base, isFoot[size_t(id)] ? kFootSole : kSole, clasp ? kClaspPalm * sole : sole);
                // The far hand's fingers a step deeper, so the two hands' fingers alternate in tone
                // along the interlock as well as by the lines between them.
                if (clasp && isFar[size_t(id)] && figure.capsules[size_t(ras.cap[i])].digit)
                    base = mix(base, kKnuckle, 0.6);
                if (groove(x, y))
                    base = mix(base, kLine, 0.75);
                const float lam = (clasp ? kClaspLight : 1.f) * std::max(0.f, QVector3D::dotProduct(nc, kLight));
                const QVector3D half = (kLight + QVector3D(0, 0, 1)).normalized();
                const float specular =
                    (clasp ? 0.4f : 1.f) * std::pow(std::max(0.f, QVector3D::dotProduct(nc, half)), 24.f);
                const Material m = figure.parts[id].material;
                const Finish finish = !under.isNull() && !clasp ? Finish::HandOrFoot
                                      : shinT > kHem || m == Material::Skin || clasp ||
                                              (m == Material::Head && (base == kSkin || base == kNose))
                                          ? Finish::Skin
                                          : Finish::Plain;
                c = shadeSurface(base, finish, lam, specular, sole);
                if (step > 0)
                    c = mix(c, kLine, kStepShade * step);
                c = mix(c, kBackground, tone(zz));
                if (seam(x, y, id))
                    c = mix(c, kBackground, kSeam);
            }
            row[x] = c.rgb();
        }
    }
    if (figure.pose->turn.line)
        paintTurn(canvas, figure, cam, fr, ras, lineWidth);

    // Box filter down to the final size.
    QImage out(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            int r = 0, g = 0, b = 0;
            for (int dy = 0; dy < ss; ++dy) {
                const QRgb *row = reinterpret_cast<const QRgb *>(canvas.constScanLine(y * ss + dy));
                for (int dx = 0; dx < ss; ++dx) {
                    const QRgb v = row[x * ss + dx];
                    r += qRed(v), g += qGreen(v), b += qBlue(v);
                }
            }
            out.setPixel(x, y, qRgb(r / (ss * ss), g / (ss * ss), b / (ss * ss)));
        }
    return out;
}

DetailInset detailInset(const Pose &pose, int size)
{
    const Detail &d = pose.detail;
    const double r = d.share * size / 2, margin = kDetailMargin * size;
    const double x = d.corner.endsWith('l') ? margin + r : size - margin - r;
    const double y = d.corner.startsWith('t') ? margin + r : size - margin - r;
    return {QPointF(x, y), r};
}

QImage renderPicture(const Figure &posed, int size, double span)
{
    if (!posed.pose || !posed.pose->detail.line)
        return renderView(posed, size, span, nullptr);
    const Pose &pose = *posed.pose;
    const Detail &d = pose.detail;
    const DetailInset inset = detailInset(pose, size);
    const double ring = kDetailRing * size / 250.0;
    QVector3D point;
    for (const QString &name : d.points)
        point += posed.at(name) / float(d.points.size());

    // The inset goes where the figure is not: every capsule of the main view stays clear of it
    // by a gap, so no part of the figure is hidden or seems to run into the ring.
    const Camera cam(pose);
    const Frame fr = frameFor(posed, size, span);
    const double clear = inset.radius + ring + kDetailGap * size;
    for (const Capsule &c : posed.capsules) {
        const QPointF a = fr.pixel(cam.project(c.a)), b = fr.pixel(cam.project(c.b));
        const QPointF ab = b - a, ap = inset.centre - a;
        const double len2 = QPointF::dotProduct(ab, ab);
        const double t = len2 > 0 ? qBound(0.0, QPointF::dotProduct(ap, ab) / len2, 1.0) : 0.0;
        const QPointF q = a + ab * t - inset.centre;
        const double reach = (c.ra + (c.rb - c.ra) * t) * fr.k;
        if (std::hypot(q.x(), q.y()) - reach < clear)
            failAt(QStringLiteral("%1:%2").arg(pose.file).arg(d.line),
                   QStringLiteral("the detail in corner %1 would cover the figure's %2")
                       .arg(d.corner, posed.parts[c.part].name));
    }

    // A leader from the ring to the magnified point says which part of the figure the inset shows.
    const QPointF target = fr.pixel(cam.project(point));
    const QPointF toTarget = target - inset.centre;
    const QLineF leader(inset.centre + toTarget * (inset.radius / std::hypot(toTarget.x(), toTarget.y())), target);
    QImage picture = renderView(posed, size, span, nullptr, leader);

    // The same figure from the inset's camera, at the same line weight, magnified round the point.
    Pose close = pose;
    close.azimuth = d.azimuth;
    close.elevation = d.elevation;
    close.detail = Detail();
    close.turn = TurnArrow(); // the arrow belongs to the main view
    Figure seen = posed;
    seen.pose = &close;
    const QPointF centre = Camera(close).project(point);
    const QImage detail = renderView(seen, size, span / d.zoom, &centre);

    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QBrush brush(detail);
    brush.setTransform(QTransform::fromTranslate(inset.centre.x() - size / 2.0, inset.centre.y() - size / 2.0));
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawEllipse(inset.centre, inset.radius, inset.radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBadgeRing, ring));
    p.drawEllipse(inset.centre, inset.radius, inset.radius);
    return picture;
}

void paintIcon(QPainter &p, const Figure &figure, double size)
{
    const Camera cam(*figure.pose);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double ring = std::max(1.0, size / 40);
    p.setPen(QPen(kBadgeRing, ring));
    p.setBrush(kBadge);
    p.drawEllipse(QRectF(ring / 2, ring / 2, size - ring, size - ring));

    // Flat parts back to front: at icon sizes shading would only blur the shape.
    const QRectF e = projectedExtent(figure);
    const double span = std::max(e.width(), e.height()) / 0.74;
    const Frame fr{e.center().x() - span / 2, e.center().y() + span / 2, size / span};
    const auto [zBack, zFront] = depthRange(figure, cam);
    struct Item {
        float depth;
        QPainterPath path;
        QColor colour;
        QPainterPath hair; // the head's crown, over the face
    };
    QVector<Item> items;
    for (int id = 0; id < figure.parts.size(); ++id) {
        if (figure.parts[id].name == "nose") // a bump too small to read at icon sizes
            continue;
        Item it{0, {}, {}, {}};
        int count = 0;
        for (const Capsule &c : figure.capsules) {
            if (c.part != id)
                continue;
            QPainterPath path;
            path.addPolygon(
                capsuleOutline(fr.pixel(cam.project(c.a)), c.ra * fr.k, fr.pixel(cam.project(c.b)), c.rb * fr.k));
            it.path = it.path.united(path);
            it.depth += cam.depth(c.a) + cam.depth(c.b);
            count += 2;
        }
        if (!count)
            continue;
        it.depth /= count;
        const Material m = figure.parts[id].material;
        const QColor base = m == Material::Clothes ? kClothes : m == Material::Shirt ? kShirt : kSkin;
        it.colour = mix(base, kBadge, 0.5 * (zFront - it.depth) / std::max(1.f, zFront - zBack));
        if (m == Material::Head) {
            const QRectF b = it.path.boundingRect();
            QPainterPath cap;
            cap.addEllipse(b.translated(0, -b.height() * 0.42));
            it.hair = it.path.intersected(cap);
        }
        items << it;
    }
    std::sort(items.begin(), items.end(), [](const Item &a, const Item &b) { return a.depth < b.depth; });
    p.setPen(QPen(kLine, std::max(0.6, size / 110), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const Item &it : items) {
        p.setBrush(it.colour);
        p.drawPath(it.path.simplified());
        if (!it.hair.isEmpty()) {
            p.setBrush(kHair);
            p.drawPath(it.hair.simplified());
        }
    }
    p.restore();
}

QImage renderIcon(const Figure &figure, int size)
{
    constexpr int ss = 4;
    QImage big(size * ss, size * ss, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        paintIcon(p, figure, size * ss);
    }
    return big.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

QImage renderSheet(const QVector<QImage> &pictures, const QStringList &names, int columns)
{
    const int cell = pictures.isEmpty() ? 250 : pictures.first().width();
    const int gap = 12, label = 30;
    const int rows = (pictures.size() + columns - 1) / columns;
    QImage sheet(gap + columns * (cell + gap), gap + rows * (cell + label + gap), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font("DejaVu Sans");
    font.setPixelSize(16);
    p.setFont(font);
    p.setPen(QColor(60, 0, 70));
    for (int i = 0; i < pictures.size(); ++i) {
        const int x = gap + (i % columns) * (cell + gap);
        const int y = gap + (i / columns) * (cell + label + gap);
        p.drawImage(x, y, pictures[i]);
        p.drawText(QRect(x, y + cell, cell, label), Qt::AlignCenter,
                   QStringLiteral("%1 %2").arg(i + 1, 2, 10, QChar('0')).arg(names.value(i)));
    }
    return sheet;
}

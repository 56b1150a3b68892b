#include "render.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

// Joints of each drawable limb, from the body outwards; the last step is the hand or foot.
QStringList chain(const QString &item)
{
    const QString s = item.section('.', 1);
    if (item.startsWith("arm.") || item.startsWith("forearm."))
        return {"shoulder." + s, "elbow." + s, "wrist." + s, "fingers." + s};
    return {"hip." + s, "knee." + s, "ankle." + s, "toe." + s};
}

// The forearm or shin of a limb, when the order draws it apart from the rest of the limb.
QString lowerPart(const QString &item)
{
    return (item.startsWith("arm.") ? "forearm." : "shin.") + item.section('.', 1);
}

QStringList drawOrder(const Pose &pose)
{
    if (!pose.order.isEmpty())
        return pose.order;
    const QString n = pose.nearSide.isEmpty() ? "r" : pose.nearSide, f = n == "r" ? "l" : "r";
    switch (pose.view) {
    case View::Side:
        return {"arm." + f, "leg." + f, "torso", "head", "leg." + n, "arm." + n};
    case View::Front: // arms last: crossed or joined hands are in front of the body
        return {"leg.r", "leg.l", "torso", "head", "arm.r", "arm.l"};
    case View::Top:
        return {"arm.r", "arm.l", "leg.r", "leg.l", "torso", "head"};
    }
    return {};
}

QPen roundPen(const QColor &colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPointF unitOf(const QPointF &v)
{
    const double l = std::hypot(v.x(), v.y());
    return l > 0 ? v / l : QPointF(0, 1);
}

// The side of the spine the chest faces, as a unit vector at the head.
QPointF faceDirection(const Figure &f)
{
    const QPointF up = unitOf(f.at("head") - f.at("neck"));
    const QPointF cw(up.y(), -up.x());
    return f.pose->facingRight ? cw : -cw;
}

class Painter {
public:
    Painter(QPainter &p, const Figure &f, const Style &s) : p(p), f(f), s(s) {}

    void draw()
    {
        if (s.drawMat)
            mat();
        for (const QString &item : drawOrder(*f.pose)) {
            if (item == "torso")
                torso();
            else if (item == "head")
                head();
            else
                limb(item);
        }
    }

    // Extent of everything drawn, in body units, so the caller can fit it to the frame.
    QRectF bounds() const
    {
        const QRectF body = bodyExtent();
        return s.drawMat ? body | matRect(body) : body;
    }

private:
    QPainter &p;
    const Figure &f;
    const Style &s;

    bool top() const { return f.pose->view == View::Top; }

    QRectF bodyExtent() const
    {
        QRectF r;
        for (auto it = f.joints.cbegin(); it != f.joints.cend(); ++it) {
            const double rad = Body::radius(it.key(), f.pose->view);
            r |= QRectF(it.value() - QPointF(rad, rad), QSizeF(2 * rad, 2 * rad));
        }
        return r;
    }

    // Under the figure on the floor line, or behind the whole figure when seen from above.
    QRectF matRect(const QRectF &figure) const
    {
        if (top())
            return figure.adjusted(-6, -6, 6, 6);
        return QRectF(QPointF(figure.left() - 6, -3.5), QPointF(figure.right() + 6, 0));
    }

    void mat()
    {
        p.setPen(Qt::NoPen);
        p.setBrush(top() ? s.mat.lighter(118) : s.mat);
        p.drawRoundedRect(matRect(bodyExtent()), 1.5, 1.5);
    }

    QColor colourOf(const QString &item) const
    {
        const QString &near = f.pose->nearSide;
        const bool far = !near.isEmpty() && item.contains('.') && item.section('.', 1) != near;
        return far ? s.farBody : s.body;
    }

    // A whole limb, or only its upper segment when its lower part is drawn separately, or
    // (item "forearm.*" / "shin.*") that lower part with the hand or foot.
    void limb(const QString &item)
    {
        const QStringList j = chain(item);
        const bool lower = item.startsWith("forearm.") || item.startsWith("shin.");
        const bool arm = item.startsWith("arm.") || item.startsWith("forearm.");
        const QColor colour = colourOf(item);
        const double width = arm ? Body::armWidth : Body::legWidth;
        p.setBrush(Qt::NoBrush);
        if (!lower && f.pose->order.contains(lowerPart(item))) {
            upperOnly(j, width, colour);
            return;
        }
        if (lower)
            halo(j, width, 1, 0.3);
        else
            halo(j, width);
        QPainterPath path(f.at(j[lower ? 1 : 0]));
        if (!lower)
            path.lineTo(f.at(j[1]));
        path.lineTo(f.at(j[2]));
        p.setPen(roundPen(colour, width));
        p.drawPath(path);
        if (arm && f.pose->flags.contains("spread-fingers")) {
            fingers(f.at(j[2]), f.at(j[3]), colour);
            return;
        }
        p.setPen(roundPen(colour, arm ? Body::handWidth : Body::footWidth));
        p.drawLine(f.at(j[2]), f.at(j[3]));
    }

    // The upper arm or thigh alone, with its rim.
    void upperOnly(const QStringList &j, double width, const QColor &colour)
    {
        p.setPen(roundPen(s.halo, width + 2 * Style::haloWidth));
        p.drawLine(f.at(j[0]) + (f.at(j[1]) - f.at(j[0])) * 0.45, f.at(j[1]));
        p.setPen(roundPen(colour, width));
        p.drawLine(f.at(j[0]), f.at(j[1]));
    }

    // A thin rim of background colour around a limb keeps it readable where it crosses the
    // body or another limb. It starts partway down the first segment drawn (from joint
    // `first`) so the joint stays attached.
    void halo(const QStringList &j, double width, int first = 0, double start = 0.45)
    {
        const double rim = 2 * Style::haloWidth;
        QPainterPath path(f.at(j[first]) + (f.at(j[first + 1]) - f.at(j[first])) * start);
        if (first == 0)
            path.lineTo(f.at(j[1]));
        path.lineTo(f.at(j[2]));
        p.setBrush(Qt::NoBrush);
        p.setPen(roundPen(s.halo, width + rim));
        p.drawPath(path);
        p.setPen(roundPen(s.halo, Body::footWidth + rim));
        p.drawLine(f.at(j[2]), f.at(j[3]));
    }

    // Four thin rays instead of a hand: the wide-open fingers of the lion.
    void fingers(const QPointF &wrist, const QPointF &tip, const QColor &colour)
    {
        p.setPen(roundPen(colour, Body::handWidth));
        p.drawLine(wrist, wrist + (tip - wrist) * 0.4);
        p.setPen(roundPen(colour, 1.8));
        const QPointF d = tip - wrist;
        for (double a : {-30.0, -10.0, 10.0, 30.0}) {
            const double r = qDegreesToRadians(a);
            const QPointF ray(d.x() * qCos(r) - d.y() * qSin(r), d.x() * qSin(r) + d.y() * qCos(r));
            p.drawLine(wrist + d * 0.3, wrist + ray);
        }
    }

    void torso()
    {
        p.setPen(roundPen(s.body, Body::armWidth));
        p.drawLine(f.at("neck"), f.at("head")); // the neck, under the head
        if (f.pose->view == View::Side) {
            // A curve through the chest joint, so back bends read as one arc.
            const QPointF a = f.at("pelvis"), m = f.at("chest"), b = f.at("neck");
            QPainterPath spine(a);
            spine.quadTo(2 * m - (a + b) / 2, b);
            p.setPen(roundPen(s.body, Body::torsoWidth));
            p.setBrush(Qt::NoBrush);
            p.drawPath(spine);
            return;
        }
        const QPolygonF shape({f.at("shoulder.l"), f.at("shoulder.r"), f.at("hip.r"), f.at("hip.l")});
        p.setPen(roundPen(s.body, Body::armWidth));
        p.setBrush(s.body);
        p.drawPolygon(shape);
    }

    void head()
    {
        const QPointF c = f.at("head");
        p.setPen(Qt::NoPen);
        p.setBrush(s.body);
        p.drawEllipse(c, Body::headRadius, Body::headRadius);
        // A small nose shows which way the face looks; facing us, only a turned head has one.
        const QPointF up = unitOf(c - f.at("neck"));
        if (f.pose->view != View::Side) {
            if (!f.pose->look.isNull())
                p.drawEllipse(c + f.pose->look * (Body::headRadius - 0.2), 2.0, 2.0);
            return;
        }
        const QPointF front = faceDirection(f);
        p.drawEllipse(c + front * (Body::headRadius - 0.2) - up * 0.5, 2.0, 2.0);
        if (f.pose->flags.contains("tongue"))
            tongue(c, front, up);
    }

    // The lion's open mouth and the tongue stretched out and down.
    void tongue(const QPointF &c, const QPointF &front, const QPointF &up)
    {
        const QPointF mouth = c + front * (Body::headRadius - 1.5) - up * 3.2;
        p.setBrush(s.background);
        p.drawEllipse(mouth, 1.6, 1.6);
        p.setPen(roundPen(QColor(214, 64, 96), 2.2));
        p.drawLine(mouth, mouth + front * 2.5 - up * 4.0);
    }
};

// Scales the figure's drawn extent into `frame`, centred, never larger than `maxScale`.
void drawFitted(QPainter &p, const Figure &f, const Style &s, const QRectF &frame, double maxScale)
{
    Painter painter(p, f, s);
    const QRectF b = painter.bounds();
    const double scale = std::min({frame.width() / b.width(), frame.height() / b.height(), maxScale});
    p.save();
    p.translate(frame.center());
    p.scale(scale, -scale); // body units have y up
    p.translate(-b.center());
    painter.draw();
    p.restore();
}

} // namespace

// One zoom limit for all pictures keeps seated and lying figures close to one size.
constexpr double kMaxScale = 2.4;
constexpr double kMargin = 14;

QImage renderPicture(const Figure &figure, int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    const Style style;
    image.fill(style.background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double zoom = size / 250.0;
    drawFitted(p, figure, style, QRectF(kMargin, kMargin, size - 2 * kMargin, size - 2 * kMargin),
               kMaxScale * zoom);
    return image;
}

QImage renderIcon(const Figure &figure, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Style style;
    style.body = style.farBody = style.mat;
    style.halo = QColor(100, 0, 110);
    style.drawMat = false;
    const double r = size / 2.0 - std::max(0.5, size / 64.0);
    const QPointF centre(size / 2.0, size / 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(100, 0, 110));
    p.drawEllipse(centre, r, r);
    // A box well inside the badge, so the wide knees of the seated figure clear the rim.
    const double half = r * 0.6;
    drawFitted(p, figure, style, QRectF(centre.x() - half, centre.y() - half * 0.9, 2 * half, 2 * half), 1e9);
    return image;
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

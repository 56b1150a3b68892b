// The pose model: what a pose file may say, and the poses the generator must refuse; and how
// a set of figures is framed in its pictures.
#include "pose.h"
#include "render.h"

#include <QtTest>

namespace {

Figure solveText(const QString &text, Pose &keep)
{
    keep = parsePoseText(text, "test.pose");
    return solvePose(keep);
}

// The index of the figure's part with this name, or -1.
int partIndex(const Figure &f, const QString &name)
{
    for (int i = 0; i < f.parts.size(); ++i)
        if (f.parts[i].name == name)
            return i;
    return -1;
}

// Straight arms overhead, the hands side by side with the palms up, seen from `camera`.
QString handsOverHead(const QString &camera, const QString &flags)
{
    return "name: X\ncamera: " + camera +
           "\nreach arm.l on neckbase 6.3 30.7 2 pole 1 0 0\n"
           "reach arm.r on neckbase -6.3 30.7 2 pole -1 0 0\n"
           "aim hand.l fingers -1 0 0 palm 0 1 1.2\n"
           "aim hand.r fingers 1 0 0 palm 0 1 1.2\nflags: " +
           flags + "\n";
}

// The message of the PoseError a pose text raises, or an empty string.
QString failure(const QString &text)
{
    try {
        Pose pose;
        solveText(text, pose);
    } catch (const PoseError &e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

// What is wrong with a pose text that should be refused on its last line with a message
// containing `error`: the message it gave instead, "accepted", or an empty string.
QString missedRefusal(const QString &text, const QString &error)
{
    const QString message = failure(text);
    if (message.isEmpty())
        return "accepted";
    const bool onLastLine = message.startsWith("test.pose:" + QString::number(text.count('\n')));
    return onLastLine && message.contains(error) ? QString() : message;
}

struct FramingCase {
    const char *name;
    QString lines;
    bool standing;
};

// A small set to frame: the tallest figure, the widest, and a compact seat.
QList<FramingCase> framingCases()
{
    return {
        {"standing, arms overhead",
         "camera: 20 5\nshoulder.l: 180\nshoulder.r: 180\nankle.l: 30\nankle.r: 30\ncontact: foot.l foot.r", true},
        {"lying face down, arms forward",
         "camera: -90 8\nbody: 90\nneck: -30\nankle.l: 90\nankle.r: 90\nshoulder.l: 180\nshoulder.r: 180\n"
         "contact: torso thigh.l thigh.r",
         false},
        {"seated, compact",
         "camera: -30 20\nhip.l: 90\nhip.r: 90\nshoulder.l: 60\nshoulder.r: 60\ncontact: torso thigh.l thigh.r", false},
    };
}

} // namespace

class tst_pose : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parsesEveryStatement()
    {
        const Pose pose = parsePoseText("# a comment\n"
                                        "name: Test Pose   # trailing comment\n"
                                        "camera: 35 20\n"
                                        "body: 90 0 -30\n"
                                        "height: 12.5\n"
                                        "contact: foot.l hand.r\n"
                                        "flags: tongue fists\n"
                                        "knee.l: 40\n"
                                        "hip.r: 80 10 -5\n"
                                        "reach arm.l at knee.r 0 2 0 pole 1 0 0\n"
                                        "reach leg.r 3 0 20\n",
                                        "t.pose");
        QCOMPARE(pose.name, QStringLiteral("Test Pose"));
        QCOMPARE(pose.azimuth, 35.0);
        QCOMPARE(pose.elevation, 20.0);
        QCOMPARE(pose.body, QVector3D()); // "body" is a joint: its angles sit with the others
        QCOMPARE(pose.angles.value("body"), QVector3D(90, 0, -30));
        QVERIFY(pose.fixedHeight);
        QCOMPARE(pose.height, 12.5);
        QCOMPARE(pose.contacts, QStringList({"foot.l", "hand.r"}));
        QCOMPARE(pose.flags, QSet<QString>({"tongue", "fists"}));
        QCOMPARE(pose.angles.value("knee.l"), QVector3D(40, 0, 0));
        QCOMPARE(pose.angles.value("hip.r"), QVector3D(80, 10, -5));
        QCOMPARE(pose.angleLine.value("hip.r"), 9);
        QCOMPARE(pose.reaches.size(), 2);
        QCOMPARE(pose.reaches[0].limb, QStringLiteral("arm.l"));
        QCOMPARE(pose.reaches[0].joint, QStringLiteral("knee.r"));
        QCOMPARE(pose.reaches[0].point, QVector3D(0, 2, 0));
        QCOMPARE(pose.reaches[0].pole, QVector3D(1, 0, 0));
        QCOMPARE(pose.reaches[0].line, 10);
        QVERIFY(pose.reaches[1].joint.isEmpty());
        QCOMPARE(pose.reaches[1].point, QVector3D(3, 0, 20));
        QVERIFY(pose.reaches[1].pole.isNull());
    }

    void rejectsMalformedLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("no name") << "knee.l: 10\n"
                                 << "test.pose: no 'name:'";
        QTest::newRow("no colon") << "name: X\nknee.l 10\n"
                                  << "test.pose:2: expected 'key: value'";
        QTest::newRow("unknown key") << "name: X\nelbo.l: 10\n"
                                     << "test.pose:2: unknown key or joint 'elbo.l'";
        QTest::newRow("limb without side") << "name: X\nknee: 10\n"
                                           << "unknown key or joint 'knee'";
        QTest::newRow("spine with side") << "name: X\nneck.l: 10\n"
                                         << "unknown key or joint 'neck.l'";
        QTest::newRow("too many angles") << "name: X\nknee.l: 10 5\n"
                                         << "test.pose:2: knee.l takes 1 to 1 angles";
        QTest::newRow("not a number") << "name: X\nhip.l: 10 x\n"
                                      << "test.pose:2: 'x' is not a number";
        QTest::newRow("twice") << "name: X\nhip.l: 10\nhip.l: 20\n"
                               << "test.pose:3: hip.l is given twice";
        QTest::newRow("camera from above") << "name: X\ncamera: 0 80\n"
                                           << "test.pose:2: camera elevation";
        QTest::newRow("camera one number") << "name: X\ncamera: 0\n"
                                           << "test.pose:2: expected 2 numbers";
        QTest::newRow("unknown flag") << "name: X\nflags: tongue wings\n"
                                      << "unknown flag 'wings'";
        QTest::newRow("reach bad limb") << "name: X\nreach tail 0 0 0\n"
                                        << "test.pose:2: reach needs arm.l";
        QTest::newRow("reach short") << "name: X\nreach arm.l 1 2\n"
                                     << "test.pose:2: expected 3 numbers";
        QTest::newRow("zero pole") << "name: X\nreach arm.l 1 2 3 pole 0 0 0\n"
                                   << "the pole must not be 0 0 0";
        QTest::newRow("height without height") << "name: X\nreach arm.l at knee.l 0 @2 0\n"
                                               << "needs the pelvis 'height:'";
        QTest::newRow("height in a bone frame") << "name: X\nheight: 9\nreach arm.l on knee.l 0 @2 0\n"
                                                << "goes with 'at'";
        QTest::newRow("aim a knee") << "name: X\naim knee.l toes 0 0 1 sole 0 -1 0\n"
                                    << "aim needs hand.l";
        QTest::newRow("aim a hand with toes") << "name: X\naim hand.l toes 0 0 1 sole 0 -1 0\n"
                                              << "expected 'aim HAND fingers";
        QTest::newRow("aim nowhere") << "name: X\naim foot.r toes 0 0 0 sole 0 -1 0\n"
                                     << "must not be 0 0 0";
        QTest::newRow("ball without side") << "name: X\nball: 30\n"
                                           << "unknown key or joint 'ball'";
        QTest::newRow("ball with two angles") << "name: X\nball.l: 30 5\n"
                                              << "test.pose:2: ball.l takes 1 to 1 angles";
    }
    void rejectsMalformedLines()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        try {
            parsePoseText(text, "test.pose");
            QFAIL("accepted");
        } catch (const PoseError &e) {
            QVERIFY2(QString::fromUtf8(e.what()).startsWith(message) || QString::fromUtf8(e.what()).contains(message),
                     e.what());
        }
    }

    // Angles just inside a limit pass, just outside fail with the joint and the angle named.
    void jointLimits_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("message"); // empty: the pose is valid
        QTest::newRow("knee at its limit") << "knee.l: 165"
                                           << "";
        QTest::newRow("knee folded too far") << "knee.l: 170"
                                             << "joint knee.l: flex 170 is outside -5..165";
        QTest::newRow("knee bent backwards") << "knee.r: -20"
                                             << "joint knee.r: flex -20";
        QTest::newRow("elbow") << "elbow.r: 161"
                               << "joint elbow.r: flex 161";
        QTest::newRow("arm overhead") << "shoulder.l: 180"
                                      << "";
        QTest::newRow("arm too far back") << "shoulder.l: -110"
                                          << "joint shoulder.l: flex -110 is outside -100..185";
        QTest::newRow("hip split sideways") << "hip.r: 0 100"
                                            << "joint hip.r: abd 100 is outside -35..95";
        QTest::newRow("hip twisted in") << "hip.l: 90 0 -70"
                                        << "joint hip.l: twist -70";
        QTest::newRow("neck turned round") << "neck: 0 0 120"
                                           << "joint neck: twist 120";
        QTest::newRow("lumbar") << "lumbar: 80"
                                << "joint lumbar: flex 80";
        QTest::newRow("ankle") << "ankle.l: 0 45"
                               << "joint ankle.l: turn 45";
        QTest::newRow("toes bent up at the ball to its limit") << "ball.l: 70"
                                                               << "";
        QTest::newRow("toes bent up past the ball's limit") << "ball.r: 75"
                                                            << "joint ball.r: flex 75 is outside 0..70";
        QTest::newRow("toes curled under at the ball") << "ball.l: -10"
                                                       << "joint ball.l: flex -10";
        // A reach must bend the limb within the same limits as an angle would.
        QTest::newRow("reach folds the knee too far") << "reach leg.l at hip.l 0 -1 -0.5"
                                                      << "joint knee.l: flex";
        QTest::newRow("reach takes the arm up behind the back") << "reach arm.r at shoulder.r 0 30 -12 pole 0 0.3 -1"
                                                                << "joint shoulder.r: flex 212";
        QTest::newRow("reach out of range") << "reach arm.l at shoulder.l 0 -40 0"
                                            << "line 2: arm.l cannot reach";
        QTest::newRow("reach within range") << "reach arm.l at shoulder.l 8 -20 10"
                                            << "";
        QTest::newRow("reach to a point that is no joint") << "reach arm.l at tail 0 0 0"
                                                           << "no point called tail";
        // An aim may not bend the wrist or the ankle further than the joint goes.
        QTest::newRow("hand bent back on the forearm") << "aim hand.l fingers 0 1 0 palm 1 0 0"
                                                       << "joint wrist.l: hand.l is bent 180";
        QTest::newRow("hand flat on the floor") << "aim hand.r fingers 0 0 1 palm 0 -1 0"
                                                << "";
        QTest::newRow("toes pulled up past the shin") << "aim foot.l toes 0 1 0.3 sole 0 0 -1"
                                                      << "joint ankle.l: foot.l is bent";
        QTest::newRow("toes pointed") << "aim foot.r toes 0 -1 0.2 sole 0 0 -1"
                                      << "";
    }
    void jointLimits()
    {
        QFETCH(QString, lines);
        QFETCH(QString, message);
        const QString got = failure("name: X\n" + lines + "\n");
        if (message.isEmpty())
            QVERIFY2(got.isEmpty(), qPrintable(got));
        else
            QVERIFY2(got.startsWith("test.pose: ") && got.contains(message), qPrintable(got));
    }

    void floorContact_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("message");
        QTest::newRow("standing, dropped on its feet") << "contact: foot.l foot.r"
                                                       << "";
        QTest::newRow("standing on a hand") << "contact: foot.l hand.r"
                                            << "hand.r should rest on the floor";
        QTest::newRow("unknown part") << "contact: tail"
                                      << "no part called tail";
        QTest::newRow("pelvis set too low") << "height: 40"
                                            << "through the floor";
        QTest::newRow("pelvis set too high") << "height: 70\ncontact: foot.l"
                                             << "foot.l should rest on the floor";
        QTest::newRow("lying face down")
            << "body: 90\nneck: -30\nankle.l: 90\nankle.r: 90\ncontact: torso thigh.l thigh.r"
            << "";
        QTest::newRow("lying face down, toes into the floor") << "body: 90\ncontact: torso"
                                                              << "torso should rest";
        QTest::newRow("seated")
            << "hip.l: 90\nhip.r: 90\nshoulder.l: 60\nshoulder.r: 60\ncontact: torso thigh.l thigh.r"
            << "";
        QTest::newRow("seated, hands through the floor") << "hip.l: 90\nhip.r: 90\ncontact: torso"
                                                         << "torso should rest";
        // At the height of a figure standing on the balls of its feet, the toes bent up at the
        // ball lie on the floor; kept in line with the foot they go through it.
        QTest::newRow("on the balls of the feet, toes bent flat")
            << "height: 58.2\nankle.l: 40\nankle.r: 40\nball.l: 40\nball.r: 40\ncontact: foot.l foot.r"
            << "";
        QTest::newRow("on the balls of the feet, toes straight") << "height: 58.2\nankle.l: 40\nankle.r: 40\n"
                                                                 << "foot.l goes 1.8 units through the floor";
    }
    void floorContact()
    {
        QFETCH(QString, lines);
        QFETCH(QString, message);
        const QString got = failure("name: X\n" + lines + "\n");
        if (message.isEmpty())
            QVERIFY2(got.isEmpty(), qPrintable(got));
        else
            QVERIFY2(got.contains(message), qPrintable(got));
    }

    // Every picture of a set, drawn at the set's one scale, keeps a clear margin, and a standing
    // figure has mat under its feet.
    void picturesKeepAMarginAndAFloor_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<bool>("standing");
        for (const FramingCase &c : framingCases())
            QTest::newRow(c.name) << c.lines << c.standing;
    }
    void picturesKeepAMarginAndAFloor()
    {
        QFETCH(QString, lines);
        QFETCH(bool, standing);
        // The set's scale comes from all the cases, as the generator takes it from all poses.
        double setSpan = 0;
        for (const FramingCase &c : framingCases()) {
            Pose keep;
            setSpan = std::max(setSpan, fittedSpan(solveText("name: X\n" + c.lines, keep)));
        }
        Pose pose;
        const Figure figure = solveText("name: X\n" + lines, pose);
        const int size = 250;
        const QImage img = renderPicture(figure, size, setSpan);

        // The figure's outline stays well inside the frame, and the frame's edge is background.
        int lowestLine = -1;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const int g = qGray(img.pixel(x, y));
                const int edge = std::min({x, y, size - 1 - x, size - 1 - y});
                if (edge < 4)
                    QVERIFY2(g > 200, qPrintable(QStringLiteral("frame edge not clear at %1,%2").arg(x).arg(y)));
                if (g < 120) {
                    QVERIFY2(edge >= 8,
                             qPrintable(QStringLiteral("figure %1 px from the edge at %2,%3").arg(edge).arg(x).arg(y)));
                    lowestLine = std::max(lowestLine, y);
                }
            }
        QVERIFY(lowestLine > 0);

        // Under a standing figure's feet the mat shows before the frame's edge.
        if (standing) {
            const int background = qGreen(img.pixel(1, 1));
            bool mat = false;
            for (int y = lowestLine + 1; y < size - 4 && !mat; ++y)
                for (int x = 0; x < size && !mat; ++x)
                    mat = qGray(img.pixel(x, y)) >= 120 && std::abs(qGreen(img.pixel(x, y)) - background) > 12;
            QVERIFY2(mat, "no mat under the feet");
        }
    }

    // Whatever the pose, the dropped figure rests on the floor and nothing sinks into it.
    void droppedFigureTouchesTheFloor()
    {
        for (const char *lines : {"", "body: 90", "body: -90", "body: 0 40", "hip.l: 120\nknee.l: 150"}) {
            Pose pose;
            const Figure f = solveText(QStringLiteral("name: X\n") + lines, pose);
            QVERIFY2(std::abs(f.lowest()) < 1e-3, lines);
        }
    }

    // The directions the angles name, on the figure: its left is +x, its front +z, up +y.
    void anglesBendTheNamedWay()
    {
        Pose pose;
        Figure f = solveText("name: X\n", pose);
        QVERIFY(f.at("shoulder.l").x() > 5 && f.at("shoulder.r").x() < -5);
        QVERIFY(f.at("head").y() > f.at("neckbase").y());
        QVERIFY(f.at("toe.l").z() > f.at("heel.l").z());  // toes to the front
        QVERIFY(std::abs(f.at("ankle.l").y() - 5) < 1.5); // standing on the foot

        f = solveText("name: X\nknee.l: 90\nhip.r: 90\nshoulder.l: 90\nelbow.r: 90\nlumbar: 30\nneck: 0 0 60\n", pose);
        QVERIFY(f.at("ankle.l").z() < f.at("knee.l").z() - 20);     // the shin folds back
        QVERIFY(f.at("knee.r").z() > f.at("hip.r").z() + 20);       // the thigh lifts forward
        QVERIFY(f.at("wrist.l").z() > f.at("shoulder.l").z() + 25); // the arm points forward
        QVERIFY(f.at("wrist.r").z() > f.at("elbow.r").z() + 12);    // the forearm folds forward
        QVERIFY(f.at("neckbase").z() > f.at("pelvis").z() + 5);     // the trunk bends forward
        const QVector3D face = f.frames["head"].mapVector({0, 0, 1});
        QVERIFY(face.x() > 0.5f); // the head turns to its left

        f = solveText("name: X\nhip.l: 0 45\nshoulder.r: 0 90\n", pose);
        QVERIFY(f.at("knee.l").x() > f.at("hip.l").x() + 10); // abduction is away from the midline
        QVERIFY(f.at("elbow.r").x() < f.at("shoulder.r").x() - 15);

        f = solveText("name: X\nbody: 90\n", pose); // face down: the nose points at the floor
        QVERIFY(f.frames["head"].mapVector({0, 0, 1}).y() < -0.9f);
    }

    // "on" offsets turn with the body, "@" heights stay on the floor, aims turn hand and foot.
    void targetsAndAims()
    {
        Pose pose;
        Figure f = solveText("name: X\nbody: 90\nreach arm.l on pelvis 3 6 9\n", pose);
        QVERIFY((f.at("wrist.l") - (f.at("pelvis") + f.frames["pelvis"].mapVector({3, 6, 9}))).length() < 0.01f);
        QVERIFY(f.at("wrist.l").y() < f.at("pelvis").y() - 5); // the body's front faces the floor

        f = solveText("name: X\nheight: 9.5\nhip.l: 90\nhip.r: 90\nshoulder.l: 90\nreach arm.r at shoulder.r -3 @8 5\n",
                      pose);
        QVERIFY(std::abs(f.at("wrist.r").y() - 8) < 0.01f);
        QVERIFY(std::abs(f.at("wrist.r").x() - (f.at("shoulder.r").x() - 3)) < 0.01f);

        f = solveText("name: X\naim hand.l fingers 0 0 1 palm 0 -1 0\naim foot.r toes 1 0 0 sole 0 -1 0\n", pose);
        QVERIFY(f.at("fingers.l").z() > f.at("wrist.l").z() + 8); // fingers forward
        QVERIFY(f.at("toe.r").x() > f.at("heel.r").x() + 8);      // toes turned to the left
    }

    // Touching parts that do not share a joint get a line between them in the pictures.
    void partsJoined_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("joined");
        QTest::newRow("knee") << "thigh.l"
                              << "shin.l" << true;
        QTest::newRow("knee, either order") << "shin.r"
                                            << "thigh.r" << true;
        QTest::newRow("shin on the other thigh") << "shin.l"
                                                 << "thigh.r" << false;
        QTest::newRow("crossed shins") << "shin.l"
                                       << "shin.r" << false;
        QTest::newRow("ankle") << "shin.r"
                               << "foot.r" << true;
        QTest::newRow("foot on the other thigh") << "foot.r"
                                                 << "thigh.l" << false;
        QTest::newRow("hip") << "torso"
                             << "thigh.l" << true;
        QTest::newRow("shoulder") << "upperarm.r"
                                  << "torso" << true;
        QTest::newRow("elbow") << "upperarm.l"
                               << "forearm.l" << true;
        QTest::newRow("wrist") << "forearm.r"
                               << "hand.r" << true;
        QTest::newRow("thumb") << "thumb.l"
                               << "hand.l" << true;
        QTest::newRow("hand holding the ankle") << "hand.l"
                                                << "shin.l" << false;
        QTest::newRow("hand on the other hand") << "hand.l"
                                                << "hand.r" << false;
        QTest::newRow("forearm against the torso") << "forearm.l"
                                                   << "torso" << false;
        QTest::newRow("neck") << "neck"
                              << "torso" << true;
        QTest::newRow("chin on the chest") << "head"
                                           << "torso" << false;
        QTest::newRow("nose") << "nose"
                              << "head" << true;
        QTest::newRow("same part") << "thigh.l"
                                   << "thigh.l" << false;
    }
    void partsJoined()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, joined);
        QCOMPARE(::partsJoined(a, b), joined);
    }

    // Gripping fingers curl to the palm's side: with the palm down they reach below it. The
    // flag takes both hands or one, and the other hand stays open.
    void gripCurlsTheFingersToThePalm_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("left");
        QTest::addColumn<bool>("right");
        QTest::newRow("both hands") << "grip" << true << true;
        QTest::newRow("left hand") << "grip.l" << true << false;
        QTest::newRow("right hand") << "grip.r" << false << true;
    }
    void gripCurlsTheFingersToThePalm()
    {
        QFETCH(QString, flag);
        QFETCH(bool, left);
        QFETCH(bool, right);
        const QString hands = "name: X\naim hand.l fingers 0 0 1 palm 0 -1 0\naim hand.r fingers 0 0 1 palm 0 -1 0\n";
        Pose open, grip;
        const Figure a = solveText(hands, open), b = solveText(hands + "flags: " + flag + "\n", grip);
        for (const auto &[side, curled] : {std::pair{QString("l"), left}, std::pair{QString("r"), right}}) {
            const QString hand = "hand." + side;
            QVERIFY2(a.lowest(hand) > a.at("wrist." + side).y() - 3, qPrintable(hand)); // the open hand lies flat
            if (curled)
                QVERIFY2(b.lowest(hand) < a.lowest(hand) - 2, qPrintable(hand));
            else
                QVERIFY2(std::abs(b.lowest(hand) - a.lowest(hand)) < 0.01, qPrintable(hand));
        }
    }

    // Only the seal closes the thumb's tip on a finger: a ring a viewer reads as the gesture.
    // Every other hand shape leaves the thumb's tip clear of the fingers' tips.
    void sealClosesTheThumbOnTheIndex_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<bool>("closed");
        QTest::newRow("open hand") << "" << false;
        QTest::newRow("spread fingers") << "flags: spread-fingers\n" << false;
        QTest::newRow("grip") << "flags: grip\n" << false;
        QTest::newRow("seal") << "flags: seal\n" << true;
    }
    void sealClosesTheThumbOnTheIndex()
    {
        QFETCH(QString, flags);
        QFETCH(bool, closed);
        Pose pose;
        const Figure f = solveText("name: X\n" + flags, pose);
        for (const QString side : {"l", "r"}) {
            int hand = -1, thumb = -1;
            for (int i = 0; i < f.parts.size(); ++i) {
                if (f.parts[i].name == "hand." + side)
                    hand = i;
                if (f.parts[i].name == "thumb." + side)
                    thumb = i;
            }
            QVERIFY(hand >= 0 && thumb >= 0);
            QVector3D tip;
            float tipRadius = 0;
            for (const Capsule &c : f.capsules)
                if (c.part == thumb)
                    tip = c.b, tipRadius = c.rb;
            // The gap between the thumb's tip and the nearest end of a finger's joint.
            float gap = 1e9f;
            for (const Capsule &c : f.capsules)
                if (c.part == hand && c.digit)
                    gap = std::min(gap, (c.b - tip).length() - c.rb - tipRadius);
            QVERIFY2(closed ? gap < 0.2f : gap > 0.5f, qPrintable(QString("%1: gap %2").arg(side).arg(gap)));
        }
    }

    // Every hand shape has four fingers and a thumb as numbered digits, so each can be drawn
    // apart from its neighbours; which fingers curl toward the palm is what tells the shapes
    // apart (the palm faces the floor here, so a curled fingertip hangs below the wrist).
    void handsHaveFourFingersAndAThumb_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QList<int>>("curled"); // digits whose tips curl to the palm's side
        QTest::newRow("open hand") << "" << QList<int>{};
        QTest::newRow("spread fingers") << "flags: spread-fingers\n" << QList<int>{};
        QTest::newRow("seal: the index only") << "flags: seal\n" << QList<int>{1};
        QTest::newRow("grip") << "flags: grip\n" << QList<int>{1, 2, 3, 4};
        QTest::newRow("fists") << "flags: fists\n" << QList<int>{1, 2, 3, 4};
    }
    void handsHaveFourFingersAndAThumb()
    {
        QFETCH(QString, flags);
        QFETCH(QList<int>, curled);
        Pose pose;
        const Figure f = solveText(
            "name: X\naim hand.l fingers 0 0 1 palm 0 -1 0\naim hand.r fingers 0 0 1 palm 0 -1 0\n" + flags, pose);
        for (const QString side : {"l", "r"}) {
            const QVector3D wrist = f.at("wrist." + side);
            QHash<int, QVector3D> base, tip; // each digit's first and last joint
            for (const Capsule &c : f.capsules) {
                const QString part = f.parts[c.part].name;
                if (part != "hand." + side && part != "thumb." + side)
                    continue;
                QCOMPARE(c.digit > 0 && c.digit < 5, part.startsWith("hand") && c.digit != 0);
                if (c.digit && !base.contains(c.digit))
                    base[c.digit] = c.a;
                if (c.digit)
                    tip[c.digit] = c.b;
            }
            QCOMPARE(tip.size(), 5);
            for (int d = 1; d <= 4; ++d) {
                const bool down = tip[d].y() < wrist.y() - 1.5f;
                QVERIFY2(down == curled.contains(d), qPrintable(QString("%1: digit %2").arg(side).arg(d)));
                // An open finger reaches well past the knuckles; a curled one folds back.
                if (!down)
                    QVERIFY2(tip[d].z() - wrist.z() > 7, qPrintable(QString("%1: digit %2").arg(side).arg(d)));
            }
            // The index grows next to the thumb and the little finger on the far edge, on both hands.
            QVERIFY2((base[1] - base[5]).length() + 0.8f < (base[4] - base[5]).length(), qPrintable(side));
        }
    }

    // Interlocked fingers: where they pass between the two hands the eight alternate, left,
    // right, left..., each finger's tip lies on the back of the other hand, every finger keeps
    // about its own length, and the thumbs stay on their own hand's side. Hands too far apart
    // for the fingers to reach each other are refused.
    void interlacedFingersAlternate_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QVector3D>("palm"); // both palms face this way; the backs the other
        QTest::newRow("palms up overhead") << "reach arm.l on neckbase 6.3 30 3 pole 1 0 0\n"
                                              "reach arm.r on neckbase -6.3 30 3 pole -1 0 0\n"
                                              "aim hand.l fingers -1 0 0 palm 0 1 1.2\n"
                                              "aim hand.r fingers 1 0 0 palm 0 1 1.2\n"
                                           << QVector3D(0, 1, 1.2f);
        QTest::newRow("palms down before the belly") << "reach arm.l on pelvis 6.1 12 14 pole 1 0 0\n"
                                                        "reach arm.r on pelvis -6.1 12 14 pole -1 0 0\n"
                                                        "aim hand.l fingers -1 0 0 palm 0 -1 0\n"
                                                        "aim hand.r fingers 1 0 0 palm 0 -1 0\n"
                                                     << QVector3D(0, -1, 0);
        QTest::newRow("palms pushed forward") << "reach arm.l on neckbase 6.1 -2 28 pole 1 0 0\n"
                                                 "reach arm.r on neckbase -6.1 -2 28 pole -1 0 0\n"
                                                 "aim hand.l fingers -1 0 0 palm 0 0 1\n"
                                                 "aim hand.r fingers 1 0 0 palm 0 0 1\n"
                                              << QVector3D(0, 0, 1);
        QTest::newRow("hands too far apart") << "reach arm.l on neckbase 12 30 3 pole 1 0 0\n"
                                                "reach arm.r on neckbase -12 30 3 pole -1 0 0\n"
                                                "aim hand.l fingers -1 0 0 palm 0 1 0\n"
                                                "aim hand.r fingers 1 0 0 palm 0 1 0\n"
                                             << QVector3D();
    }
    void interlacedFingersAlternate()
    {
        QFETCH(QString, lines);
        QFETCH(QVector3D, palm);
        const QString text = "name: X\n" + lines + "flags: interlace\n";
        if (palm.isNull()) {
            QVERIFY2(failure(text).contains("interlace"), qPrintable(failure(text)));
            return;
        }
        Pose pose;
        const Figure f = solveText(text, pose);
        const QVector3D wl = f.at("wrist.l"), wr = f.at("wrist.r");
        const QVector3D mid = (wl + wr) / 2, across = (wr - wl).normalized(); // from left to right
        // Along the row of knuckles, toward the thumbs.
        const QVector3D row =
            (f.frames["wrist.l"].mapVector({0, 0, 1}) + f.frames["wrist.r"].mapVector({0, 0, 1})).normalized();
        const QVector3D back = -palm.normalized();
        struct Finger {
            float at; // where it passes the plane between the hands, along the row
            QVector3D tip;
            float length = 0;
        };
        QHash<QString, QHash<int, Finger>> fingers;
        QHash<QString, QVector3D> thumbTip;
        for (const Capsule &c : f.capsules) {
            const QString part = f.parts[c.part].name;
            const QString side = part.right(1);
            if (part.startsWith("thumb."))
                thumbTip[side] = c.b;
            if (!part.startsWith("hand.") || !c.digit)
                continue;
            Finger &fg = fingers[side][c.digit];
            const float da = QVector3D::dotProduct(c.a - mid, across), db = QVector3D::dotProduct(c.b - mid, across);
            if ((da <= 0) != (db <= 0))
                fg.at = QVector3D::dotProduct(c.a + (c.b - c.a) * (da / (da - db)) - mid, row);
            fg.tip = c.b;
            fg.length += (c.b - c.a).length();
        }
        QCOMPARE(fingers["l"].size(), 4);
        QCOMPARE(fingers["r"].size(), 4);
        QVector<std::pair<float, QString>> order;
        for (const QString side : {"l", "r"}) {
            const QString other = side == "l" ? "r" : "l";
            const QVector3D otherWrist = f.at("wrist." + other);
            for (auto it = fingers[side].cbegin(); it != fingers[side].cend(); ++it) {
                const QString name = QString("%1: finger %2").arg(side).arg(it.key());
                order << std::pair{it->at, side};
                // Over the back of the other hand, nearer its wrist than its own.
                QVERIFY2(QVector3D::dotProduct(it->tip - otherWrist, back) > 1.2f, qPrintable(name));
                QVERIFY2((it->tip - otherWrist).length() < (it->tip - f.at("wrist." + side)).length(),
                         qPrintable(name));
                QVERIFY2(it->length > 3.5f && it->length < 6.0f,
                         qPrintable(QString("%1: %2 long").arg(name).arg(it->length)));
            }
            const float thumbSide = QVector3D::dotProduct(thumbTip[side] - mid, across);
            QVERIFY2(side == "l" ? thumbSide < 0 : thumbSide > 0, qPrintable("thumb." + side));
        }
        // Neighbours along the row come from different hands and lie a finger's width apart.
        std::sort(order.begin(), order.end());
        QString sides;
        for (const auto &o : order)
            sides += o.second;
        QVERIFY2(sides == "rlrlrlrl" || sides == "lrlrlrlr", qPrintable(sides + " along the row"));
        for (int i = 1; i < order.size(); ++i)
            QVERIFY2(order[i].first - order[i - 1].first > 0.8f,
                     qPrintable(QString("fingers %1 and %2 along the row: %3 apart")
                                    .arg(i - 1)
                                    .arg(i)
                                    .arg(order[i].first - order[i - 1].first)));
    }

    // Interlocked hands turned palms up read as one white blob over the head: the clasp keeps
    // the skin's tone, while an open hand's palm stays paler than its back. Only the hands are
    // drawn; the share of their pixels that are near white tells.
    void interlockedHandsKeepTheSkinTone_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("camera");
        QTest::addColumn<bool>("pale");
        QTest::newRow("interlocked, from the front left and above") << "interlace"
                                                                    << "40 22" << false;
        QTest::newRow("interlocked, from high in front") << "interlace"
                                                         << "0 45" << false;
        QTest::newRow("interlocked, from the low right") << "interlace"
                                                         << "-30 5" << false;
        QTest::newRow("open hands, from the front left and above") << ""
                                                                   << "40 22" << true;
    }
    void interlockedHandsKeepTheSkinTone()
    {
        QFETCH(QString, flags);
        QFETCH(QString, camera);
        QFETCH(bool, pale);
        Pose pose;
        Figure f = solveText(handsOverHead(camera, flags), pose);
        QVector<Capsule> hands;
        for (const Capsule &c : f.capsules)
            if (f.parts[c.part].name.startsWith("hand.") || f.parts[c.part].name.startsWith("thumb."))
                hands << c;
        f.capsules = hands;
        const QImage img = renderPicture(f, 500, 30);
        const QRgb background = img.pixel(0, 0);
        int drawn = 0, white = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb v = img.pixel(x, y);
                if (v == background)
                    continue;
                ++drawn;
                white += qGray(v) > 236;
            }
        QVERIFY2(drawn > 2000, qPrintable(QString("%1 pixels drawn").arg(drawn)));
        const QString seen = QString("%1 of %2 pixels near white").arg(white).arg(drawn);
        QVERIFY2((white * 8 > drawn) == pale, qPrintable(seen));
    }

    // Two hands that meet (palms together, fists side by side) each keep their own outline, so
    // the line between them is about twice the figure's outline and they read as two; two
    // parts of one hand, a hand against something else, interlocked fingers, where two
    // outlines would fill the fingers with line, and a hand well behind the other, shown as a
    // strip the second outline would fill, keep the single line. Two flat hands stand
    // side by side, seen edge to edge; a row through their middle crosses the outline, the
    // first hand, the line between them, the second hand and the outline again.
    void handsThatMeetKeepTheirOwnOutlines_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<float>("depth"); // of the right one
        QTest::addColumn<bool>("doubled");
        QTest::newRow("the two hands") << "hand.l"
                                       << "hand.r"
                                       << "" << 0.f << true;
        QTest::newRow("the two hands, one a little behind") << "hand.l"
                                                            << "hand.r"
                                                            << "" << -1.5f << true;
        QTest::newRow("a hand and the other thumb") << "hand.r"
                                                    << "thumb.l"
                                                    << "" << 0.f << true;
        QTest::newRow("a hand and its own thumb") << "hand.r"
                                                  << "thumb.r"
                                                  << "" << 0.f << false;
        QTest::newRow("a hand and the other forearm") << "hand.r"
                                                      << "forearm.l"
                                                      << "" << 0.f << false;
        QTest::newRow("interlocked hands") << "hand.l"
                                           << "hand.r"
                                           << "interlace" << 0.f << false;
        QTest::newRow("a hand well behind the other") << "hand.l"
                                                      << "hand.r"
                                                      << "" << -6.f << false;
    }
    void handsThatMeetKeepTheirOwnOutlines()
    {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(QString, flags);
        QFETCH(float, depth);
        QFETCH(bool, doubled);
        Pose pose;
        Figure f = solveText(handsOverHead("0 0", flags), pose);
        f.capsules = {Capsule{{-1.5f, 45, 0}, {-1.5f, 55, 0}, 1.5f, 1.5f, partIndex(f, left)},
                      Capsule{{1.5f, 45, depth}, {1.5f, 55, depth}, 1.5f, 1.5f, partIndex(f, right)}};
        const QImage img = renderPicture(f, 500, 12);
        const auto dark = [&](int from, int to) {
            int n = 0;
            for (int x = from; x < to; ++x)
                n += qGray(img.pixel(x, 250)) < 120;
            return n;
        };
        // 12 units across 500 pixels: the hands span x = 125..375, they meet at 250.
        const int outer = dark(100, 160), between = dark(220, 281);
        const QString seen = QString("outline %1 pixels, between the two %2").arg(outer).arg(between);
        QVERIFY2(outer >= 2, qPrintable(seen));
        QVERIFY2((between * 10 >= outer * 16) == doubled, qPrintable(seen));
    }

    // A limb lying across another of the same colour (folded forearms, stacked knees, crossed
    // shins) stands in front of it: the one behind darkens over a short step beside the
    // outline. Across a different colour the contrast does it already, and two limbs along
    // each other keep the far one's strip its own tone. The back limb's tone just past the
    // front one's edge is compared with the same picture where the neck, which never casts
    // the step, lies in front instead.
    void aLimbInFrontOfOneOfItsColourStepsOut_data()
    {
        QTest::addColumn<QString>("front");
        QTest::addColumn<QString>("back");
        QTest::addColumn<bool>("across");
        QTest::addColumn<bool>("step");
        QTest::newRow("shin across the other thigh") << "shin.l"
                                                     << "thigh.r" << true << true;
        QTest::newRow("forearm across the other forearm") << "forearm.l"
                                                          << "forearm.r" << true << true;
        QTest::newRow("sleeve across the other sleeve") << "upperarm.l"
                                                        << "upperarm.r" << true << true;
        QTest::newRow("forearm across a thigh") << "forearm.l"
                                                << "thigh.r" << true << false;
        QTest::newRow("shin along the other shin") << "shin.l"
                                                   << "shin.r" << false << false;
    }
    void aLimbInFrontOfOneOfItsColourStepsOut()
    {
        QFETCH(QString, front);
        QFETCH(QString, back);
        QFETCH(bool, across);
        QFETCH(bool, step);
        const auto besideTheEdge = [&](const QString &inFront) {
            Pose pose;
            Figure f = solveText("name: X\ncamera: 0 0\n", pose);
            // The back limb along x at height 50, the front one either upright through x = 0 or
            // lying along it over its upper half; a speck far behind frames both round (0, 50).
            const Capsule behind{{-13, 50, 0}, {13, 50, 0}, 3, 3, partIndex(f, back)};
            f.capsules = {behind, across ? Capsule{{0, 37, 4}, {0, 63, 4}, 2, 2, partIndex(f, inFront)}
                                         : Capsule{{-13, 52.5f, 4}, {13, 52.5f, 4}, 2, 2, partIndex(f, inFront)}};
            if (!across)
                f.capsules << Capsule{{0, 45.6f, -20}, {0, 45.6f, -20}, 0.1f, 0.1f, partIndex(f, back)};
            const QImage img = renderPicture(f, 500, 40);
            // A little more than two outlines past the front limb's edge (12.5 pixels a unit).
            return across ? qGray(img.pixel(int(250 + 2.45 * 12.5), 250)) : qGray(img.pixel(250, 249));
        };
        const int shown = besideTheEdge(front), plain = besideTheEdge("neck");
        const QString seen = QString("beside the front limb %1, beside the neck %2").arg(shown).arg(plain);
        if (step)
            QVERIFY2(shown + 5 < plain, qPrintable(seen));
        else
            QVERIFY2(std::abs(shown - plain) <= 2, qPrintable(seen));
    }

    // A foot shows its direction by its shape: the heel juts behind the ankle, the toes lie at
    // the front, the big toe on the inner edge of either foot, whichever way the foot is held.
    void feetHaveAHeelAndToes_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::newRow("standing") << "";
        QTest::newRow("toes pointed") << "ankle.l: 90\nankle.r: 90\n";
        QTest::newRow("turned out, soles up") << "ankle.l: 20 30\nankle.r: 20 30\nbody: 0 180\n";
    }
    void feetHaveAHeelAndToes()
    {
        QFETCH(QString, lines);
        Pose pose;
        const Figure f = solveText("name: X\n" + lines, pose);
        for (const QString side : {"l", "r"}) {
            const QVector3D ankle = f.at("ankle." + side), toe = f.at("toe." + side);
            const QVector3D forward = (toe - f.at("heel." + side)).normalized();
            const QVector3D inward = (f.at("hip.l") - f.at("hip.r")).normalized() * (side == "l" ? -1.f : 1.f);
            float behind = 0, front = -1e9f;
            QHash<int, QVector3D> toeTip;
            Capsule bigToe; // drawn before the other toes
            for (const Capsule &c : f.capsules) {
                if (f.parts[c.part].name != "foot." + side)
                    continue;
                for (const auto &[pt, r] : {std::pair{c.a, c.ra}, std::pair{c.b, c.rb}}) {
                    behind = std::max(behind, -QVector3D::dotProduct(pt - ankle, forward) + r);
                    front = std::max(front, QVector3D::dotProduct(pt - ankle, forward) + r);
                }
                if (c.digit)
                    toeTip[c.digit] = c.b;
                // Toes are short and round: a toe reaching more than one and a half times its
                // width past its base reads as a finger.
                if (c.digit && c.digit != kForefoot)
                    QVERIFY2((c.b - c.a).length() + c.rb < 1.5f * 2 * c.ra,
                             qPrintable(QString("%1: toe %2 is long like a finger").arg(side).arg(c.digit)));
                if (c.digit == kBigToe)
                    bigToe = c;
                else if (c.digit && c.digit != kForefoot)
                    QVERIFY2(c.ra < bigToe.ra && QVector3D::dotProduct(c.b - bigToe.b, forward) < -0.5f,
                             qPrintable(side + ": the big toe is the largest and the others step back from it"));
            }
            const QString where = side + ": " + QTest::currentDataTag();
            QVERIFY2(behind > 4, qPrintable(where));
            QVERIFY2(front > 9, qPrintable(where));
            QCOMPARE(toeTip.size(), 4); // big toe, middle toes, small toes, forefoot
            const QList<int> digits = toeTip.keys();
            const int big = *std::min_element(digits.begin(), digits.end());
            const int rest = big + 1;
            QVERIFY2(QVector3D::dotProduct(toeTip[big] - toeTip[rest], inward) > 1, qPrintable(where));
        }
    }

    // Risen onto the ball of the foot, the heel leaves the floor while the toes, bent up at the
    // ball, lie flat on it and still point forward; without the bend the foot stands on the tips
    // of its toes. Set by angles or by an aim, which turns the foot after its angles.
    void toesBendAtTheBall_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<bool>("heelUp");
        QTest::addColumn<bool>("toesFlat");
        QTest::newRow("standing flat") << "" << false << true;
        QTest::newRow("on the balls of the feet") << "ankle.l: 40\nankle.r: 40\nball.l: 40\nball.r: 40\n"
                                                  << true << true;
        QTest::newRow("on the balls, foot aimed") << "aim foot.l toes 0 -0.643 0.766 sole 0 -0.766 -0.643\nball.l: 40\n"
                                                     "aim foot.r toes 0 -0.643 0.766 sole 0 -0.766 -0.643\nball.r: 40\n"
                                                  << true << true;
        QTest::newRow("on the tips of the toes") << "ankle.l: 40\nankle.r: 40\n" << true << false;
    }
    void toesBendAtTheBall()
    {
        QFETCH(QString, lines);
        QFETCH(bool, heelUp);
        QFETCH(bool, toesFlat);
        Pose pose;
        const Figure f = solveText("name: X\n" + lines, pose);
        for (const QString side : {"l", "r"}) {
            const QString where = side + ": " + QTest::currentDataTag();
            const QVector3D ankle = f.at("ankle." + side);
            float heel = 1e9f, toeLow = 1e9f, toeHigh = -1e9f;
            for (const Capsule &c : f.capsules) {
                if (f.parts[c.part].name != "foot." + side)
                    continue;
                for (const auto &[pt, r] : {std::pair{c.a, c.ra}, std::pair{c.b, c.rb}}) {
                    if (pt.z() < ankle.z() - 1) // behind the ankle: the heel
                        heel = std::min(heel, pt.y() - r);
                    if (c.digit >= kBigToe && c.digit <= kSmallToes) {
                        toeLow = std::min(toeLow, pt.y() - r);
                        toeHigh = std::max(toeHigh, pt.y() - r);
                    }
                }
            }
            QVERIFY2(heelUp ? heel > 2 : heel < 0.5f, qPrintable(where + QString(": heel %1 up").arg(heel)));
            // Flat: the undersides of the toes, root and tip, all within a small step of the floor.
            QVERIFY2(toesFlat == (toeLow < 0.5f && toeHigh < 0.8f),
                     qPrintable(where + QString(": toes from %1 to %2 up").arg(toeLow).arg(toeHigh)));
            QVERIFY2(f.at("toe." + side).z() > f.at("ball." + side).z() + 2, qPrintable(where + ": toes forward"));
        }
    }

    // A sole turned to the camera shows a rosier tone than the top of the foot, so a foot resting
    // sole up reads as one.
    void solesShowRosierThanTheTopsOfTheFeet()
    {
        const auto rosiness = [](const QString &sole) {
            Pose pose;
            Figure f = solveText("name: X\ncamera: 0 0\nhip.l: 90\naim foot.l toes 0 1 0 sole " + sole + "\n", pose);
            QVector<Capsule> foot;
            for (const Capsule &c : f.capsules)
                if (f.parts[c.part].name == "foot.l")
                    foot << c;
            f.capsules = foot;
            const QImage img = renderPicture(f, 250, 20);
            double sum = 0;
            int count = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) {
                    const QRgb p = img.pixel(x, y);
                    if (qGray(p) < 120 || qGray(p) > 235) // the outline, the background
                        continue;
                    sum += qRed(p) - qGreen(p);
                    ++count;
                }
            return count ? sum / count : 0.0;
        };
        const double sole = rosiness("0 0 1"), top = rosiness("0 0 -1");
        QVERIFY2(sole > top + 8, qPrintable(QString("sole %1, top %2").arg(sole).arg(top)));
    }

    // The lower half of a shin is cloth and a forearm bare skin, so where arms and legs tangle
    // a shin does not read as a forearm.
    void shinsAreClothAndForearmsSkin()
    {
        // Mean grey of the part's pixels between 55% and 80% of its height, outline left out.
        const auto lowerTone = [](const QString &part) {
            Pose pose;
            Figure f = solveText("name: X\ncamera: 90 0\n", pose);
            QVector<Capsule> only;
            for (const Capsule &c : f.capsules)
                if (f.parts[c.part].name == part)
                    only << c;
            f.capsules = only;
            const QImage img = renderPicture(f, 250, 40);
            int top = img.height(), bottom = -1;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (qGray(img.pixel(x, y)) < 235) {
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
            double sum = 0;
            int count = 0;
            for (int y = top + (bottom - top) * 55 / 100; y <= top + (bottom - top) * 80 / 100; ++y)
                for (int x = 0; x < img.width(); ++x) {
                    const int g = qGray(img.pixel(x, y));
                    if (g >= 235 || g < 45) // the background, the outline
                        continue;
                    sum += g;
                    ++count;
                }
            return count ? sum / count : -1.0;
        };
        const double shin = lowerTone("shin.l"), forearm = lowerTone("forearm.l");
        QVERIFY2(shin >= 0 && forearm >= 0, "the part was not drawn");
        QVERIFY2(shin < forearm - 60, qPrintable(QString("shin %1, forearm %2").arg(shin).arg(forearm)));
    }

    // At a folded knee the shin may be drawn over its thigh where it lies just behind the
    // thigh's surface; a third part must still be hidden wherever the thigh is in front of it,
    // whichever of them is drawn first. The thigh runs across the view at depth 0 (radius 4,
    // front at 4), the shin folded back along it at 2.5 (radius 1, front at 3.5), and a hand
    // lies across both at the given depth.
    void aFoldHidesNoPartBehindItsFrontBone_data()
    {
        QTest::addColumn<float>("handDepth");
        QTest::addColumn<bool>("handFirst");
        QTest::addColumn<bool>("shown");
        QTest::newRow("between the bones, drawn last") << 3.0f << false << false;
        QTest::newRow("between the bones, drawn first") << 3.0f << true << false;
        QTest::newRow("in front of both, drawn last") << 4.5f << false << true;
        QTest::newRow("in front of both, drawn first") << 4.5f << true << true;
    }

    void aFoldHidesNoPartBehindItsFrontBone()
    {
        QFETCH(float, handDepth);
        QFETCH(bool, handFirst);
        QFETCH(bool, shown);
        Pose pose;
        Figure f = solveText("name: X\ncamera: 0 0\n", pose);
        f.points["hip.l"] = {-12, 0, 0};
        f.points["knee.l"] = {12, 0, 0};
        f.points["ankle.l"] = {-12, 0, 2.5f};
        const Capsule thigh{{-12, 0, 0}, {12, 0, 0}, 4, 4, partIndex(f, "thigh.l")};
        const Capsule shin{{12, 0, 2.5f}, {-12, 0, 2.5f}, 1, 1, partIndex(f, "shin.l")};
        const Capsule hand{{-3, 0, handDepth}, {3, 0, handDepth}, 0.75f, 0.75f, partIndex(f, "hand.r")};
        f.capsules = handFirst ? QVector<Capsule>{hand, thigh, shin} : QVector<Capsule>{thigh, shin, hand};
        const QImage img = renderPicture(f, 250, 40);
        // The pale skin of the hand or the purple cloth of a leg at the picture's centre.
        const int grey = qGray(img.pixel(125, 125));
        QVERIFY2(grey > 150 || grey < 120, qPrintable(QString("grey %1").arg(grey)));
        QCOMPARE(grey > 150, shown);
    }

    // A shin folded along its own thigh parts from it by a pale seam beside the dark fold line,
    // where the two dark cloths would otherwise read as one mass; a shin of the other leg
    // lying there is a separate shape with its outline only. The thigh runs across the view,
    // the shin just below it at the same depth; a column away from the knee crosses both.
    void aFoldedShinPartsFromItsThighBySeam_data()
    {
        QTest::addColumn<QString>("shinPart");
        QTest::addColumn<bool>("seam");
        QTest::newRow("its own shin, folded") << "shin.l" << true;
        QTest::newRow("the other leg's shin") << "shin.r" << false;
    }

    void aFoldedShinPartsFromItsThighBySeam()
    {
        QFETCH(QString, shinPart);
        QFETCH(bool, seam);
        Pose pose;
        Figure f = solveText("name: X\ncamera: 0 0\n", pose);
        for (const QString side : {"l", "r"}) {
            f.points["hip." + side] = {-12, 0, 0};
            f.points["knee." + side] = {12, 0, 0};
            f.points["ankle." + side] = {-12, -6, 0};
        }
        const Capsule thigh{{-12, 0, 0}, {12, 0, 0}, 4, 4, partIndex(f, "thigh.l")};
        const Capsule shin{{12, -6, 0}, {-12, -6, 0}, 3.5f, 3.5f, partIndex(f, shinPart)};
        f.capsules = {thigh, shin};
        const QImage img = renderPicture(f, 500, 40);
        // Down a column a third of the way from the hip: the thigh's cloth, the line between
        // the two, the shin's cloth. A seam is brighter than the cloth on both sides of it.
        QList<int> column;
        for (int y = 0; y < img.height(); ++y) {
            const int g = qGray(img.pixel(180, y));
            if (g < 235)
                column << g;
        }
        QVERIFY(column.size() > 80);
        int line = 10;
        for (int i = 10; i < column.size() - 10; ++i)
            if (column[i] < column[line])
                line = i;
        QVERIFY2(column[line] < 70, "no line between the thigh and the shin");
        QVERIFY(line >= 16 && line < column.size() - 16);
        const int beside = *std::max_element(column.begin() + line - 8, column.begin() + line + 9);
        const int cloth = std::max(column[line - 16], column[line + 16]);
        QVERIFY2((beside > cloth + 20) == seam,
                 qPrintable(QString("beside the line %1, the cloth round it %2").arg(beside).arg(cloth)));
    }

    // Bare skin in shadow is darker skin, not grey: it keeps its hue and enough of its colour
    // and light, while the lit side still models the limb. Cloth is shaded plainly.
    void skinStaysSkinInShadow_data()
    {
        QTest::addColumn<QColor>("base");
        QTest::addColumn<int>("finish");
        QTest::addColumn<float>("sole");
        const QColor skin(243, 214, 233), farSkin(232, 198, 224), sole(247, 192, 211);
        QTest::newRow("forearm") << skin << int(Finish::Skin) << 0.f;
        QTest::newRow("far forearm") << farSkin << int(Finish::Skin) << 0.f;
        QTest::newRow("back of a hand") << skin << int(Finish::HandOrFoot) << 0.f;
        QTest::newRow("sole") << sole << int(Finish::HandOrFoot) << 1.f;
    }
    void skinStaysSkinInShadow()
    {
        QFETCH(QColor, base);
        QFETCH(int, finish);
        QFETCH(float, sole);
        const QColor shadow = shadeSurface(base, Finish(finish), 0, 0, sole);
        const QColor half = shadeSurface(base, Finish(finish), 0.5f, 0, sole);
        const QColor lit = shadeSurface(base, Finish(finish), 1, 0, sole);
        const QString seen =
            QString("base %1, shadow %2, half %3, lit %4").arg(base.name(), shadow.name(), half.name(), lit.name());
        QVERIFY2(std::abs(shadow.hslHueF() - base.hslHueF()) < 10.f / 360, qPrintable(seen));
        QVERIFY2(shadow.hslSaturationF() > 0.3f * base.hslSaturationF(), qPrintable(seen));
        QVERIFY2(qGray(shadow.rgb()) >= 125, qPrintable(seen));
        // Still a shadow, and the round of the limb still shows from it to the light.
        QVERIFY2(qGray(shadow.rgb()) + 15 < qGray(half.rgb()), qPrintable(seen));
        QVERIFY2(qGray(half.rgb()) + 15 < qGray(lit.rgb()), qPrintable(seen));
        // The same skin shaded as cloth is what turned grey.
        const QColor plain = shadeSurface(base, Finish::Plain, 0, 0);
        QVERIFY2(plain.hslSaturationF() < 0.6f * shadow.hslSaturationF(), qPrintable(seen));
    }

    // Fingers pointing at the camera are small discs; drawn with the full outline they filled
    // with it and read as dark claws. The thinner outline leaves them mostly skin.
    void fingertipsSeenEndOnStayPale()
    {
        Pose pose;
        Figure f = solveText("name: X\ncamera: 0 0\nshoulder.r: 90\n"
                             "aim hand.r fingers 0 0 1 palm 0 -1 0\n",
                             pose);
        QVector<Capsule> fingers;
        for (const Capsule &c : f.capsules)
            if (f.parts[c.part].name == "hand.r" && c.digit != 0)
                fingers << c;
        QVERIFY(fingers.size() >= 4);
        f.capsules = fingers;
        const QImage img = renderPicture(f, 500, 25);
        int drawn = 0, dark = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const int g = qGray(img.pixel(x, y));
                if (g < 235) {
                    ++drawn;
                    dark += g < 110;
                }
            }
        QVERIFY2(drawn > 200, qPrintable(QString("%1 pixels drawn").arg(drawn)));
        // With the full outline a quarter of the pixels were line.
        QVERIFY2(dark * 6 < drawn, qPrintable(QString("%1 of %2 pixels are line").arg(dark).arg(drawn)));
    }

    // A piece of the figure jutting out narrower than two outlines keeps its colour inside its
    // thinner outlines, where the full ones met into a bare dark stroke; a sliver of a far part
    // along the silhouette of a near one, and a wide limb's edge, keep the full line. Rods are
    // "part ax ay az bx by bz radius", seen head on; `at` is a room point on the picture.
    void aThinPieceKeepsItsColour_data()
    {
        QTest::addColumn<QString>("rods");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<bool>("line");
        const QString thin = "forearm.r -20 50 0 20 50 0 1.25";
        const QString jutting = "forearm.l -20 50 0 0 50 0 6;hand.l 0 50 0 16 50 0 1.25";
        const QString wide = "forearm.r -20 50 0 20 50 0 5";
        QTest::newRow("thin rod, its middle") << thin << QPointF(0, 50) << false;
        QTest::newRow("thin tip past a wide part, its middle") << jutting << QPointF(11, 50) << false;
        QTest::newRow("wide rod, its middle") << wide << QPointF(0, 50) << false;
        QTest::newRow("wide rod, its edge") << wide << QPointF(0, 54.4) << true;
        QTest::newRow("sliver of a far part along a near one")
            << "forearm.r -20 50 10 20 50 10 5;forearm.l -20 51 0 20 51 0 5" << QPointF(0, 55.5) << true;
    }

    void aThinPieceKeepsItsColour()
    {
        QFETCH(QString, rods);
        QFETCH(QPointF, at);
        QFETCH(bool, line);
        Pose pose;
        Figure f = solveText("name: X\ncamera: 0 0\n", pose);
        QVector<Capsule> drawn;
        for (const QString &rod : rods.split(';')) {
            const QStringList v = rod.split(' ');
            QCOMPARE(v.size(), 8);
            Capsule c;
            c.part = partIndex(f, v[0]);
            QVERIFY(c.part >= 0);
            c.a = QVector3D(v[1].toFloat(), v[2].toFloat(), v[3].toFloat());
            c.b = QVector3D(v[4].toFloat(), v[5].toFloat(), v[6].toFloat());
            c.ra = c.rb = v[7].toFloat();
            drawn << c;
        }
        f.capsules = drawn;
        // Two pixels per unit: the thin rods are five pixels across, two outlines' width.
        constexpr double span = 250;
        const QImage img = renderPicture(f, 500, span);
        const QPointF centre = projectedExtent(f, true).center();
        const int x = int((at.x() - centre.x() + span / 2) * 500 / span);
        const int y = int((centre.y() + span / 2 - at.y()) * 500 / span);
        const int grey = qGray(img.pixel(x, y));
        const QString seen = QString("grey %1 at (%2, %3)").arg(grey).arg(x).arg(y);
        QVERIFY2(grey < 235, qPrintable(seen + ", the background")); // the rods are where the test says
        QVERIFY2(line ? grey < 110 : grey > 150, qPrintable(seen));
    }

    // The back of a hand keeps more of its light in shadow than the bare forearm it ends, so
    // fingers lying on a dark knee still show.
    void handsStayLightInShadow()
    {
        // The grey that a quarter of the part's pixels fall below, seen from behind (the back
        // of the hand, no palm).
        const auto shadowTone = [](const QString &part) {
            Pose pose;
            Figure f = solveText("name: X\ncamera: 180 0\n", pose);
            QVector<Capsule> only;
            for (const Capsule &c : f.capsules)
                if (f.parts[c.part].name == part && c.digit == 0)
                    only << c;
            f.capsules = only;
            const QImage img = renderPicture(f, 250, 25);
            QList<int> greys;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) {
                    const int g = qGray(img.pixel(x, y));
                    if (g < 235 && g >= 60) // the background, the outline
                        greys << g;
                }
            std::sort(greys.begin(), greys.end());
            return greys.isEmpty() ? -1 : greys[greys.size() / 4];
        };
        const int hand = shadowTone("hand.r"), forearm = shadowTone("forearm.r");
        QVERIFY2(hand >= 0 && forearm >= 0, "the part was not drawn");
        QVERIFY2(hand > forearm + 15, qPrintable(QString("hand %1, forearm %2").arg(hand).arg(forearm)));
    }

    // The nose juts past the skull the way the face looks and the chin below it, however the
    // head is turned or the body lies, so a profile shows which way the face looks and which
    // way is up.
    void noseAndChinFollowTheFace_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::newRow("upright") << "";
        QTest::newRow("head turned left") << "neck: 0 0 60\n";
        QTest::newRow("head turned right") << "neck: 0 0 -60\n";
        QTest::newRow("face down") << "body: 90\nneck: -30\n";
        QTest::newRow("face up, head back") << "body: -90\nneck: -40\n";
    }
    void noseAndChinFollowTheFace()
    {
        QFETCH(QString, lines);
        Pose pose;
        const Figure f = solveText("name: X\n" + lines, pose);
        const QMatrix4x4 &H = f.frames["head"];
        const QVector3D centre = f.at("head"), face = H.mapVector({0, 0, 1}), up = H.mapVector({0, 1, 0});
        const QVector3D chinward = (face - up).normalized();
        const auto reach = [&](const QString &part, const QVector3D &dir, int skip) {
            float most = -1e9f;
            int seen = 0;
            for (const Capsule &c : f.capsules)
                if (f.parts[c.part].name == part && seen++ >= skip)
                    for (const auto &[pt, r] : {std::pair{c.a, c.ra}, std::pair{c.b, c.rb}})
                        most = std::max(most, QVector3D::dotProduct(pt - centre, dir) + r);
            return most;
        };
        const float skullRadius = 6.7f; // the head's first capsule; the ones after it are the jaw
        QVERIFY2(reach("nose", face, 0) > skullRadius + 1, "the nose stays inside the head");
        // Every nose point lies on the face's side of the head's centre.
        QVERIFY(reach("nose", -face, 0) < -4);
        QVERIFY2(reach("head", chinward, 1) > skullRadius + 0.5f, "no chin past the skull");
    }

    // Drawn on its own, close up, with the palm to the camera and the fingers up, a hand shows
    // its fingers as separate shapes: a row across them meets a line between every two fingers,
    // not only the hand's two edges as a mitten would.
    void fingersAreDrawnApart_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("camera");
        QTest::addColumn<int>("fingers"); // long fingers the row crosses; 0: seen from the edge
        QTest::addColumn<QString>("aim");
        const QString up = "fingers 0 1 0 palm 0 0 1", ahead = "fingers 0 0 1 palm 0 -1 0";
        QTest::newRow("open hand") << ""
                                   << "0 0" << 4 << up;
        QTest::newRow("spread fingers") << "flags: spread-fingers\n"
                                        << "0 0" << 4 << up;
        QTest::newRow("seal: three long fingers") << "flags: seal\n"
                                                  << "0 0" << 3 << up;
        // Seen from its edge the fingers stack up: only the hand's outline crosses the row.
        QTest::newRow("open hand, from the little finger's side") << ""
                                                                  << "-90 0" << 0 << up;
        QTest::newRow("open hand, from the thumb's side") << ""
                                                          << "90 0" << 0 << up;
        // A fist shows its curled fingers apart from its front, its palm and its back, and
        // stacks them only seen along its knuckles.
        QTest::newRow("fist, from the palm") << "flags: fists\n"
                                             << "0 0" << 4 << up;
        QTest::newRow("fist, from the knuckles' front") << "flags: fists\n"
                                                        << "0 0" << 4 << ahead;
        QTest::newRow("fist, along the knuckles") << "flags: fists\n"
                                                  << "90 0" << 0 << ahead;
    }
    void fingersAreDrawnApart()
    {
        QFETCH(QString, flags);
        QFETCH(QString, camera);
        QFETCH(int, fingers);
        QFETCH(QString, aim);
        Pose pose;
        Figure f = solveText("name: X\ncamera: " + camera + "\nshoulder.l: 90\naim hand.l " + aim + "\n" + flags, pose);
        // Only the left hand and its thumb, so the picture frames them.
        QVector<Capsule> hand;
        for (const Capsule &c : f.capsules)
            if (f.parts[c.part].name == "hand.l" || f.parts[c.part].name == "thumb.l")
                hand << c;
        f.capsules = hand;
        const int size = 500; // the size the pictures are looked at closely
        const QImage img = renderPicture(f, size, 16);
        int top = size, bottom = -1;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (qGray(img.pixel(x, y)) < 200)
                    top = std::min(top, y), bottom = std::max(bottom, y);
        QVERIFY(bottom > top);
        // A row a fifth of the way down from the fingertips, above the thumb's tip.
        const int y = top + (bottom - top) / 5;
        int runs = 0;
        bool dark = false;
        for (int x = 0; x < size; ++x) {
            const bool d = qGray(img.pixel(x, y)) < 150;
            runs += d && !dark;
            dark = d;
        }
        QVERIFY2(fingers ? runs >= fingers + 1 : runs == 2,
                 qPrintable(QString("%1 dark runs across the fingers").arg(runs)));
    }

    // A drawn face turns part of the way toward the camera: in a three-quarter view both eyes
    // show well inside the outline with the nose inside the face, seen from above the eyes stay
    // near the middle of the head so a level gaze reads level; a profile or near profile, a face
    // turned away and a head upside down are drawn as posed.
    void faceTurnsTowardTheCamera_data()
    {
        QTest::addColumn<QString>("camera");
        QTest::addColumn<bool>("turns");
        QTest::newRow("front") << "0 0" << true;
        QTest::newRow("three-quarter, from the right") << "-45 10" << true;
        QTest::newRow("three-quarter, from the left") << "45 10" << true;
        QTest::newRow("from above") << "0 42" << true;
        QTest::newRow("three-quarter from above") << "-40 24" << true;
        QTest::newRow("near profile, from the right") << "-70 8" << false;
        QTest::newRow("near profile, from the left") << "65 4" << false;
        QTest::newRow("profile") << "90 8" << false;
        QTest::newRow("from behind, three-quarter") << "-135 8" << false;
        QTest::newRow("head upside down, three-quarter") << "-45 10\nbody: 0 180" << false;
    }
    void faceTurnsTowardTheCamera()
    {
        QFETCH(QString, camera);
        QFETCH(bool, turns);
        Pose pose;
        const Figure posed = solveText("name: X\ncamera: " + camera + "\n", pose);
        const Figure f = faceTowardCamera(posed);
        const double az = qDegreesToRadians(pose.azimuth), el = qDegreesToRadians(pose.elevation);
        const QVector3D c(float(std::sin(az) * std::cos(el)), float(std::sin(el)), float(std::cos(az) * std::cos(el)));
        const QVector3D right(float(std::cos(az)), 0, float(-std::sin(az)));
        const QVector3D up = QVector3D::crossProduct(c, right);
        const QMatrix4x4 H = f.frames.value("head");
        const QVector3D fwd = H.mapVector({0, 0, 1}), fwdPosed = posed.frames.value("head").mapVector({0, 0, 1});
        if (!turns) {
            QVERIFY((fwd - fwdPosed).length() < 1e-4f);
            return;
        }
        QVERIFY(QVector3D::dotProduct(fwd, c) >= QVector3D::dotProduct(fwdPosed, c) - 1e-4f);
        const float radius = 6.7f;
        for (const float s : {-1.f, 1.f}) {
            const QVector3D eye = H.mapVector(QVector3D(0.45f * s, 0.2f, 0.84f).normalized());
            const QString where = QString("eye %1").arg(s);
            QVERIFY2(QVector3D::dotProduct(eye, c) > 0.45f, qPrintable(where));
            QVERIFY2(QVector3D::dotProduct(eye, up) > -0.3f, qPrintable(where));
        }
        // The nose's tip, seen from the camera, lies inside the face, not on the head's side outline.
        QVector3D tip;
        for (const Capsule &cap : f.capsules)
            if (f.parts[cap.part].name == "nose")
                tip = cap.b;
        const QVector3D d = tip - f.at("head");
        const float across = std::abs(QVector3D::dotProduct(d, right));
        QVERIFY2(across < 0.6f * radius, qPrintable(QString("nose tip %1 from the centre").arg(across)));
    }

    // In profile the near eye shows inside the face, a run of skin between it and the face's
    // outline, so the gaze reads instead of a bump on the outline.
    void profileEyeShowsInsideTheFace_data()
    {
        QTest::addColumn<QString>("camera");
        QTest::newRow("from the left") << "90 0";
        QTest::newRow("from the right") << "-90 0";
    }
    void profileEyeShowsInsideTheFace()
    {
        QFETCH(QString, camera);
        Pose pose;
        Figure f = solveText("name: X\ncamera: " + camera + "\n", pose);
        QVector<Capsule> head;
        for (const Capsule &c : f.capsules)
            if (f.parts[c.part].name == "head")
                head << c;
        f.capsules = head;
        const int size = 500;
        const double span = 20;
        const QImage img = renderPicture(f, size, span);
        const QPointF centre = projectedExtent(f, true).center();
        const double k = size / span;
        const int y = int((centre.y() + span / 2 - (f.at("head").y() + 1.2)) * k); // the eyes' height
        const int middle = size / 2 + int((f.at("head").z() * (pose.azimuth > 0 ? -1 : 1) - centre.x()) * k);
        // From the face's side of the picture to the head's middle: the outline, then the eye.
        const bool faceLeft = pose.azimuth > 0; // seen from the left, the face looks to the left
        int runs = 0;
        bool dark = false;
        for (int i = 0; i < size; ++i) {
            const int x = faceLeft ? i : size - 1 - i;
            if (faceLeft ? x > middle : x < middle)
                break;
            const bool d = qGray(img.pixel(x, y)) < 110;
            runs += d && !dark;
            dark = d;
        }
        QCOMPARE(runs, 2);
    }

    // A face seen from the front or three-quarter shows both eyes; past about 60 degrees off
    // the camera it reads as a profile and shows only the near eye, not the far one pulled in
    // beside it. Counted as the dark spots inside the head's outline.
    void eyesShowByHowFarTheFaceTurns_data()
    {
        QTest::addColumn<QString>("camera");
        QTest::addColumn<int>("eyes");
        QTest::newRow("front") << "0 0" << 2;
        QTest::newRow("from above") << "10 42" << 2;
        QTest::newRow("three-quarter, from the right") << "-45 10" << 2;
        QTest::newRow("three-quarter, from the left") << "45 10" << 2;
        QTest::newRow("55 degrees, still turned") << "-55 8" << 2;
        QTest::newRow("65 degrees, from the left") << "65 4" << 1;
        QTest::newRow("75 degrees, from the right") << "-75 8" << 1;
        QTest::newRow("profile") << "90 0" << 1;
        QTest::newRow("from behind") << "180 0" << 0;
    }
    void eyesShowByHowFarTheFaceTurns()
    {
        QFETCH(QString, camera);
        QFETCH(int, eyes);
        Pose pose;
        Figure f = solveText("name: X\ncamera: " + camera + "\n", pose);
        QVector<Capsule> head;
        for (const Capsule &c : f.capsules)
            if (f.parts[c.part].name == "head")
                head << c;
        f.capsules = head;
        const QImage img = renderPicture(f, 300, 20).convertToFormat(QImage::Format_RGB32);
        // Dark spots: an eye is a filled oval with skin all round it; pieces of the thin outline
        // and the shaded hair are long, sparse, large or border on the hair, the mouth is smaller.
        QVector<int> label(img.width() * img.height(), 0);
        int small = 0;
        for (int start = 0; start < label.size(); ++start) {
            if (label[start] || qGray(img.pixel(start % img.width(), start / img.width())) >= 80)
                continue;
            int area = 0, x0 = img.width(), x1 = 0, y0 = img.height(), y1 = 0;
            QVector<int> stack{start};
            label[start] = 1;
            while (!stack.isEmpty()) {
                const int i = stack.takeLast();
                ++area;
                const int x = i % img.width(), y = i / img.width();
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
                for (const auto &[dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
                    const int nx = x + dx, ny = y + dy, j = ny * img.width() + nx;
                    if (nx < 0 || ny < 0 || nx >= img.width() || ny >= img.height() || label[j] ||
                        qGray(img.pixel(nx, ny)) >= 80)
                        continue;
                    label[j] = 1;
                    stack << j;
                }
            }
            const int w = x1 - x0 + 1, h = y1 - y0 + 1;
            const auto skin = [&](int x, int y) {
                return x >= 0 && y >= 0 && x < img.width() && y < img.height() && qGray(img.pixel(x, y)) > 110;
            };
            const int mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
            small += area > 250 && area < 1500 && area > 0.55 * w * h && skin(x0 - 3, my) && skin(x1 + 3, my) &&
                     skin(mx, y0 - 3) && skin(mx, y1 + 3);
        }
        QCOMPARE(small, eyes);
    }

    // The lion's mouth is open: a dark mouth either side of the tongue under the nose, the tongue
    // out below it; without the flag the same spots are the face's skin.
    void lionsMouthOpensBelowTheNose_data()
    {
        QTest::addColumn<bool>("tongue");
        QTest::newRow("tongue out") << true;
        QTest::newRow("mouth closed") << false;
    }
    void lionsMouthOpensBelowTheNose()
    {
        QFETCH(bool, tongue);
        Pose pose;
        Figure f = solveText(QString("name: X\ncamera: 0 0\n") + (tongue ? "flags: tongue\n" : ""), pose);
        QVector<Capsule> head;
        for (const Capsule &c : f.capsules)
            if (QStringList{"head", "nose", "tongue"}.contains(f.parts[c.part].name))
                head << c;
        f.capsules = head;
        const int size = 500;
        const double span = 24;
        const QImage img = renderPicture(f, size, span);
        const QPointF centre = projectedExtent(f, true).center(); // the picture frames this
        const QVector3D h = f.at("head");                         // facing the camera: screen x is the room's x
        const auto pixel = [&](float x, float y) {
            return img.pixel(int((h.x() + x - centre.x() + span / 2) * size / span),
                             int((centre.y() + span / 2 - h.y() - y) * size / span));
        };
        for (const float x : {-2.0f, 2.0f}) {
            const int grey = qGray(pixel(x, -4.4f));
            QVERIFY2(tongue ? grey < 100 : grey > 125, qPrintable(QString("mouth at %1: grey %2").arg(x).arg(grey)));
        }
        QVERIFY(qGray(pixel(0, -1.2f)) > 150); // the nose stays a light shape above the mouth
        if (tongue) {
            const QRgb t = pixel(0, -7.4f); // below the chin
            QVERIFY2(qRed(t) - qGreen(t) > 60, "the tongue hangs out below the chin");
        }
    }

    // An open hand pointing up and seen near its edge keeps its thumb along the index, where a
    // jutting thumb would read as a thumbs-up; seen flat, or pointing down, the thumb juts.
    void thumbLiesAlongTheIndexSeenFromTheEdge_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<bool>("along");
        const QString up = "shoulder.l: 180\naim hand.l fingers 0 1 0 palm 0 0 1\n";
        QTest::newRow("pointing up, palm to the camera") << "camera: 0 0\n" + up << false;
        QTest::newRow("pointing up, seen from the thumb's side") << "camera: 90 0\n" + up << true;
        QTest::newRow("pointing up, seen from the little finger's side") << "camera: -90 0\n" + up << true;
        QTest::newRow("hanging, seen from its edge") << "camera: 0 0\n" << false;
    }
    void thumbLiesAlongTheIndexSeenFromTheEdge()
    {
        QFETCH(QString, lines);
        QFETCH(bool, along);
        Pose pose;
        const Figure f = solveText("name: X\n" + lines, pose);
        QVector3D indexBase, indexTip, thumbTip;
        bool first = true;
        for (const Capsule &c : f.capsules) {
            const QString part = f.parts[c.part].name;
            if (part == "hand.l" && c.digit == 1) {
                if (first)
                    indexBase = c.a;
                first = false;
                indexTip = c.b;
            }
            if (part == "thumb.l")
                thumbTip = c.b;
        }
        const QVector3D axis = (indexTip - indexBase).normalized(), d = thumbTip - indexBase;
        const float off = (d - axis * QVector3D::dotProduct(d, axis)).length();
        QVERIFY2(along ? off < 0.8f : off > 1.2f, qPrintable(QString("thumb tip %1 off the index").arg(off)));
    }

    // The drawn trunk spreads the bends of the lumbar and thorax joints along a curve: its frame
    // turns a little at every step instead of all at once at the pelvis or the waist, while the
    // chest ends in the thorax's own frame at the neckbase, where the arms and the neck hang.
    void spineBendsAsACurve_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::newRow("backbend") << "body: 90\nlumbar: -30\nthorax: -40";
        QTest::newRow("forward fold") << "body: 40\nlumbar: 60\nthorax: 45";
        QTest::newRow("twist") << "lumbar: 0 0 -20\nthorax: 0 0 -35";
        QTest::newRow("side bend and twist") << "lumbar: 10 30 15\nthorax: -10 -25 40";
        QTest::newRow("bent at the waist only") << "thorax: 50";
        QTest::newRow("straight") << "";
    }

    void spineBendsAsACurve()
    {
        QFETCH(QString, lines);
        Pose pose;
        const Figure f = solveText("name: X\n" + lines, pose);
        const auto axes = [](const QQuaternion &q) {
            return std::array{q.rotatedVector({1, 0, 0}), q.rotatedVector({0, 1, 0}), q.rotatedVector({0, 0, 1})};
        };
        const auto sameFrame = [&](const QQuaternion &q, const QString &bone) {
            const auto a = axes(q);
            for (int i = 0; i < 3; ++i)
                if ((a[size_t(i)] - f.frames[bone].column(i).toVector3D()).length() > 1e-3f)
                    return false;
            return true;
        };
        const SpineFrame top = spineAt(f, 28), base = spineAt(f, -5);
        QVERIFY((top.point - f.at("neckbase")).length() < 1e-3f);
        QVERIFY(sameFrame(top.rotation, "thorax"));
        QVERIFY(sameFrame(spineAt(f, 21).rotation, "thorax")); // the ribcage under the shoulders
        QVERIFY(sameFrame(base.rotation, "pelvis"));

        // Between them, no step turns the frame much more than its share of the whole bend,
        // and the centre line runs along the frame, so the surface drawn on it is not sheared.
        constexpr float step = 0.25f;
        const float whole = qRadiansToDegrees(
            2 * std::acos(qBound(-1.f, std::abs(QQuaternion::dotProduct(base.rotation, top.rotation)), 1.f)));
        float turned = 0;
        SpineFrame prev = base;
        for (float u = -5 + step; u <= 28.001f; u += step) {
            const SpineFrame cur = spineAt(f, u);
            const float turn = qRadiansToDegrees(
                2 * std::acos(qBound(-1.f, std::abs(QQuaternion::dotProduct(prev.rotation, cur.rotation)), 1.f)));
            QVERIFY2(turn < 2.5f, qPrintable(QString("the trunk turns %1 degrees at u = %2").arg(turn).arg(u)));
            turned += turn;
            const QVector3D along = (cur.point - prev.point).normalized();
            const float off = qRadiansToDegrees(std::acos(qBound(
                -1.f,
                QVector3D::dotProduct(
                    along,
                    (prev.rotation.rotatedVector({0, 1, 0}) + cur.rotation.rotatedVector({0, 1, 0})).normalized()),
                1.f)));
            QVERIFY2(off < 12,
                     qPrintable(QString("the trunk leans %1 degrees off its line at u = %2").arg(off).arg(u)));
            QVERIFY((cur.point - prev.point).length() < 2 * step);
            prev = cur;
        }
        QVERIFY(turned >= whole - 0.1f);

        // The drawn surface follows the curve in short capsules, side by side in two chains, and
        // the line midway between the chains has no kink.
        QVector<QVector<QVector3D>> chains;
        for (int i = 0; i < f.capsules.size(); ++i) {
            const Capsule &c = f.capsules[i];
            if (f.parts[c.part].name != "torso")
                continue;
            if (i > 0 && f.capsules[i - 1].part == c.part && (f.capsules[i - 1].b - c.a).length() < 1e-3f)
                chains.last() << c.b;
            else
                chains.append({c.a, c.b});
        }
        QVector<QVector3D> mid;
        for (const auto &l : chains)
            for (const auto &r : chains)
                if (&l < &r && l.size() == r.size() && l.size() > 2)
                    for (int i = 0; i < l.size(); ++i)
                        mid << (l[i] + r[i]) / 2;
        const int steps = mid.size() - 2;
        for (int i = 0; i < steps; ++i) {
            const QVector3D a = (mid[i + 1] - mid[i]).normalized(), b = (mid[i + 2] - mid[i + 1]).normalized();
            const float kink = qRadiansToDegrees(std::acos(qBound(-1.f, QVector3D::dotProduct(a, b), 1.f)));
            QVERIFY2(kink < 12, qPrintable(QString("the trunk's surface kinks by %1 degrees").arg(kink)));
        }
        QVERIFY(steps >= 20);
    }

    void parsesTheDetailInset_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("error"); // empty: parses
        QTest::addColumn<int>("points");
        QTest::addColumn<double>("share");
        QTest::newRow("one point") << "detail: -160 10 knee.r 2.5 tr"
                                   << "" << 1 << 0.36;
        QTest::newRow("between two points, own size") << "detail: 30 0 wrist.l+wrist.r 2 bl 0.3"
                                                      << "" << 2 << 0.3;
        QTest::newRow("a trunk point") << "detail: 0 45 neckbase 1.5 tl"
                                       << "" << 1 << 0.36;
        QTest::newRow("too few fields") << "detail: 0 10 knee.l 2"
                                        << "expected 'detail:" << 0 << 0.0;
        QTest::newRow("too many fields") << "detail: 0 10 knee.l 2 tl 0.3 1"
                                         << "expected 'detail:" << 0 << 0.0;
        QTest::newRow("not a number") << "detail: x 10 knee.l 2 tl"
                                      << "'x' is not a number" << 0 << 0.0;
        QTest::newRow("from above") << "detail: 0 60 knee.l 2 tl"
                                    << "elevation" << 0 << 0.0;
        QTest::newRow("unknown point") << "detail: 0 10 knee.x 2 tl"
                                       << "no point called 'knee.x'" << 0 << 0.0;
        QTest::newRow("a point without a side") << "detail: 0 10 elbow 2 tl"
                                                << "no point called 'elbow'" << 0 << 0.0;
        QTest::newRow("three points") << "detail: 0 10 knee.l+knee.r+pelvis 2 tl"
                                      << "one point or between two" << 0 << 0.0;
        QTest::newRow("no magnification") << "detail: 0 10 knee.l 1 tl"
                                          << "zoom" << 0 << 0.0;
        QTest::newRow("unknown corner") << "detail: 0 10 knee.l 2 top"
                                        << "corner" << 0 << 0.0;
        QTest::newRow("too large") << "detail: 0 10 knee.l 2 tl 0.6"
                                   << "size" << 0 << 0.0;
        QTest::newRow("twice") << "detail: 0 10 knee.l 2 tl\ndetail: 0 10 knee.r 2 tr"
                               << "given twice" << 0 << 0.0;
    }

    void parsesTheDetailInset()
    {
        QFETCH(QString, line);
        QFETCH(QString, error);
        const QString text = "name: X\n" + line + "\n";
        if (!error.isEmpty()) {
            const QString missed = missedRefusal(text, error);
            QVERIFY2(missed.isEmpty(), qPrintable(missed));
            return;
        }
        const Pose pose = parsePoseText(text, "t.pose");
        QFETCH(int, points);
        QFETCH(double, share);
        QCOMPARE(pose.detail.line, 2);
        QCOMPARE(pose.detail.points.size(), points);
        QVERIFY(std::abs(pose.detail.share - share) < 1e-6);
        QVERIFY(pose.detail.zoom >= 1.5);
        QCOMPARE(parsePoseText("name: X\n", "t.pose").detail.line, 0); // no inset unless asked
    }

    // A standing figure drawn small, so its corners are free for an inset.
    void detailInsetLeavesTheFigureAlone_data()
    {
        QTest::addColumn<QString>("detail");
        QTest::addColumn<int>("kind"); // what the inset's centre shows: 0 skin, 1 leggings, 2 top
        QTest::newRow("left hand, top left") << "90 10 wrist.l+fingers.l 3 tl" << 0;
        QTest::newRow("right knee from behind, bottom right") << "180 10 knee.r 3 br" << 1;
        QTest::newRow("the waist, top right, small") << "0 20 waist 2 tr 0.25" << 2;
        QTest::newRow("the face, bottom left") << "20 0 head 4 bl" << 0;
    }

    void detailInsetLeavesTheFigureAlone()
    {
        QFETCH(QString, detail);
        QFETCH(int, kind);
        const QString body = "name: X\ncamera: 0 5\ncontact: foot.l foot.r\n";
        Pose plain, inset;
        const Figure without = solveText(body, plain), with = solveText(body + "detail: " + detail + "\n", inset);
        constexpr int size = 250;
        constexpr double span = 330;
        const QImage a = renderPicture(without, size, span), b = renderPicture(with, size, span);
        const DetailInset d = detailInset(inset, size);
        int changed = 0;
        QVector<QPoint> leader; // what changes outside the disc
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const double r = std::hypot(x + 0.5 - d.centre.x(), y + 0.5 - d.centre.y());
                if (r > d.radius + 2 && a.pixel(x, y) != b.pixel(x, y))
                    leader << QPoint(x, y);
                else if (r < d.radius - 2)
                    changed += a.pixel(x, y) != b.pixel(x, y);
            }
        // Outside the disc only a thin leader changes, over the floor and the background: it runs
        // from the ring straight toward the point and ends under the edge of the figure.
        QVERIFY(!leader.isEmpty());
        const auto distance = [&](const QPoint &p) { return std::hypot(p.x() - d.centre.x(), p.y() - d.centre.y()); };
        const QPoint end = *std::max_element(
            leader.begin(), leader.end(), [&](const QPoint &p, const QPoint &q) { return distance(p) < distance(q); });
        const QPointF along = (QPointF(end) - d.centre) / distance(end);
        for (const QPoint &p : leader) {
            // Over the floor or the background, or on the very edge of the figure beside them.
            bool open = false;
            for (int y = -1; y <= 1; ++y)
                for (int x = -1; x <= 1; ++x) {
                    const QColor was = a.pixel(p + QPoint(x, y));
                    open = open || (was.blue() >= was.red() && qGray(was.rgb()) > 185);
                }
            QVERIFY2(open, qPrintable(QStringLiteral("the leader crosses the figure at %1,%2").arg(p.x()).arg(p.y())));
            const QPointF off = QPointF(p) - d.centre;
            QVERIFY2(std::abs(off.x() * along.y() - off.y() * along.x()) < 2.5,
                     qPrintable(QStringLiteral("%1,%2 is off the leader").arg(p.x()).arg(p.y())));
        }
        bool reachesOutline = false;
        for (int y = -3; y <= 3; ++y)
            for (int x = -3; x <= 3; ++x)
                reachesOutline = reachesOutline || qGray(a.pixel(end + QPoint(x, y))) < 110;
        QVERIFY2(reachesOutline, qPrintable(QStringLiteral("the leader stops at %1,%2").arg(end.x()).arg(end.y())));
        // Inside, the magnified figure fills a good part of the disc, within a lilac ring.
        QVERIFY2(changed > 0.15 * M_PI * d.radius * d.radius, qPrintable(QString::number(changed)));
        const QColor ring = b.pixel(qRound(d.centre.x()), qRound(d.centre.y() - d.radius - 0.5));
        QVERIFY(ring.blue() > ring.red() + 20 && ring.red() > ring.green() + 20 && qGray(ring.rgb()) > 160);

        // Round its centre the inset shows the part at the named point, in the figure's colours.
        int r = 0, g = 0, bl = 0, n = 0;
        for (int y = -2; y <= 2; ++y)
            for (int x = -2; x <= 2; ++x) {
                const QRgb v = b.pixel(int(d.centre.x()) + x, int(d.centre.y()) + y);
                r += qRed(v), g += qGreen(v), bl += qBlue(v), ++n;
            }
        const QColor c(r / n, g / n, bl / n);
        const QString seen = QStringLiteral("centre %1 %2 %3").arg(c.red()).arg(c.green()).arg(c.blue());
        if (kind == 0) // skin: pale and pink
            QVERIFY2(c.red() > 190 && c.red() > c.green() + 15 && c.blue() > c.green(), qPrintable(seen));
        else if (kind == 1) // the leggings: a deep purple
            QVERIFY2(qGray(c.rgb()) < 110 && c.blue() > c.green() + 40, qPrintable(seen));
        else // the top: a mid lilac, lighter than the leggings, darker than skin
            QVERIFY2(qGray(c.rgb()) > 100 && qGray(c.rgb()) < 170 && c.blue() > c.green() + 50, qPrintable(seen));
    }

    void detailInsetOverTheFigureIsRefused_data()
    {
        QTest::addColumn<QString>("corner");
        QTest::newRow("top left") << "tl";
        QTest::newRow("bottom right") << "br";
    }

    void detailInsetOverTheFigureIsRefused()
    {
        // Drawn large, the standing figure reaches every corner's inset.
        QFETCH(QString, corner);
        Pose pose;
        const Figure f = solveText("name: X\ncamera: 0 5\nshoulder.l: 0 90\nshoulder.r: 0 90\ncontact: foot.l "
                                   "foot.r\ndetail: 90 10 knee.l 2 " +
                                       corner + " 0.4\n",
                                   pose);
        try {
            renderPicture(f, 250, 125);
            QFAIL("an inset over the figure was drawn");
        } catch (const PoseError &e) {
            const QString message = QString::fromUtf8(e.what());
            QVERIFY2(message.startsWith("test.pose:6:") && message.contains("cover"), qPrintable(message));
        }
    }

    void parsesTheTurnArrow_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("error"); // empty: parses
        QTest::newRow("round the shoulders, to the right") << "turn: neckbase 14 30 -80"
                                                           << "";
        QTest::newRow("the other way, the long way round") << "turn: waist 12 -120 150"
                                                           << "";
        QTest::newRow("too few fields") << "turn: neckbase 14 30"
                                        << "expected 'turn:";
        QTest::newRow("unknown point") << "turn: chest 14 30 -80"
                                       << "no point called 'chest'";
        QTest::newRow("not a number") << "turn: neckbase 14 x -80"
                                      << "'x' is not a number";
        QTest::newRow("inside the trunk") << "turn: neckbase 3 30 -80"
                                          << "radius";
        QTest::newRow("only a head") << "turn: neckbase 14 10 -10"
                                     << "sweep";
        QTest::newRow("closing on itself") << "turn: neckbase 14 170 -170"
                                           << "sweep";
        QTest::newRow("twice") << "turn: neckbase 14 30 -80\nturn: waist 14 30 -80"
                               << "given twice";
    }

    void parsesTheTurnArrow()
    {
        QFETCH(QString, line);
        QFETCH(QString, error);
        const QString text = "name: X\n" + line + "\n";
        if (!error.isEmpty()) {
            const QString missed = missedRefusal(text, error);
            QVERIFY2(missed.isEmpty(), qPrintable(missed));
            return;
        }
        const Pose pose = parsePoseText(text, "t.pose");
        const QStringList w = line.section(':', 1).split(' ', Qt::SkipEmptyParts);
        QCOMPARE(pose.turn.line, 2);
        QCOMPARE(pose.turn.point, w[0]);
        QCOMPARE(pose.turn.radius, w[1].toDouble());
        QCOMPARE(pose.turn.from, w[2].toDouble());
        QCOMPARE(pose.turn.to, w[3].toDouble());
        QCOMPARE(parsePoseText("name: X\n", "t.pose").turn.line, 0); // no arrow unless asked
    }

    // A turn arrow round a standing figure seen from the front: an arc through the front crosses
    // the trunk, one through the back shows only beside it, and the head sits at the arc's end.
    void turnArrowGoesRoundTheTrunk_data()
    {
        QTest::addColumn<QString>("turn");
        QTest::addColumn<bool>("inFront");
        QTest::addColumn<bool>("headOnTheLeft"); // as the picture is seen
        QTest::newRow("through the front, to the figure's right") << "waist 22 60 -60" << true << true;
        QTest::newRow("through the front, to the figure's left") << "waist 22 -60 60" << true << false;
        QTest::newRow("through the back, ending at the figure's left") << "waist 22 240 120" << false << false;
    }

    void turnArrowGoesRoundTheTrunk()
    {
        QFETCH(QString, turn);
        QFETCH(bool, inFront);
        QFETCH(bool, headOnTheLeft);
        const QString body = "name: X\ncamera: 0 5\ncontact: foot.l foot.r\n";
        Pose plain, arrowed;
        const Figure without = solveText(body, plain), with = solveText(body + "turn: " + turn + "\n", arrowed);
        constexpr int size = 250;
        constexpr double span = 140;
        const QImage a = renderPicture(without, size, span), b = renderPicture(with, size, span);
        int overFigure = 0, beside = 0, left = 0, right = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                if (a.pixel(x, y) == b.pixel(x, y))
                    continue;
                // Deep inside the figure: no pixel round it is background.
                bool inside = true;
                for (int dy = -3; dy <= 3; ++dy)
                    for (int dx = -3; dx <= 3; ++dx)
                        inside = inside && a.pixel(x + dx, y + dy) != a.pixel(1, 1);
                ++(inside ? overFigure : beside);
                ++(x < size / 2 ? left : right);
            }
        QVERIFY2(beside > 40, qPrintable(QString::number(beside)));
        if (inFront)
            QVERIFY2(overFigure > 40, qPrintable(QString::number(overFigure)));
        else
            QCOMPARE(overFigure, 0);
        // The arc is symmetric about the figure; its head adds to the side it ends on.
        QVERIFY2(headOnTheLeft ? left > right : right > left, qPrintable(QStringLiteral("%1 %2").arg(left).arg(right)));
    }

    void reachPutsTheWristOnTheTarget()
    {
        Pose pose;
        const Figure f = solveText("name: X\nreach arm.r at hip.r -4 -2 8\nreach leg.l at knee.r -6 -10 8\n", pose);
        QVERIFY((f.at("wrist.r") - (f.at("hip.r") + QVector3D(-4, -2, 8))).length() < 0.01f);
        QVERIFY((f.at("ankle.l") - (f.at("knee.r") + QVector3D(-6, -10, 8))).length() < 0.01f);
        QVERIFY(std::abs((f.at("elbow.r") - f.at("shoulder.r")).length() - 18) < 0.01f); // bones keep their length
        QVERIFY(f.at("knee.l").z() > f.at("hip.l").z()); // by default the knee bends forward
    }
};

QTEST_MAIN(tst_pose)
#include "tst_pose.moc"

// posegen: draws Tavrello's asana pictures, icons and contact sheet from data/poses.
#include "pose.h"
#include "render.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

constexpr int kPictureSize = 250;
constexpr int kSheetColumns = 8;
const int kIconSizes[] = {32, 64, 128, 256};
// The icon is the seated lotus, the pose most people picture for yoga.
const char *kIconPose = "15-padmasana.pose";

void save(const QImage &image, const QString &path, int quality = -1)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, nullptr, quality))
        throw std::runtime_error(("cannot write " + path).toStdString());
}

// Prints the solved points of one pose, to check numbers while editing it.
int printJoints(const QString &path)
{
    const Pose pose = parsePose(path);
    QStringList problems;
    const Figure figure = solvePose(pose, &problems);
    for (const QString &p : problems)
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(p));
    QStringList names = figure.points.keys();
    names.sort();
    for (const QString &name : names)
        std::printf("%-12s %7.1f %7.1f %7.1f\n", qPrintable(name), figure.at(name).x(), figure.at(name).y(),
                    figure.at(name).z());
    for (const Part &part : figure.parts)
        std::printf("lowest %-12s %7.1f\n", qPrintable(part.name), figure.lowest(part.name));
    return 0;
}

// Draws one pose as it stands, listing what is wrong with its floor contact.
int drawOne(const QString &path, const QString &out)
{
    const Pose pose = parsePose(path);
    QStringList problems;
    const Figure figure = solvePose(pose, &problems);
    for (const QString &p : problems)
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(p));
    save(renderPicture(figure, 2 * kPictureSize, 140), out);
    return problems.isEmpty() ? 0 : 1;
}

void writeSvgIcon(const Figure &figure, const QString &path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle("Tavrello");
    QPainter p(&svg);
    paintIcon(p, figure, 256);
}

int run(const QDir &root)
{
    const QDir poses(root.filePath("data/poses"));
    const QStringList files = poses.entryList({"*.pose"}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        throw std::runtime_error(("no .pose files in " + poses.path()).toStdString());

    // Solve every pose first: one scale for the whole set, from the largest figure.
    std::vector<std::unique_ptr<Pose>> loaded;
    QVector<Figure> figures;
    double span = 0;
    for (const QString &file : files) {
        loaded.push_back(std::make_unique<Pose>(parsePose(QDir::cleanPath(poses.filePath(file)))));
        figures << solvePose(*loaded.back());
        span = std::max(span, fittedSpan(figures.last()));
    }

    QVector<QImage> pictures;
    QStringList names;
    for (int i = 0; i < files.size(); ++i) {
        const QString base = root.filePath("data/pictures/" + QFileInfo(files[i]).completeBaseName());
        pictures << renderPicture(figures[i], kPictureSize, span);
        save(pictures.last(), base + ".jpg", 92);
        save(renderPicture(figures[i], 2 * kPictureSize, span), base + "@2x.jpg", 92);
        names << loaded[i]->name;
        if (files[i] == kIconPose) {
            for (int size : kIconSizes)
                save(renderIcon(figures[i], size),
                     root.filePath(QStringLiteral("data/icons/tavrello-%1.png").arg(size)));
            writeSvgIcon(figures[i], root.filePath("data/icons/tavrello.svg"));
        }
    }
    save(renderSheet(pictures, names, kSheetColumns), root.filePath("docs/asanas.png"));
    std::printf("drew %lld pictures\n", static_cast<long long>(pictures.size()));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // Headless: no display is needed to paint into images.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool joints = args.size() == 3 && args[1] == "--joints";
    const bool draw = args.size() == 4 && args[1] == "--draw";
    if ((args.size() > 2 && !joints && !draw) || args.contains("-h") || args.contains("--help")) {
        std::fprintf(stderr, "usage: posegen [repository root, default .]\n"
                             "       posegen --joints FILE.pose\n"
                             "       posegen --draw FILE.pose OUT.png\n");
        return 2;
    }
    try {
        if (draw)
            return drawOne(args[2], args[3]);
        return joints ? printJoints(args[2]) : run(QDir(args.value(1, ".")));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "posegen: %s\n", e.what());
        return 1;
    }
}

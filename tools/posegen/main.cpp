// posegen: draws Tavrello's asana pictures, icons and contact sheet from data/poses.
#include "pose.h"
#include "render.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
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

// Prints the solved joints of one pose, to check numbers while editing it.
int printJoints(const QString &path)
{
    const Figure figure = solvePose(parsePose(path));
    QStringList names = figure.joints.keys();
    names.sort();
    for (const QString &name : names)
        std::printf("%-12s %7.1f %7.1f\n", qPrintable(name), figure.at(name).x(), figure.at(name).y());
    for (const QString &w : figure.warnings)
        std::fprintf(stderr, "warning: %s\n", qPrintable(w));
    return 0;
}

int run(const QDir &root)
{
    const QDir poses(root.filePath("data/poses"));
    const QStringList files = poses.entryList({"*.pose"}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        throw std::runtime_error(("no .pose files in " + poses.path()).toStdString());

    QVector<QImage> pictures;
    QStringList names;
    int warnings = 0;
    for (const QString &file : files) {
        const Pose pose = parsePose(poses.filePath(file));
        const Figure figure = solvePose(pose);
        for (const QString &w : figure.warnings)
            std::fprintf(stderr, "warning: %s\n", qPrintable(w));
        warnings += figure.warnings.size();
        pictures << renderPicture(figure, kPictureSize);
        names << pose.name;
        const QString base = QFileInfo(file).completeBaseName();
        save(pictures.last(), root.filePath("data/pictures/" + base + ".jpg"), 92);
        if (file == kIconPose)
            for (int size : kIconSizes)
                save(renderIcon(figure, size), root.filePath(QStringLiteral("data/icons/tavrello-%1.png").arg(size)));
    }
    save(renderSheet(pictures, names, kSheetColumns), root.filePath("docs/asanas.png"));
    std::printf("drew %lld pictures, %d warnings\n", static_cast<long long>(pictures.size()), warnings);
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
    if ((args.size() > 2 && !joints) || args.contains("-h") || args.contains("--help")) {
        std::fprintf(stderr, "usage: posegen [repository root, default .]\n"
                             "       posegen --joints FILE.pose\n");
        return 2;
    }
    try {
        return joints ? printJoints(args[2]) : run(QDir(args.value(1, ".")));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "posegen: %s\n", e.what());
        return 1;
    }
}

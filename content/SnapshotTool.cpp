// Build step: loads a content folder as the program does and writes the snapshot of it.
// Usage: tavrello-snapshot DATA_FOLDER OUT.snapshot
#include "content/ContentModel.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: tavrello-snapshot DATA_FOLDER OUT.snapshot\n");
        return 2;
    }
    const QByteArray snapshot = ContentModel::snapshotOf(args.at(1));
    QFile out(args.at(2));
    if (!out.open(QIODevice::WriteOnly) || out.write(snapshot) != snapshot.size()) {
        std::fprintf(stderr, "tavrello-snapshot: cannot write %s\n", qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}

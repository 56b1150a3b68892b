// Build step: decodes a picture as the program does and writes it as a raw picture. Qt's own
// files (":/qt-project.org/...") are there once the application object exists.
// Usage: tavrello-rawpicture FORMAT PICTURE OUT.raw
#include "platform/RawPicture.h"

#include <QApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: tavrello-rawpicture FORMAT PICTURE OUT.raw\n");
        return 2;
    }
    // A picture the layout cannot hold is written empty, and the program reads the file itself.
    const QByteArray raw = RawPicture::encode(RawPicture::readFile(args.at(2), qPrintable(args.at(1))));
    if (raw.isEmpty())
        std::fprintf(stderr, "tavrello-rawpicture: %s is left to be decoded at run time\n", qPrintable(args.at(2)));
    QFile out(args.at(3));
    if (!out.open(QIODevice::WriteOnly) || out.write(raw) != raw.size()) {
        std::fprintf(stderr, "tavrello-rawpicture: cannot write %s\n", qPrintable(args.at(3)));
        return 1;
    }
    return 0;
}

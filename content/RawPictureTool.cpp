// Build step: decodes a JPEG picture as the program does and writes it as a raw picture.
// Usage: tavrello-rawpicture PICTURE.jpg OUT.raw
#include "content/RawPicture.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: tavrello-rawpicture PICTURE.jpg OUT.raw\n");
        return 2;
    }
    const QByteArray raw = RawPicture::encode(RawPicture::readJpeg(args.at(1)));
    QFile out(args.at(2));
    if (raw.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(raw) != raw.size()) {
        std::fprintf(stderr, "tavrello-rawpicture: cannot decode %s or write %s\n", qPrintable(args.at(1)),
                     qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}

#pragma once

#include <QByteArray>
#include <QImage>

// A picture kept decoded: its pixels as they are in memory, behind a small header. The build
// stores the pictures start-up shows this way (the start picture, the standard icons the style
// reads from Qt's files), so that start-up uses them where they lie instead of decoding them.
namespace RawPicture {

// Reads a picture as the program does: told the format, without probing, which would load every
// image-format plug-in.
QImage readFile(const QString &file, const char *format);

// The copy the build decoded into the resource `decoded` where there is one; otherwise `file`,
// read as readFile() reads it.
QImage read(const QString &decoded, const QString &file, const char *format);

QByteArray encode(const QImage &image);
// A null image for anything that is not a whole picture written by encode().
QImage decode(QByteArrayView data);
// As decode(), but the image's pixels stay in `data`, which must outlive every copy of it.
QImage decodeInPlace(QByteArrayView data);

} // namespace RawPicture

#pragma once

#include <QByteArray>
#include <QImage>

// A picture kept decoded: its pixels as they are in memory, behind a small header. The build
// stores the start picture this way, so that start-up shows it without loading the JPEG reader.
namespace RawPicture {

// Reads an asana picture as the program does: as JPEG, told the format, without probing.
QImage readJpeg(const QString &file);

QByteArray encode(const QImage &image);
// A null image for anything that is not a whole picture written by encode().
QImage decode(QByteArrayView data);

} // namespace RawPicture

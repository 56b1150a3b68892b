#include "platform/RawPicture.h"

#include <QColorSpace>
#include <QImageReader>
#include <QResource>
#include <QtEndian>

#include <cstring>

namespace RawPicture {

namespace {

constexpr char Magic[4] = {'T', 'R', 'P', '2'};
// After the magic: width, height, format, bytes per line, dots per metre across and down, and the
// number of colours in the colour table, which follows; then the pixels.
constexpr int Fields = 7;
constexpr qsizetype HeaderSize = sizeof(Magic) + Fields * sizeof(quint32);
constexpr quint32 MaxColours = 256;

void append(QByteArray &data, quint32 value)
{
    const quint32 stored = qToLittleEndian(value);
    data.append(reinterpret_cast<const char *>(&stored), sizeof(stored));
}

quint32 at(QByteArrayView data, qsizetype offset) { return qFromLittleEndian<quint32>(data.data() + offset); }

} // namespace

QImage readFile(const QString &file, const char *format)
{
    QImageReader reader(file, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage read(const QString &decoded, const QString &file, const char *format)
{
    // Embedded bytes stay where they are for the whole run, so the picture is used where it lies
    // instead of being copied onto the heap; only a compressed one has to be unpacked first.
    const QResource resource(decoded);
    const QImage image = resource.compressionAlgorithm() == QResource::NoCompression
                             ? decodeInPlace(QByteArrayView(resource.data(), resource.size()))
                             : decode(resource.uncompressedData());
    return image.isNull() ? readFile(file, format) : image;
}

QByteArray encode(const QImage &image)
{
    // Only what the layout holds: no colour space, no texts.
    if (image.isNull() || image.colorSpace().isValid() || !image.textKeys().isEmpty() ||
        quint32(image.colorCount()) > MaxColours)
        return {};
    QByteArray data(Magic, sizeof(Magic));
    const QList<QRgb> colours = image.colorTable();
    for (const int field : {image.width(), image.height(), int(image.format()), int(image.bytesPerLine()),
                            image.dotsPerMeterX(), image.dotsPerMeterY(), int(colours.size())})
        append(data, quint32(field));
    for (const QRgb colour : colours)
        append(data, colour);
    data.append(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
    return data;
}

QImage decodeInPlace(QByteArrayView data)
{
    if (data.size() < HeaderSize || std::memcmp(data.data(), Magic, sizeof(Magic)) != 0)
        return {};
    quint32 fields[Fields];
    for (int i = 0; i < Fields; ++i)
        fields[i] = at(data, sizeof(Magic) + i * sizeof(quint32));
    const auto [width, height, format, bytesPerLine, dotsX, dotsY, colourCount] = fields;
    if (format == QImage::Format_Invalid || format >= QImage::NImageFormats || width == 0 || height == 0 ||
        width > 16384 || height > 16384 || colourCount > MaxColours)
        return {};
    // QImage's own line length for the size and format; anything else was not written by encode().
    const int depth = QImage::toPixelFormat(QImage::Format(format)).bitsPerPixel();
    const qsizetype lineBytes = ((qsizetype(width) * depth + 31) / 32) * 4;
    const qsizetype pixels = HeaderSize + qsizetype(colourCount * sizeof(quint32));
    if (bytesPerLine != lineBytes || data.size() != pixels + lineBytes * height)
        return {};
    const auto *bits = reinterpret_cast<const uchar *>(data.data() + pixels);
    // QImage takes only 32-bit aligned lines in place; elsewhere the pixels are copied.
    QImage image;
    if (quintptr(bits) % alignof(quint32) == 0) {
        image = QImage(bits, int(width), int(height), lineBytes, QImage::Format(format));
    } else {
        image = QImage(int(width), int(height), QImage::Format(format));
        if (!image.isNull())
            std::memcpy(image.bits(), bits, size_t(image.sizeInBytes()));
    }
    if (image.isNull())
        return {};
    if (colourCount > 0) {
        QList<QRgb> colours(colourCount);
        for (quint32 i = 0; i < colourCount; ++i)
            colours[i] = at(data, HeaderSize + i * sizeof(quint32));
        image.setColorTable(colours);
    }
    image.setDotsPerMeterX(int(dotsX));
    image.setDotsPerMeterY(int(dotsY));
    return image;
}

QImage decode(QByteArrayView data) { return decodeInPlace(data).copy(); }

} // namespace RawPicture

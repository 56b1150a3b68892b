#include "content/RawPicture.h"

#include <QImageReader>
#include <QtEndian>

#include <cstring>

namespace RawPicture {

namespace {

constexpr char Magic[4] = {'T', 'R', 'P', '1'};
// After the magic: width, height, format, bytes per line, dots per metre across and down.
constexpr int Fields = 6;
constexpr qsizetype HeaderSize = sizeof(Magic) + Fields * sizeof(quint32);

} // namespace

QImage readJpeg(const QString &file)
{
    // Told the format, the reader loads only the JPEG plug-in instead of asking each one.
    QImageReader reader(file, "jpg");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QByteArray encode(const QImage &image)
{
    if (image.isNull())
        return {};
    QByteArray data(Magic, sizeof(Magic));
    const quint32 fields[Fields] = {quint32(image.width()),         quint32(image.height()),
                                    quint32(image.format()),        quint32(image.bytesPerLine()),
                                    quint32(image.dotsPerMeterX()), quint32(image.dotsPerMeterY())};
    for (const quint32 field : fields) {
        const quint32 stored = qToLittleEndian(field);
        data.append(reinterpret_cast<const char *>(&stored), sizeof(stored));
    }
    data.append(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
    return data;
}

QImage decode(QByteArrayView data)
{
    if (data.size() < HeaderSize || std::memcmp(data.data(), Magic, sizeof(Magic)) != 0)
        return {};
    quint32 fields[Fields];
    for (int i = 0; i < Fields; ++i)
        fields[i] = qFromLittleEndian<quint32>(data.data() + sizeof(Magic) + i * sizeof(quint32));
    const auto [width, height, format, bytesPerLine, dotsX, dotsY] = fields;
    if (format == QImage::Format_Invalid || format >= QImage::NImageFormats || width == 0 || height == 0 ||
        width > 16384 || height > 16384)
        return {};
    QImage image{int(width), int(height), QImage::Format(format)};
    if (image.isNull() || quint32(image.bytesPerLine()) != bytesPerLine ||
        data.size() != HeaderSize + image.sizeInBytes())
        return {};
    std::memcpy(image.bits(), data.data() + HeaderSize, size_t(image.sizeInBytes()));
    image.setDotsPerMeterX(int(dotsX));
    image.setDotsPerMeterY(int(dotsY));
    return image;
}

} // namespace RawPicture

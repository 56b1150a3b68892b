#pragma once

#include <QObject>
#include <QPixmap>

// IMG: the 32 asana pictures, addressed by 1-based position. Pictures are decoded on first use,
// at double size for screens of 1.5 device pixels or more, where that variant exists; the build
// keeps the start picture decoded at single size.
class ImageList final : public QObject {
    Q_OBJECT
public:
    explicit ImageList(QObject *parent = nullptr);

    int count() const;
    // "01 Anjali Mudra.jpg" for position 1.
    QString key(int position) const;
    // An empty pixmap for a position outside 1..count(), or for a picture that does not decode.
    // The pixmap's logical size is 250 x 250 whatever the device pixel ratio.
    QPixmap picture(int position, qreal devicePixelRatio = 1.0) const;

private:
    mutable QList<QPixmap> m_cache, m_doubleCache;
};

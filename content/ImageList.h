#pragma once

#include <QObject>
#include <QPixmap>
#include <QStringList>

// IMG: the 32 asana pictures, addressed by 1-based position. Pictures are decoded on first use.
class ImageList final : public QObject {
    Q_OBJECT
public:
    explicit ImageList(QObject *parent = nullptr);

    int count() const;
    // "01 Anjali Mudra.jpg" for position 1.
    QString key(int position) const;
    // An empty pixmap for a position outside 1..count().
    QPixmap picture(int position) const;

private:
    QStringList m_files;
    mutable QList<QPixmap> m_cache;
};

#include "FakeServices.h"
#include "app/MainWindow.h"
#include "content/ImageList.h"

#include <QCryptographicHash>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QtTest>

// The 32 asana pictures and the program icon, as the program embeds them.
class tst_pictures : public QObject {
    Q_OBJECT

    // Share of pixels clearly darker than the light background: the figure.
    static double figureShare(const QImage &image)
    {
        int figure = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                figure += qGray(image.pixel(x, y)) < 160;
        return double(figure) / (image.width() * image.height());
    }

private Q_SLOTS:
    void everyPictureIsA250PixelJpeg_data()
    {
        QTest::addColumn<int>("position");
        const ImageList images;
        for (int position = 1; position <= 32; ++position)
            QTest::newRow(qPrintable(images.key(position))) << position;
    }
    void everyPictureIsA250PixelJpeg()
    {
        QFETCH(int, position);
        const QStringList files = QDir(QStringLiteral(":/pictures")).entryList(QDir::Files, QDir::Name);
        QCOMPARE(files.size(), 32);
        QImageReader reader(QStringLiteral(":/pictures/") + files.at(position - 1));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QCOMPARE(reader.size(), QSize(250, 250));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        const double share = figureShare(image);
        QVERIFY2(share > 0.04 && share < 0.6, qPrintable(QString::number(share)));
        // The frame's border is background: the figure is not cut off.
        for (int i = 0; i < 250; ++i)
            for (const QPoint edge : {QPoint(i, 0), QPoint(i, 249), QPoint(0, i), QPoint(249, i)})
                QVERIFY(qGray(image.pixel(edge)) > 200);

        const ImageList images;
        QCOMPARE(images.picture(position).size(), QSize(250, 250));
    }

    void picturesArePairwiseDifferent()
    {
        const ImageList images;
        QSet<QByteArray> seen;
        for (int position = 1; position <= 32; ++position) {
            const QImage image = images.picture(position).toImage().convertToFormat(QImage::Format_Grayscale8);
            seen.insert(QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()),
                                                 QCryptographicHash::Sha1));
        }
        QCOMPARE(seen.size(), 32);
    }

    void iconInEverySize()
    {
        for (int size : {32, 64, 128, 256}) {
            const QImage icon(QStringLiteral(":/icons/tavrello-%1.png").arg(size));
            QCOMPARE(icon.size(), QSize(size, size));
            QVERIFY(icon.hasAlphaChannel());
        }
        FakeServices fake;
        MDI mdi;
        QVERIFY(!mdi.windowIcon().isNull());
        QVERIFY(mdi.windowIcon().availableSizes().contains(QSize(32, 32)));
    }

    void picYogaStartsWithTheFirstPicture()
    {
        FakeServices fake;
        MDI mdi;
        auto *picture = mdi.findChild<QLabel *>(QStringLiteral("picYoga"));
        QCOMPARE(picture->property("PictureIndex").toInt(), 1);
        QCOMPARE(picture->pixmap().toImage(), mdi.IMG()->picture(1).toImage());
        QCOMPARE(picture->accessibleDescription(), QStringLiteral("Anjali Mudra"));
    }
};

QTEST_MAIN(tst_pictures)
#include "tst_pictures.moc"

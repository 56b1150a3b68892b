#include "FakeServices.h"
#include "app/MainWindow.h"
#include "content/ContentModel.h"
#include "content/ImageList.h"
#include "platform/ApplicationStyle.h"
#include "platform/IconStyle.h"
#include "platform/RawPicture.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QProxyStyle>
#include <QResource>
#include <QStyleFactory>
#include <QtTest>

// The 32 asana pictures and the program icon, as the program embeds them.
class tst_pictures : public QObject {
    Q_OBJECT

    // A picture the build keeps decoded; null where there is none.
    static QImage decodedFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? RawPicture::decode(file.readAll()) : QImage();
    }

    // Share of pixels clearly darker than the light background: the figure.
    static double figureShare(const QImage &image)
    {
        int figure = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                figure += qGray(image.pixel(x, y)) < 160;
        return double(figure) / (image.width() * image.height());
    }

    // What is wrong with a picture file, or nothing: every picture is a JPEG of the given size
    // with a figure that neither vanishes nor fills the frame, and a background border, so that
    // the figure is not cut off.
    static QString pictureProblem(const QString &file, int size, QImage *image)
    {
        QImageReader reader(file);
        if (reader.format() != QByteArray("jpeg"))
            return file + QStringLiteral(" is not a JPEG");
        if (reader.size() != QSize(size, size))
            return file + QStringLiteral(" is not %1 pixels square").arg(size);
        *image = reader.read();
        if (image->isNull())
            return reader.errorString();
        const double share = figureShare(*image);
        if (share <= 0.04 || share >= 0.6)
            return file + QStringLiteral(": the figure covers %1 of the frame").arg(share);
        for (int i = 0; i < size; ++i)
            for (const QPoint edge : {QPoint(i, 0), QPoint(i, size - 1), QPoint(0, i), QPoint(size - 1, i)})
                if (qGray(image->pixel(edge)) <= 200)
                    return file + QStringLiteral(": the figure touches the border");
        return {};
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
        QStringList files = QDir(QStringLiteral(":/pictures")).entryList(QDir::Files, QDir::Name);
        files.removeIf([](const QString &file) { return file.endsWith(QLatin1String("@2x.jpg")); });
        QCOMPARE(files.size(), 32);
        QImage image;
        const QString problem = pictureProblem(QStringLiteral(":/pictures/") + files.at(position - 1), 250, &image);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        const ImageList images;
        QCOMPARE(images.picture(position).size(), QSize(250, 250));
    }

    // Beside each picture, the same drawing at twice the pixels for HiDPI screens.
    void everyPictureHasASharp500PixelVariant_data() { everyPictureIsA250PixelJpeg_data(); }
    void everyPictureHasASharp500PixelVariant()
    {
        QFETCH(int, position);
        const ImageList images;
        const QString normal = images.key(position).left(2);
        QStringList doubles = QDir(QStringLiteral(":/pictures")).entryList({normal + QStringLiteral("-*@2x.jpg")});
        QCOMPARE(doubles.size(), 1);
        QImage sharp;
        const QString problem = pictureProblem(QStringLiteral(":/pictures/") + doubles.first(), 500, &sharp);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        // Drawn afresh at 500, not scaled up, yet the same picture: brought down to 250 it
        // differs from the small one only by anti-aliasing and compression.
        const QImage small = images.picture(position).toImage().convertToFormat(QImage::Format_Grayscale8);
        const QImage reduced = sharp.scaled(250, 250, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                   .convertToFormat(QImage::Format_Grayscale8);
        double difference = 0;
        for (int y = 0; y < 250; ++y)
            for (int x = 0; x < 250; ++x)
                difference += std::abs(qGray(small.pixel(x, y)) - qGray(reduced.pixel(x, y)));
        difference /= 250.0 * 250.0;
        QVERIFY2(difference < 8, qPrintable(QString::number(difference)));

        const QPixmap shown = images.picture(position, 2.0);
        QCOMPARE(shown.size(), QSize(500, 500));
        QCOMPARE(shown.devicePixelRatio(), 2.0);
        QCOMPARE(shown.deviceIndependentSize(), QSizeF(250, 250));
        QCOMPARE(images.picture(position, 1.49).size(), QSize(250, 250));
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
        // The build keeps the windows' icon decoded: the same pixels as its file.
        QVERIFY(!decodedFile(QStringLiteral(":/decoded/tavrello-32.raw")).isNull());
        QCOMPARE(mdi.windowIcon().pixmap(QSize(32, 32), 1.0).toImage().convertToFormat(QImage::Format_ARGB32),
                 QImage(QStringLiteral(":/icons/tavrello-32.png")).convertToFormat(QImage::Format_ARGB32));
    }

    void picYogaStartsWithTheFirstPicture()
    {
        FakeServices fake;
        MDI mdi;
        auto *picture = mdi.findChild<QLabel *>(QStringLiteral("picYoga"));
        QCOMPARE(picture->property("PictureIndex").toInt(), 1);
        QCOMPARE(picture->pixmap().toImage(), mdi.IMG()->picture(1, picture->devicePixelRatioF()).toImage());
        QCOMPARE(picture->accessibleDescription(), QStringLiteral("Anjali Mudra"));
    }

    // The start picture comes with the program already decoded; it must be exactly what its JPEG
    // decodes to, and every other picture is decoded from its JPEG.
    void startPictureIsWhatItsJpegDecodesTo()
    {
        QVERIFY(QFile::exists(QStringLiteral(":/decoded/%1.raw").arg(Content().slug(0))));
        const ImageList images;
        for (const int position : {1, 2, 32}) {
            const QImage shown = images.picture(position).toImage();
            const QImage decoded = RawPicture::readFile(Content().picturePath(position - 1), "jpg");
            QVERIFY(!decoded.isNull());
            QCOMPARE(shown.format(), decoded.format());
            QCOMPARE(shown, decoded);
            QCOMPARE(shown.dotsPerMeterX(), decoded.dotsPerMeterX());
            QCOMPARE(shown.dotsPerMeterY(), decoded.dotsPerMeterY());
        }
    }

    // A raw picture is taken only whole; anything else is no picture, and the JPEG is read instead.
    void rawPictureIsTakenOnlyWhole_data()
    {
        QTest::addColumn<int>("cut");     // bytes taken off the end
        QTest::addColumn<int>("spoilAt"); // a byte changed there, or -1
        QTest::addColumn<bool>("whole");
        QTest::newRow("as written") << 0 << -1 << true;
        QTest::newRow("one byte short") << 1 << -1 << false;
        QTest::newRow("header only") << 37 * 4 * 3 << -1 << false;
        QTest::newRow("another magic") << 0 << 0 << false;
        QTest::newRow("another width") << 0 << 4 << false;
        QTest::newRow("no such format") << 0 << 12 << false;
    }
    void rawPictureIsTakenOnlyWhole()
    {
        QFETCH(int, cut);
        QFETCH(int, spoilAt);
        QFETCH(bool, whole);
        QImage image(37, 3, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x * 7, y * 80, (x + y) % 256));
        image.setDotsPerMeterX(3779);
        image.setDotsPerMeterY(2000);
        QByteArray data = RawPicture::encode(image);
        data.chop(cut);
        if (spoilAt >= 0)
            data[spoilAt] = char(data.at(spoilAt) + 100);
        const QImage read = RawPicture::decode(data);
        QCOMPARE(!read.isNull(), whole);
        if (whole) {
            QCOMPARE(read, image);
            QCOMPARE(read.dotsPerMeterY(), 2000);
        }
    }

    // What the build decoded is shown from where the program carries it, not from a copy on the
    // heap: the start picture and the icons, down to the start picture's pixmap.
    void decodedPicturesAreUsedWhereTheyLie_data()
    {
        QTest::addColumn<QString>("decoded");
        QTest::newRow("start picture") << QStringLiteral(":/decoded/%1.raw").arg(Content().slug(0));
        QTest::newRow("windows' icon") << QStringLiteral(":/decoded/tavrello-32.raw");
        QTest::newRow("style icon") << QStringLiteral(":/decoded-style/qtlogo-64.raw");
    }
    void decodedPicturesAreUsedWhereTheyLie()
    {
        QFETCH(QString, decoded);
        const QResource resource(decoded);
        QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);
        const auto carried = [&](const QImage &image) {
            const auto *bits = reinterpret_cast<const char *>(image.constBits());
            const auto *begin = reinterpret_cast<const char *>(resource.data());
            return bits >= begin && bits + image.sizeInBytes() <= begin + resource.size();
        };
        const QImage image = RawPicture::read(decoded, QString(), "png");
        QVERIFY(carried(image));
        QCOMPARE(image, RawPicture::decode(QByteArrayView(resource.data(), resource.size())));
        if (decoded.contains(Content().slug(0))) {
            const ImageList images;
            QVERIFY(carried(images.picture(1).toImage()));
        }
    }

    // Where the pixels are not 32-bit aligned, QImage cannot take them in place: they are copied,
    // and the picture is the same.
    void misalignedPixelsAreCopied()
    {
        QImage image(9, 4, QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgba(x * 20, y * 60, 90, 255 - x));
        const QByteArray data = QByteArray(1, '\0') + RawPicture::encode(image);
        const QByteArrayView misaligned = QByteArrayView(data).sliced(1);
        const QImage read = RawPicture::decodeInPlace(misaligned);
        QCOMPARE(read, image);
        const auto *bits = reinterpret_cast<const char *>(read.constBits());
        QVERIFY(bits < data.constData() || bits >= data.constData() + data.size());
    }

    // A picture with a colour table, as Qt's small icons are, keeps its table.
    void rawPictureKeepsAColourTable()
    {
        QImage image(5, 3, QImage::Format_Indexed8);
        image.setColorTable({qRgba(0, 0, 0, 0), qRgb(200, 10, 10), qRgba(10, 200, 10, 128)});
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, uint((x + y) % 3));
        const QImage read = RawPicture::decode(RawPicture::encode(image));
        QCOMPARE(read.colorTable(), image.colorTable());
        QCOMPARE(read, image);
        QCOMPARE(read.convertToFormat(QImage::Format_ARGB32), image.convertToFormat(QImage::Format_ARGB32));
    }

    // On a screen of two device pixels per point (the run with QT_SCALE_FACTOR=2) the picture is
    // the sharp one, at the same logical size; on a plain screen the 250-pixel one.
    void picYogaIsSharpOnHiDpiScreens()
    {
        FakeServices fake;
        MDI mdi;
        mdi.show();
        auto *picture = mdi.findChild<QLabel *>(QStringLiteral("picYoga"));
        const bool scaled = qEnvironmentVariable("QT_SCALE_FACTOR") == QLatin1String("2");
        QCOMPARE(picture->devicePixelRatioF(), scaled ? 2.0 : 1.0);
        mdi.findChild<QComboBox *>(QStringLiteral("cboAsanasByName"))->setCurrentIndex(14);
        QCOMPARE(picture->property("PictureIndex").toInt(), 15);
        QCOMPARE(picture->pixmap().size(), scaled ? QSize(500, 500) : QSize(250, 250));
        QCOMPARE(picture->pixmap().deviceIndependentSize(), QSizeF(250, 250));
        QCOMPARE(picture->size(), QSize(250, 250));
    }

    // The standard icons the application's style reads from Qt's files itself are the plain
    // style's own, pixel for pixel, in every size, mode and density asked; the others are left
    // to the plain style.
    void standardIconsReadDirectlyAreTheStylesOwn_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("sub-window menu") << int(QStyle::SP_TitleBarMenuButton);
        QTest::newRow("sub-window close") << int(QStyle::SP_TitleBarCloseButton);
        QTest::newRow("sub-window maximise") << int(QStyle::SP_TitleBarMaxButton);
        QTest::newRow("menu bar extension") << int(QStyle::SP_ToolBarHorizontalExtensionButton);
        QTest::newRow("message box") << int(QStyle::SP_MessageBoxInformation);
    }
    void standardIconsReadDirectlyAreTheStylesOwn()
    {
        QFETCH(int, which);
        // The files the style reads are there decoded, so that is what is compared below.
        for (const char *name : {"qtlogo-64", "titlebar-max-16", "toolbar-ext-h-8"})
            QVERIFY2(!decodedFile(QStringLiteral(":/decoded-style/%1.raw").arg(QLatin1String(name))).isNull(), name);
        const QStyle *current = QApplication::style();
        if (const auto *proxy = qobject_cast<const QProxyStyle *>(current))
            current = proxy->baseStyle();
        const std::unique_ptr<QStyle> plain(QStyleFactory::create(current->name()));
        QVERIFY(plain);
        Controls::readStandardIconsDirectly();
        const QStyle *style = QApplication::style();
        QVERIFY(style->metaObject()->inherits(&QProxyStyle::staticMetaObject));
        QCOMPARE(style->objectName(), plain->objectName());
        const auto pixmap = QStyle::StandardPixmap(which);
        const QIcon expected = plain->standardIcon(pixmap);
        const QIcon direct = style->standardIcon(pixmap);
        QCOMPARE(direct.isNull(), expected.isNull());
        QCOMPARE(direct.availableSizes(), expected.availableSizes());
        for (const int size : {12, 16, 20, 32, 64, 100})
            for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected})
                for (const qreal ratio : {1.0, 2.0}) {
                    const QImage got = direct.pixmap(QSize(size, size), ratio, mode).toImage();
                    QVERIFY2(got == expected.pixmap(QSize(size, size), ratio, mode).toImage(),
                             qPrintable(QStringLiteral("size %1, mode %2, ratio %3").arg(size).arg(mode).arg(ratio)));
                }
        QCOMPARE(direct.actualSize(QSize(40, 40)), expected.actualSize(QSize(40, 40)));
        // Painted into a rectangle, as a button paints its icon.
        QImage painted(48, 48, QImage::Format_ARGB32_Premultiplied), reference = painted;
        painted.fill(Qt::transparent);
        reference.fill(Qt::transparent);
        {
            QPainter onPainted(&painted), onReference(&reference);
            direct.paint(&onPainted, QRect(3, 5, 40, 30));
            expected.paint(&onReference, QRect(3, 5, 40, 30));
        }
        QCOMPARE(painted, reference);
        // Asked again, as each sub-window asks for its menu icon several times: still the same.
        const QIcon again = style->standardIcon(pixmap);
        QCOMPARE(again.availableSizes(), expected.availableSizes());
        for (const int size : {16, 32, 64})
            QCOMPARE(again.pixmap(QSize(size, size)).toImage(), expected.pixmap(QSize(size, size)).toImage());
    }

    // The button and icon proxies each own a new instance of the application's style; once the
    // application's style is itself one of them, that instance is made by its base's name.
    void newApplicationStyleLooksThroughProxies()
    {
        Controls::readStandardIconsDirectly();
        const auto *wrapped = qobject_cast<const QProxyStyle *>(QApplication::style());
        QVERIFY(wrapped);
        const std::unique_ptr<QStyle> made(Controls::newApplicationStyle());
        QVERIFY(made);
        QCOMPARE(made->name(), wrapped->baseStyle()->name());
    }
};

QTEST_MAIN(tst_pictures)
#include "tst_pictures.moc"

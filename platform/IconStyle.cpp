#include "platform/IconStyle.h"

#include "platform/ApplicationStyle.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QProxyStyle>
#include <QWidget>

namespace {

QPixmap readPng(const QString &file)
{
    QImageReader reader(file, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

// The files the style makes these icons of, for a left-to-right layout at one device pixel per
// point; elsewhere the style adds mirrored or larger files of its own.
QIcon readStandardIcon(const QStyle *style, QStyle::StandardPixmap which, const QWidget *widget)
{
    if (qApp->devicePixelRatio() > 1.0 || QGuiApplication::isRightToLeft() || (widget && widget->isRightToLeft()))
        return {};
    const QString common = QStringLiteral(":/qt-project.org/styles/commonstyle/images/");
    QStringList files;
    QIcon icon;
    switch (which) {
    case QStyle::SP_TitleBarMenuButton:
        icon.addPixmap(style->standardPixmap(which, nullptr, widget));
        files << QStringLiteral(":/qt-project.org/qmessagebox/images/qtlogo-64.png");
        break;
    case QStyle::SP_TitleBarMaxButton:
        for (int size : {16, 32, 48})
            files << common + QStringLiteral("titlebar-max-%1.png").arg(size);
        break;
    case QStyle::SP_ToolBarHorizontalExtensionButton:
        for (int size : {8, 16, 32})
            files << common + QStringLiteral("toolbar-ext-h-%1.png").arg(size);
        break;
    default:
        return {};
    }
    for (const QString &file : std::as_const(files)) {
        const QPixmap pixmap = readPng(file);
        if (pixmap.isNull())
            return {};
        icon.addPixmap(pixmap);
    }
    return icon;
}

class DirectIconStyle final : public QProxyStyle {
public:
    // Named as the style it wraps, for whatever looks the application's style up by name.
    explicit DirectIconStyle(QStyle *base) : QProxyStyle(base) { setObjectName(base->objectName()); }

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override
    {
        if (!option) {
            const QIcon icon = readStandardIcon(baseStyle(), which, widget);
            if (!icon.isNull())
                return icon;
        }
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

namespace Controls {

void readStandardIconsDirectly()
{
    QStyle *current = QApplication::style();
    if (dynamic_cast<DirectIconStyle *>(current))
        return;
    if (QStyle *base = newApplicationStyle())
        QApplication::setStyle(new DirectIconStyle(base));
}

} // namespace Controls

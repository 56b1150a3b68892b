#include "platform/IconStyle.h"

#include "platform/ApplicationStyle.h"
#include "platform/RawPicture.h"

#include <QApplication>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QProxyStyle>
#include <QWidget>

namespace {

// One of Qt's files, from the copy the build decoded (see platform/CMakeLists.txt) where there is one.
QPixmap readPng(const QString &file)
{
    const QString decoded = QStringLiteral(":/decoded-style/%1.raw").arg(QFileInfo(file).completeBaseName());
    return QPixmap::fromImage(RawPicture::read(decoded, file, "png"));
}

// The style makes these icons of the files below for a left-to-right layout at one device pixel
// per point; elsewhere it adds mirrored or larger files of its own.
bool readsDirectly(const QWidget *widget)
{
    return qApp->devicePixelRatio() <= 1.0 && !QGuiApplication::isRightToLeft() && !(widget && widget->isRightToLeft());
}

QIcon readStandardIcon(const QStyle *style, QStyle::StandardPixmap which, const QWidget *widget)
{
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
        if (!option && readsDirectly(widget)) {
            // Read once: each MDI sub-window asks for its menu icon three times as it is made.
            auto read = m_read.constFind(which);
            if (read == m_read.cend())
                read = m_read.insert(which, readStandardIcon(baseStyle(), which, widget));
            if (!read->isNull())
                return *read;
        }
        return QProxyStyle::standardIcon(which, option, widget);
    }

private:
    mutable QHash<int, QIcon> m_read; // a null icon: the style makes that one itself
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

#include "platform/ApplicationStyle.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>

namespace Controls {

QStyle *newApplicationStyle()
{
    const QStyle *style = QApplication::style();
    while (const auto *proxy = qobject_cast<const QProxyStyle *>(style))
        style = proxy->baseStyle();
    return QStyleFactory::create(style->name());
}

} // namespace Controls

#include "platform/ButtonStyle.h"

#include "platform/ApplicationStyle.h"

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionButton>

namespace {

class SharedBevelStyle final : public QProxyStyle {
public:
    explicit SharedBevelStyle(QStyle *base) : QProxyStyle(base) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
        if (element != PE_PanelButtonCommand || !button) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        QStyleOptionButton shared(*button);
        shared.palette = canonical(button->palette);
        shared.palette.setCurrentColorGroup(button->palette.currentColorGroup());
        QProxyStyle::drawPrimitive(element, &shared, painter, widget);
    }

private:
    // The first palette seen with these colours (equal palettes draw alike); its copies keep its
    // cache key.
    QPalette canonical(const QPalette &palette) const
    {
        for (const QPalette &known : std::as_const(m_palettes))
            if (known == palette)
                return known;
        m_palettes.append(palette);
        return palette;
    }

    mutable QList<QPalette> m_palettes;
};

} // namespace

namespace Controls {

QStyle *sharedBevelStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        // A second instance of the application's style, as the proxy owns its base.
        QStyle *base = newApplicationStyle();
        style = base ? new SharedBevelStyle(base) : QApplication::style();
        if (base)
            style->setParent(qApp);
    }
    return style;
}

} // namespace Controls

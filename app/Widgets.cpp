#include "app/Widgets.h"

#include "content/AsanaCatalogue.h"
#include "content/ImageList.h"
#include "pages/TopicPage.h"

#include "web/WebWidgets.h"

PictureBox::PictureBox(const ImageList *images, QWidget *parent) : QLabel(parent), m_images(images)
{
    setObjectName(QStringLiteral("picYoga"));
    setAlignment(Qt::AlignCenter);
    setAccessibleName(QStringLiteral("Asana picture"));
    showPicture(1);
}

void PictureBox::showPicture(int position)
{
    const QPixmap picture = m_images->picture(position);
    if (picture.isNull())
        return;
    setPixmap(picture);
    m_index = position;
    setAccessibleDescription(modYogasana::AsanaTexts().at(size_t(position - 1)).SanskritName);
}

QWidget *makeBox(const QString &name, const QColor &background, QWidget *parent)
{
    auto *box = new QWidget(parent);
    box->setObjectName(name);
    box->setAutoFillBackground(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, background.isValid() ? background : palette.color(QPalette::Base));
    box->setPalette(palette);
    return box;
}

QPushButton *makeColouredButton(const QString &name, const QString &caption, const QColor &background,
                                QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(ShownCaption(caption));
    button->setFont(WebWidgets::makeFont(QStringLiteral("Verdana"), 8.25));
    // Drawn by the style in the button's own colour; palettes keep start-up free of style sheets.
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, background);
    button->setPalette(palette);
    return button;
}

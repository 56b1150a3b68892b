#pragma once

#include "pages/AsanaPage.h"

#include <QLabel>
#include <QPushButton>

class ImageList;

// picYoga: shows one picture of the image list and tells which (PictureIndex).
class PictureBox final : public QLabel, public AsanaPictureBox {
    Q_OBJECT
    Q_PROPERTY(int PictureIndex READ pictureIndex)
public:
    PictureBox(const ImageList *images, QWidget *parent);

    void showPicture(int position) override;
    int pictureIndex() const { return m_index; }

private:
    const ImageList *m_images;
    int m_index = 0;
};

// A plain region or panel with a background colour; an invalid colour means the window colour.
QWidget *makeBox(const QString &name, const QColor &background, QWidget *parent);

// A button drawn in its own background colour.
QPushButton *makeColouredButton(const QString &name, const QString &caption, const QColor &background,
                                QWidget *parent);

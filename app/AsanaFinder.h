#pragma once

#include "pages/AsanaPage.h"

#include <QLabel>
#include <functional>

class ImageList;
class QComboBox;
class QListWidget;

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

// picContainer: the three ways to choose an asana (by name, by body part, by therapeutic
// application), each on its own panel, and the picture of the asana shown.
class AsanaFinder final : public QWidget {
    Q_OBJECT
public:
    AsanaFinder(const ImageList *images, std::function<RichPage &()> page, QWidget *parent);

    // The panel of an asana section (2 by name, 3 by body part, 4 by therapeutic application).
    QWidget *panel(int section) const;
    // Fills the three drop-down lists, choosing nothing.
    void fillLists();
    // Chooses the first entry of a section's drop-down list and shows what it leads to.
    void chooseFirst(int section);
    // Decodes ahead of time the pictures that the first entries of the body-part and therapeutic
    // application lists lead to, so that opening those sections does not wait for them.
    void decodeFirstPictures() const;

    void cboAsanasByName_Click();
    void cboAsanasByBodyPart_Click();
    void cboAsanasByTherapeuticApplications_Click();
    void lstAsanasByBodyPart_Click();
    void lstAsanasByTherapeuticApplications_Click();

private:
    struct Lookup {
        QWidget *panel = nullptr;
        QComboBox *box = nullptr;
        QListWidget *list = nullptr;
    };
    Lookup buildLookup(int section);
    void showAsana(const QString &text);
    static void fillList(QListWidget *list, const QStringList &names);

    const ImageList *m_images;
    std::function<RichPage &()> m_page;
    Lookup m_byName, m_byBodyPart, m_byApplication;
    PictureBox *m_picYoga;
};

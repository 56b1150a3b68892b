#include "app/AsanaFinder.h"

#include "app/Palette.h"
#include "content/ContentModel.h"
#include "content/ImageList.h"
#include "content/Lookups.h"
#include "platform/Controls.h"
#include "platform/TrimSpaces.h"
#include "platform/Twips.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

namespace {

const QString PickAsana = QStringLiteral("Select the asana from the following list to get its corresponding details");

// What tells the three panels apart; everything else they share.
struct LookupDesign {
    const char *panel;
    QRect twips;
    int boxCaptionIndex;
    QString boxCaption;
    const char *box;
    int boxWidth;
    const char *boxAccessibleName;
    int listCaptionIndex; // -1: the panel has no list
    const char *list;
    const char *listAccessibleName;
};

const LookupDesign &design(int section)
{
    static const LookupDesign designs[] = {
        {"Picture2",
         {0, 1080, 3800, 1170},
         0,
         PickAsana,
         "cboAsanasByName",
         3720,
         "Asanas by name",
         -1,
         nullptr,
         nullptr},
        {"Picture3",
         {0, 60, 3800, 3690},
         3,
         QStringLiteral("Select the Body Part to get the corresponding asanas list"),
         "cboAsanasByBodyPart",
         3725,
         "Body parts",
         4,
         "lstAsanasByBodyPart",
         "Asanas for the body part"},
        {"Picture4",
         {0, 60, 3800, 3690},
         1,
         QStringLiteral("Select the Therapeutic Application to get the corresponding asanas"),
         "cboAsanasByTherapeuticApplications",
         3725,
         "Therapeutic applications",
         2,
         "lstAsanasByTherapeuticApplications",
         "Asanas for the therapeutic application"},
    };
    return designs[section - 2];
}

} // namespace

PictureBox::PictureBox(const ImageList *images, QWidget *parent) : QLabel(parent), m_images(images)
{
    setObjectName(QStringLiteral("picYoga"));
    setAlignment(Qt::AlignCenter);
    setAccessibleName(QStringLiteral("Asana picture"));
    showPicture(1);
}

void PictureBox::showPicture(int position)
{
    const QPixmap picture = m_images->picture(position, devicePixelRatioF());
    if (picture.isNull())
        return;
    setPixmap(picture);
    m_index = position;
    setAccessibleDescription(Content().asanas().value(position - 1).SanskritName);
}

AsanaFinder::AsanaFinder(const ImageList *images, std::function<RichPage &()> page, QWidget *parent)
    : QWidget(parent), m_images(images), m_page(std::move(page))
{
    setObjectName(QStringLiteral("picContainer"));
    Controls::setBackground(this, Qt::white);
    Twips::attach(this, 0, 0, 11000, 3750);

    m_byName = buildLookup(2);
    m_byBodyPart = buildLookup(3);
    m_byApplication = buildLookup(4);
    m_picYoga = new PictureBox(images, this);
    Twips::attach(m_picYoga, 7275, 0, 3750, 3750);

    // A choice by mouse, keyboard or code runs the handler; emptying a box chooses nothing.
    auto whenChosen = [this](auto *control, auto changed, void (AsanaFinder::*handler)()) {
        connect(control, changed, this, [this, handler](int entry) {
            if (entry >= 0)
                (this->*handler)();
        });
    };
    whenChosen(m_byName.box, &QComboBox::currentIndexChanged, &AsanaFinder::cboAsanasByName_Click);
    whenChosen(m_byBodyPart.box, &QComboBox::currentIndexChanged, &AsanaFinder::cboAsanasByBodyPart_Click);
    whenChosen(m_byApplication.box, &QComboBox::currentIndexChanged,
               &AsanaFinder::cboAsanasByTherapeuticApplications_Click);
    whenChosen(m_byBodyPart.list, &QListWidget::currentRowChanged, &AsanaFinder::lstAsanasByBodyPart_Click);
    whenChosen(m_byApplication.list, &QListWidget::currentRowChanged,
               &AsanaFinder::lstAsanasByTherapeuticApplications_Click);
}

AsanaFinder::Lookup AsanaFinder::buildLookup(int section)
{
    const LookupDesign &d = design(section);
    const QFont captionFont = Controls::makeFont(QStringLiteral("Verdana"), 8.25, true);
    const QFont listFont = Controls::makeFont(QStringLiteral("Verdana"), 9);
    auto caption = [&](QWidget *panel, int index, const QString &text, int top) {
        Controls::label(QStringLiteral("lblCaption(%1)").arg(index), text, captionFont, Palette::Purple, panel,
                        {0, top, 3720, 495}, true);
    };

    Lookup lookup;
    lookup.panel = Controls::box(QString::fromLatin1(d.panel), QColor(), this);
    // The drop-down and the list take their font from the panel as they are made: set on a
    // drop-down afterwards, a font builds its pop-up list long before anyone opens it.
    lookup.panel->setFont(listFont);
    Twips::attach(lookup.panel, d.twips);
    caption(lookup.panel, d.boxCaptionIndex, d.boxCaption, 0);
    lookup.box = new QComboBox(lookup.panel);
    lookup.box->setObjectName(QString::fromLatin1(d.box));
    lookup.box->setEditable(false);
    lookup.box->setAccessibleName(QString::fromLatin1(d.boxAccessibleName));
    Twips::attach(lookup.box, 0, 600, d.boxWidth, Twips::fromPixels(lookup.box->sizeHint().height()));
    if (d.list) {
        caption(lookup.panel, d.listCaptionIndex, PickAsana, 1080);
        lookup.list = new QListWidget(lookup.panel);
        lookup.list->setObjectName(QString::fromLatin1(d.list));
        lookup.list->setAccessibleName(QString::fromLatin1(d.listAccessibleName));
        Twips::attach(lookup.list, 0, 1680, 3725, 1920);
    }
    lookup.panel->hide();
    return lookup;
}

QWidget *AsanaFinder::panel(int section) const
{
    return section == 2 ? m_byName.panel : section == 3 ? m_byBodyPart.panel : m_byApplication.panel;
}

void AsanaFinder::fillLists()
{
    using namespace modYogasana;
    const std::pair<QComboBox *, QStringList> lists[] = {{m_byName.box, AsanaNames()},
                                                         {m_byBodyPart.box, BodyParts()},
                                                         {m_byApplication.box, TherapeuticApplications()}};
    for (const auto &[box, entries] : lists) {
        // Filling selects nothing and shows nothing: the first choice is the user's.
        const QSignalBlocker quiet(box);
        box->addItems(entries);
        box->setCurrentIndex(-1);
    }
}

void AsanaFinder::chooseFirst(int section)
{
    // The first entry's page is shown whether or not it was chosen already. Choosing it when
    // another was chosen runs the handler through the change, and running it again would build
    // the same page a second time.
    auto choose = [this](QComboBox *box, void (AsanaFinder::*handler)()) {
        if (box->currentIndex() != 0) {
            box->setCurrentIndex(0);
            if (box->currentIndex() == 0)
                return;
        }
        (this->*handler)();
    };
    switch (section) {
    case 2:
        choose(m_byName.box, &AsanaFinder::cboAsanasByName_Click);
        break;
    case 3:
        choose(m_byBodyPart.box, &AsanaFinder::cboAsanasByBodyPart_Click);
        break;
    default:
        choose(m_byApplication.box, &AsanaFinder::cboAsanasByTherapeuticApplications_Click);
        break;
    }
}

void AsanaFinder::decodeFirstPictures() const
{
    using namespace modYogasana;
    const std::pair<const std::vector<LookupRow> &, const QComboBox *> lookups[] = {
        {BodyPartTable(), m_byBodyPart.box}, {TherapeuticApplicationTable(), m_byApplication.box}};
    for (const auto &[table, box] : lookups) {
        const LookupRow *row = FindLookupRow(table, box->itemText(0));
        if (row && !row->asanas.empty())
            m_images->picture(row->asanas.front() + 1, m_picYoga->devicePixelRatioF());
    }
}

void AsanaFinder::showAsana(const QString &text) { modYogasana::ShowAsanaPage(TrimSpaces(text), m_page(), *m_picYoga); }

void AsanaFinder::fillList(QListWidget *list, const QStringList &names)
{
    list->clear();
    list->addItems(names);
    list->setCurrentRow(0);
}

void AsanaFinder::cboAsanasByName_Click() { showAsana(m_byName.box->currentText()); }

void AsanaFinder::cboAsanasByBodyPart_Click()
{
    fillList(m_byBodyPart.list, modYogasana::ListAsanasByBodyPart(m_byBodyPart.box->currentText()));
}

void AsanaFinder::cboAsanasByTherapeuticApplications_Click()
{
    fillList(m_byApplication.list, modYogasana::ListAsanasByTherapeuticApplication(m_byApplication.box->currentText()));
}

void AsanaFinder::lstAsanasByBodyPart_Click()
{
    if (const QListWidgetItem *item = m_byBodyPart.list->currentItem())
        showAsana(item->text());
}

void AsanaFinder::lstAsanasByTherapeuticApplications_Click()
{
    if (const QListWidgetItem *item = m_byApplication.list->currentItem())
        showAsana(item->text());
}

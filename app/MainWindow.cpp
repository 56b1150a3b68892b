#include "app/MainWindow.h"

#include "app/Application.h"
#include "app/DockLayout.h"
#include "app/Widgets.h"
#include "content/ContentText.h"
#include "content/ImageList.h"
#include "content/Lookups.h"
#include "pages/AsanaPage.h"
#include "pages/DisplayWindow.h"
#include "pages/TopicPage.h"
#include "platform/Platform.h"
#include "platform/TrimSpaces.h"
#include "platform/Twips.h"
#include "web/AboutBox.h"
#include "web/ClosingScreen.h"
#include "web/WebWidgets.h"
#include "web/modHelp.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QSignalBlocker>

namespace {

constexpr int SectionButtonHeight = 375;
constexpr int TopicButtonHeight = 375;
const QColor Purple(100, 0, 110);
const QColor Lilac(199, 159, 238);
const QColor SectionPink(255, 192, 255);
const QColor TopicBlue(192, 192, 255);

struct Section {
    const char *button;
    const char *caption;
    const char *panel;
    int panelLeft;
    int panelHeight;
    QList<std::pair<const char *, const char *>> topics;  // button, caption
};

// The seven sections top to bottom; sections 2 to 4 keep their panels in the top area.
const std::array<Section, 7> &sections()
{
    static const std::array<Section, 7> table = {{
        {"Command1", "Information on Yoga", "Picture1", 310, 2300,
         {{"Command11", "What Is Yoga ?"},
          {"Command12", "Paths Of Yoga"},
          {"Command13", "Who Can Practice Yoga ?"},
          {"Command14", "Benefits Of Yoga"},
          {"Command15", "Tips To Practice Yoga"},
          {"Command16", "What Are Yogasanas ?"}}},
        {"Command2", "Yoga Asanas By Name", "Picture2", 0, 1170, {}},
        {"Command3", "Yoga Asanas By Body Parts", "Picture3", 0, 3690, {}},
        {"Command4", "Yoga Asanas By Therapeutic Applications", "Picture4", 0, 3690, {}},
        {"Command5", "Meditation", "Picture5", 315, 1900,
         {{"Command51", "What Is Meditation ?"},
          {"Command52", "Why Should We Meditate ?"},
          {"Command53", "Importance Of Meditation"},
          {"Command54", "Techniques To Control Our Mind"},
          {"Command55", "Techniques To Meditation"}}},
        {"Command6", "Pranayam", "Picture6", 310, 2300,
         {{"Command61", "What Is Pranayam ?"},
          {"Command62", "Importance && Benefits Of Pranayam"},
          {"Command63", "Nadi Shodan Prnayam"},
          {"Command64", "Bhastrika Pranayam"},
          {"Command65", "Bhramari Pranayam"},
          {"Command66", "Kapalbhati Pranayam"}}},
        {"Command7", "Surya Namaskar", "Picture7", 310, 1550,
         {{"Command71", "What Is Surya Namaskar ?"},
          {"Command72", "How To Practice Surya Namaskar ?"},
          {"Command73", "Benefits Of Surya Namaskar"},
          {"Command74", "People Who Should Not Practice"}}},
    }};
    return table;
}

bool isAsanaSection(int section)
{
    return section >= 2 && section <= 4;
}

QLabel *makeLabel(const QString &name, const QString &text, const QFont &font, const QColor &colour, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

// Height in twips that a word-wrapped label needs at a width in twips.
int wrappedHeight(const QLabel *label, int widthTwips)
{
    return Twips::fromPixels(label->heightForWidth(Twips::toPixels(widthTwips)));
}

} // namespace

MDI::MDI(QWidget *parent) : QMainWindow(parent), m_images(new ImageList(this))
{
    setObjectName(QStringLiteral("MDI"));
    setWindowTitle(QStringLiteral("Tavrello v1.80"));
    setWindowIcon(WebWidgets::programIcon());
    setMinimumSize(1, 1);

    m_dockHost = makeBox(QStringLiteral("clientArea"), Qt::white, this);
    setCentralWidget(m_dockHost);
    m_mdiArea = new QMdiArea(m_dockHost);
    m_mdiArea->setObjectName(QStringLiteral("mdiClient"));
    m_mdiArea->setBackground(Qt::white);
    m_mdiArea->setFrameShape(QFrame::NoFrame);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);

    buildMenus();
    buildBanner();
    buildTopArea();
    buildSectionColumn();
    buildBottomBar();
    buildFocusOrder();

    m_dockHost->installEventFilter(this);
    m_picTop1->installEventFilter(this);
    // The restored size, centred on the screen; the window opens maximised over it.
    resize(Twips::toPixels(9795), Twips::toPixels(7905) + menuBar()->sizeHint().height());
    WebWidgets::centreOnScreen(this);
    layoutDock();
    MDIForm_Load();
}

MDI::~MDI() = default;

void MDI::buildMenus()
{
    auto action = [this](QWidget *owner, const QString &name, const QString &caption, void (MDI::*handler)()) {
        auto *item = new QAction(caption, owner);
        item->setObjectName(name);
        connect(item, &QAction::triggered, this, handler);
        owner->addAction(item);
        return item;
    };
    auto separator = [](QMenu *menu, const QString &name) {
        QAction *item = menu->addSeparator();
        item->setObjectName(name);
        return item;
    };

    m_mnuFile = new QMenu(QStringLiteral("&File"), this);
    m_mnuFile->setObjectName(QStringLiteral("mnuFile"));
    action(m_mnuFile, QStringLiteral("mnuStart"), QStringLiteral("&Start Again"), &MDI::mnuStart_Click)->setVisible(false);
    separator(m_mnuFile, QStringLiteral("mnuSep1"))->setVisible(false);
    action(m_mnuFile, QStringLiteral("mnuExit"), QStringLiteral("E&xit"), &MDI::mnuExit_Click);

    m_mnuHelp = new QMenu(QStringLiteral("&Help"), this);
    m_mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    action(m_mnuHelp, QStringLiteral("mnuOnline"), QStringLiteral("&Online Help"), &MDI::mnuOnline_Click);
    action(m_mnuHelp, QStringLiteral("mnuVisit"), QStringLiteral("&Visit Us Online"), &MDI::mnuVisit_Click);
    separator(m_mnuHelp, QStringLiteral("mnuSep2"));
    action(m_mnuHelp, QStringLiteral("mnuUpdate"), QStringLiteral("Check for Software &Update"), &MDI::mnuUpdate_Click);
    separator(m_mnuHelp, QStringLiteral("mnuSep3"));
    action(m_mnuHelp, QStringLiteral("mnuAbout"), QStringLiteral("&About Software"), &MDI::mnuAbout_Click);

    QMenuBar *bar = menuBar();
    bar->addMenu(m_mnuFile);
    bar->addMenu(m_mnuHelp);
    action(bar, QStringLiteral("mnuDonate"), QStringLiteral("&Donate"), &MDI::mnuDonate_Click);
    action(bar, QStringLiteral("mnuMakeMoney"), QStringLiteral("Make Money &Online"), &MDI::mnuMakeMoney_Click)
        ->setVisible(false);
}

void MDI::buildBanner()
{
    m_picTopMain = makeBox(QStringLiteral("picTopMain"), Purple, m_dockHost);
    m_picTop = makeBox(QStringLiteral("picTop"), Lilac, m_dockHost);

    m_lblHeading = makeLabel(QStringLiteral("lblHeading"), QStringLiteral("Tavrello"),
                             WebWidgets::makeFont(QStringLiteral("Verdana"), 18, true), Qt::white, m_picTopMain);
    m_lblHeading->setAlignment(Qt::AlignCenter);
    Twips::attach(m_lblHeading, 0, 0, Twips::fromPixels(m_lblHeading->sizeHint().width()), 435);

    m_lblURL = new LinkLabel(QStringLiteral("lblURL"), ContentText(QStringLiteral("url-caption")), m_picTopMain);
    m_lblURL->setFont(WebWidgets::makeFont(QStringLiteral("Verdana"), 8.25, false, true));
    WebWidgets::setTextColour(m_lblURL, Qt::white);
    m_lblURL->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_lblURL->setWordWrap(true);
    Twips::attach(m_lblURL, 0, 400, 5520, wrappedHeight(m_lblURL, 5520));
    connect(m_lblURL, &LinkLabel::clicked, this, &MDI::lblURL_Click);

    m_cmdDonate = new QPushButton(QStringLiteral("&Donate"), m_picTop);
    m_cmdDonate->setObjectName(QStringLiteral("cmdDonate"));
    m_cmdDonate->setFont(WebWidgets::makeFont(QStringLiteral("Verdana"), 8.25, true));
    Twips::attach(m_cmdDonate, 0, 270, 1290, 375);
    connect(m_cmdDonate, &QPushButton::clicked, this, &MDI::cmdDonate_Click);

    m_cmdStart = new QPushButton(QStringLiteral("&Start Again"), m_picTop);
    m_cmdStart->setObjectName(QStringLiteral("cmdStart"));
    Twips::attach(m_cmdStart, 0, 690, 1290, 375);
    m_cmdStart->hide();
    connect(m_cmdStart, &QPushButton::clicked, this, &MDI::cmdStart_Click);
}

void MDI::buildTopArea()
{
    m_picTop1 = makeBox(QStringLiteral("picTop1"), QColor(), m_dockHost);
    m_picContainer = makeBox(QStringLiteral("picContainer"), Qt::white, m_picTop1);
    Twips::attach(m_picContainer, 0, 0, 11000, 3750);

    const QFont captionFont = WebWidgets::makeFont(QStringLiteral("Verdana"), 8.25, true);
    const QFont listFont = WebWidgets::makeFont(QStringLiteral("Verdana"), 9);
    auto caption = [&](int index, const QString &text, QWidget *panel, int top) {
        QLabel *label = makeLabel(QStringLiteral("lblCaption(%1)").arg(index), text, captionFont, Purple, panel);
        label->setWordWrap(true);
        Twips::attach(label, 0, top, 3720, 495);
        return label;
    };
    auto combo = [&](const QString &name, QWidget *panel, int width) {
        auto *box = new QComboBox(panel);
        box->setObjectName(name);
        box->setFont(listFont);
        box->setEditable(false);
        Twips::attach(box, 0, 600, width, Twips::fromPixels(box->sizeHint().height()));
        return box;
    };
    auto list = [&](const QString &name, QWidget *panel) {
        auto *box = new QListWidget(panel);
        box->setObjectName(name);
        box->setFont(listFont);
        Twips::attach(box, 0, 1680, 3725, 1920);
        return box;
    };
    const QString pickAsana = QStringLiteral("Select the asana from the following list to get its corresponding details");

    QWidget *byName = makeBox(QStringLiteral("Picture2"), QColor(), m_picContainer);
    Twips::attach(byName, 0, 1080, 3800, 1170);
    caption(0, pickAsana, byName, 0);
    m_cboAsanasByName = combo(QStringLiteral("cboAsanasByName"), byName, 3720);
    m_cboAsanasByName->setAccessibleName(QStringLiteral("Asanas by name"));

    QWidget *byBodyPart = makeBox(QStringLiteral("Picture3"), QColor(), m_picContainer);
    Twips::attach(byBodyPart, 0, 60, 3800, 3690);
    caption(3, QStringLiteral("Select the Body Part to get the corresponding asanas list"), byBodyPart, 0);
    m_cboAsanasByBodyPart = combo(QStringLiteral("cboAsanasByBodyPart"), byBodyPart, 3725);
    m_cboAsanasByBodyPart->setAccessibleName(QStringLiteral("Body parts"));
    caption(4, pickAsana, byBodyPart, 1080);
    m_lstAsanasByBodyPart = list(QStringLiteral("lstAsanasByBodyPart"), byBodyPart);
    m_lstAsanasByBodyPart->setAccessibleName(QStringLiteral("Asanas for the body part"));

    QWidget *byApplication = makeBox(QStringLiteral("Picture4"), QColor(), m_picContainer);
    Twips::attach(byApplication, 0, 60, 3800, 3690);
    caption(1, QStringLiteral("Select the Therapeutic Application to get the corresponding asanas"), byApplication, 0);
    m_cboAsanasByTherapeuticApplications = combo(QStringLiteral("cboAsanasByTherapeuticApplications"), byApplication, 3725);
    m_cboAsanasByTherapeuticApplications->setAccessibleName(QStringLiteral("Therapeutic applications"));
    caption(2, pickAsana, byApplication, 1080);
    m_lstAsanasByTherapeuticApplications = list(QStringLiteral("lstAsanasByTherapeuticApplications"), byApplication);
    m_lstAsanasByTherapeuticApplications->setAccessibleName(QStringLiteral("Asanas for the therapeutic application"));

    m_picYoga = new PictureBox(m_images, m_picContainer);
    Twips::attach(m_picYoga, 7275, 0, 3750, 3750);

    m_sectionPanels[1] = byName;
    m_sectionPanels[2] = byBodyPart;
    m_sectionPanels[3] = byApplication;
    for (QWidget *panel : {byName, byBodyPart, byApplication})
        panel->hide();

    // A choice by mouse, keyboard or code runs the handler; emptying a box chooses nothing.
    auto whenChosen = [this](auto *box, auto changed, void (MDI::*handler)()) {
        connect(box, changed, this, [this, handler](int entry) {
            if (entry >= 0)
                (this->*handler)();
        });
    };
    whenChosen(m_cboAsanasByName, &QComboBox::currentIndexChanged, &MDI::cboAsanasByName_Click);
    whenChosen(m_cboAsanasByBodyPart, &QComboBox::currentIndexChanged, &MDI::cboAsanasByBodyPart_Click);
    whenChosen(m_cboAsanasByTherapeuticApplications, &QComboBox::currentIndexChanged,
               &MDI::cboAsanasByTherapeuticApplications_Click);
    whenChosen(m_lstAsanasByBodyPart, &QListWidget::currentRowChanged, &MDI::lstAsanasByBodyPart_Click);
    whenChosen(m_lstAsanasByTherapeuticApplications, &QListWidget::currentRowChanged,
               &MDI::lstAsanasByTherapeuticApplications_Click);
}

void MDI::buildSectionColumn()
{
    m_picLeft = makeBox(QStringLiteral("picLeft"), QColor(), m_dockHost);
    using Handler = void (MDI::*)();
    static constexpr Handler sectionHandlers[] = {&MDI::Command1_Click, &MDI::Command2_Click, &MDI::Command3_Click,
                                                  &MDI::Command4_Click, &MDI::Command5_Click, &MDI::Command6_Click,
                                                  &MDI::Command7_Click};
    for (int k = 1; k <= 7; ++k) {
        const Section &section = sections()[size_t(k - 1)];
        QPushButton *button = makeColouredButton(QString::fromLatin1(section.button), QString::fromLatin1(section.caption),
                                                 SectionPink, m_picLeft);
        Twips::attach(button, 0, (k - 1) * SectionButtonHeight, DockSizes::LeftWidth, SectionButtonHeight);
        connect(button, &QPushButton::clicked, this, sectionHandlers[k - 1]);
        m_sectionButtons[size_t(k - 1)] = button;
        if (isAsanaSection(k))
            continue;

        QWidget *panel = makeBox(QString::fromLatin1(section.panel), QColor(), m_picLeft);
        Twips::attach(panel, section.panelLeft, 0, 4215, section.panelHeight);
        panel->hide();
        m_sectionPanels[size_t(k - 1)] = panel;
        int top = 0;
        for (const auto &[name, caption] : section.topics) {
            QPushButton *topic = makeColouredButton(QString::fromLatin1(name), QString::fromLatin1(caption), TopicBlue, panel);
            Twips::attach(topic, 240, top, 3500, TopicButtonHeight);
            top += TopicButtonHeight;
            connect(topic, &QPushButton::clicked, this, [this, topic] { showTopic(topic); });
        }
    }
    // Section buttons stay above the panels they push down.
    for (QPushButton *button : m_sectionButtons)
        button->raise();
}

void MDI::buildBottomBar()
{
    m_picBottom = makeBox(QStringLiteral("picBottom"), Lilac, m_dockHost);
    m_cmdExit = new QPushButton(QStringLiteral("E&xit"), m_picBottom);
    m_cmdExit->setObjectName(QStringLiteral("cmdExit"));
    Twips::attach(m_cmdExit, 0, 60, 1290, 375);
    connect(m_cmdExit, &QPushButton::clicked, this, &MDI::cmdExit_Click);

    auto promotion = [this](const QString &name, const QString &text) {
        auto *label = new LinkLabel(name, text, m_picBottom);
        label->setFont(WebWidgets::makeFont(QStringLiteral("Verdana"), 8.25, true, true));
        label->setWordWrap(true);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, Lilac);
        palette.setColor(QPalette::WindowText, Qt::blue);
        label->setPalette(palette);
        Twips::attach(label, 60, 0, 8985, 675);
        return label;
    };
    m_lblFullBrand = promotion(QStringLiteral("lblFullBrand"),
                               QStringLiteral("Home Business Opportunity. Start your own Internet business and make money "
                                              "online. Get this software fully branded for your website. Click here for "
                                              "more details."));
    m_lblCobrand = promotion(QStringLiteral("lblCobrand"), ContentText(QStringLiteral("cobrand")));
    m_lblCobrand->raise();
    connect(m_lblFullBrand, &LinkLabel::clicked, this, &MDI::lblFullBrand_Click);
    connect(m_lblCobrand, &LinkLabel::clicked, this, &MDI::lblCobrand_Click);
}

void MDI::buildFocusOrder()
{
    // Section buttons first, then the topic buttons panel by panel; Meditation and Pranayam
    // are walked bottom to top.
    QList<QWidget *> order(m_sectionButtons.begin(), m_sectionButtons.end());
    for (int k : {1, 5, 6, 7}) {
        QList<QPushButton *> topics = m_sectionPanels[size_t(k - 1)]->findChildren<QPushButton *>(
            QString(), Qt::FindDirectChildrenOnly);
        if (k == 5 || k == 6)
            std::reverse(topics.begin(), topics.end());
        order.append(QList<QWidget *>(topics.begin(), topics.end()));
    }
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// --- geometry ---------------------------------------------------------------------------------

int MDI::twipsLeft() const { return Twips::fromPixels(frameGeometry().x()); }
int MDI::twipsTop() const { return Twips::fromPixels(frameGeometry().y()); }

int MDI::twipsWidth() const
{
    const int pixels = frameGeometry().width();
    return Twips::toPixels(m_twips.width()) == pixels ? m_twips.width() : Twips::fromPixels(pixels);
}

int MDI::twipsHeight() const
{
    const int pixels = frameGeometry().height();
    return Twips::toPixels(m_twips.height()) == pixels ? m_twips.height() : Twips::fromPixels(pixels);
}

void MDI::setTwipsWidth(int width)
{
    if (width < 0)
        return;
    if (isMaximized() || isFullScreen())
        showNormal();
    const int frame = frameGeometry().width() - this->width();
    resize(qMax(1, Twips::toPixels(width) - frame), height());
    m_twips.setWidth(width);
}

void MDI::setTwipsHeight(int height)
{
    if (height < 0)
        return;
    if (isMaximized() || isFullScreen())
        showNormal();
    const int frame = frameGeometry().height() - this->height();
    resize(width(), qMax(1, Twips::toPixels(height) - frame));
    m_twips.setHeight(height);
}

void MDI::layoutDock()
{
    const QSize client(Twips::fromPixels(m_dockHost->width()), Twips::fromPixels(m_dockHost->height()));
    const DockRects rects = LayoutDock(client, m_picTop1->isVisibleTo(m_dockHost));
    Twips::attach(m_picTopMain, rects.topMain);
    Twips::attach(m_picTop, rects.top);
    Twips::attach(m_picTop1, rects.top1);
    Twips::attach(m_picLeft, rects.left);
    Twips::attach(m_picBottom, rects.bottom);
    m_mdiArea->setGeometry(Twips::toPixels(rects.free.x()), Twips::toPixels(rects.free.y()),
                           m_dockHost->width() - Twips::toPixels(rects.free.x()),
                           Twips::toPixels(rects.free.height()));
}

bool MDI::eventFilter(QObject *watched, QEvent *event)
{
    const bool dockChanged = (watched == m_dockHost && event->type() == QEvent::Resize)
        || (watched == m_picTop1 && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent));
    if (dockChanged)
        layoutDock();
    return QMainWindow::eventFilter(watched, event);
}

void MDI::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    MDIForm_Resize();
}

void MDI::MDIForm_Resize()
{
    const int screenWidth = platform::services().screenTwips().width();
    Twips::setLeft(m_lblHeading, (screenWidth - Twips::width(m_lblHeading)) / 2);
    Twips::setLeft(m_lblURL, (screenWidth - Twips::width(m_lblURL)) / 2);
    const int outerWidth = twipsWidth();
    for (QPushButton *button : {m_cmdExit, m_cmdStart, m_cmdDonate})
        Twips::setLeft(button, outerWidth - Twips::width(button) - 300);
}

// --- load, display window and closing ---------------------------------------------------------

void MDI::MDIForm_Load()
{
    using namespace modYogasana;
    const std::pair<QComboBox *, QStringList> lists[] = {{m_cboAsanasByName, AsanaNames()},
                                                         {m_cboAsanasByBodyPart, BodyParts()},
                                                         {m_cboAsanasByTherapeuticApplications, TherapeuticApplications()}};
    for (const auto &[box, entries] : lists) {
        // Filling selects nothing and shows nothing: the first choice is the user's.
        const QSignalBlocker quiet(box);
        for (const QString &entry : entries)
            box->addItem(entry);
        box->setCurrentIndex(-1);
    }
    Twips::setLeft(m_picContainer, 260);
    m_picTop1->hide();

    RichPage &intro = page();
    intro.SetBold(true);
    intro.SetColor(5);
    intro.SetAlignment(2);
    intro.SetFontSize(14);
    intro.AppendText(QStringLiteral("Introduction") + CrLf() + CrLf());
    intro.SetAlignment(0);
    intro.SetBold(false);
    intro.SetColor(0);
    intro.AppendText(ContentText(QStringLiteral("introduction")).split(u'\n').join(CrLf() + CrLf()));
}

DisplayWindow *MDI::frmDisp()
{
    if (!m_display) {
        m_display = new DisplayWindow([this] {
            return DockMetrics{platform::services().screenTwips(), Twips::width(m_picLeft), Twips::height(m_picTop),
                               Twips::height(m_picTop1)};
        });
        m_mdiArea->addSubWindow(m_display);
        m_display->move(0, 0);
        m_display->show();
    }
    return m_display;
}

RichPage &MDI::page()
{
    return frmDisp()->page();
}

void MDI::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    MDIForm_Unload(cancel);
    event->accept();
}

void MDI::MDIForm_Unload(bool &)
{
    ShowClosingScreen(&QuitApplication);
}

// --- commands ---------------------------------------------------------------------------------

void MDI::cmdExit_Click() { close(); }
void MDI::mnuExit_Click() { cmdExit_Click(); }
void MDI::cmdStart_Click() {}
void MDI::mnuStart_Click() { cmdStart_Click(); }
void MDI::cmdDonate_Click() { modHelp::OpenDonatePage(); }
void MDI::mnuDonate_Click() { modHelp::OpenDonatePage(); }
void MDI::mnuOnline_Click() { modHelp::OpenHelpPage(); }
void MDI::mnuVisit_Click() { modHelp::OpenHomePage(); }
void MDI::lblURL_Click() { modHelp::OpenHomePage(); }
void MDI::mnuUpdate_Click() { modHelp::OpenDownloadPage(); }
void MDI::mnuAbout_Click() { ShowAboutBox(this); }
void MDI::lblCobrand_Click() { modHelp::OpenCoBrandPage(); }
void MDI::lblFullBrand_Click() { modHelp::OpenFullyBrandedPage(); }
void MDI::mnuMakeMoney_Click() { modHelp::OpenFullyBrandedPage(); }

// --- choosing an asana ------------------------------------------------------------------------

void MDI::showAsana(const QString &text)
{
    modYogasana::ShowAsanaPage(TrimSpaces(text), page(), *m_picYoga);
}

void MDI::fillList(QListWidget *list, const QStringList &names)
{
    list->clear();
    list->addItems(names);
    list->setCurrentRow(0);
}

void MDI::cboAsanasByName_Click() { showAsana(m_cboAsanasByName->currentText()); }

void MDI::cboAsanasByBodyPart_Click()
{
    fillList(m_lstAsanasByBodyPart, modYogasana::ListAsanasByBodyPart(m_cboAsanasByBodyPart->currentText()));
}

void MDI::cboAsanasByTherapeuticApplications_Click()
{
    fillList(m_lstAsanasByTherapeuticApplications,
             modYogasana::ListAsanasByTherapeuticApplication(m_cboAsanasByTherapeuticApplications->currentText()));
}

void MDI::lstAsanasByBodyPart_Click()
{
    if (const QListWidgetItem *item = m_lstAsanasByBodyPart->currentItem())
        showAsana(item->text());
}

void MDI::lstAsanasByTherapeuticApplications_Click()
{
    if (const QListWidgetItem *item = m_lstAsanasByTherapeuticApplications->currentItem())
        showAsana(item->text());
}

// --- sections and topics ----------------------------------------------------------------------

void MDI::sectionClick(int k)
{
    const bool asanaSection = isAsanaSection(k);
    m_picTop1->setVisible(asanaSection);

    const int free = twipsHeight() - Twips::height(m_picTopMain) - Twips::height(m_picTop)
        - (asanaSection ? Twips::height(m_picTop1) : 0) - 2000;
    DisplayWindow *display = frmDisp();
    display->setTwipsHeight(free);  // a negative height is refused and the old one stays
    Twips::setWidth(display->RTB(), display->twipsWidth());
    Twips::setHeight(display->RTB(), display->twipsHeight());

    for (int j = 1; j <= 7; ++j)
        if (j != k)
            m_sectionOpen[size_t(j - 1)] = false;

    auto collapse = [this] {
        for (int j = 1; j <= 7; ++j) {
            Twips::setLeft(m_sectionButtons[size_t(j - 1)], 0);
            Twips::setTop(m_sectionButtons[size_t(j - 1)], (j - 1) * SectionButtonHeight);
        }
    };
    auto showOnly = [this](int shown) {
        for (int j = 1; j <= 7; ++j)
            m_sectionPanels[size_t(j - 1)]->setVisible(j == shown);
    };
    bool &open = m_sectionOpen[size_t(k - 1)];
    if (open) {
        open = false;
        showOnly(asanaSection ? k : 0);
        collapse();
    } else {
        collapse();
        open = true;
        showOnly(k);
        // Stack what lies below button k from the live position of the element above it.
        QWidget *above = m_sectionButtons[size_t(k - 1)];
        if (!asanaSection) {
            QWidget *panel = m_sectionPanels[size_t(k - 1)];
            Twips::setTop(panel, Twips::top(above) + Twips::height(above));
            above = panel;
        }
        for (int j = k + 1; j <= 7; ++j) {
            QWidget *button = m_sectionButtons[size_t(j - 1)];
            Twips::setTop(button, Twips::top(above) + Twips::height(above));
            above = button;
        }
    }

    switch (k) {
    case 1: Command11_Click(); break;
    case 5: Command51_Click(); break;
    case 6: Command61_Click(); break;
    case 7: Command71_Click(); break;
    default: {
        QComboBox *box = k == 2 ? m_cboAsanasByName : k == 3 ? m_cboAsanasByBodyPart : m_cboAsanasByTherapeuticApplications;
        box->setCurrentIndex(0);
        if (k == 2)
            cboAsanasByName_Click();
        else if (k == 3)
            cboAsanasByBodyPart_Click();
        else
            cboAsanasByTherapeuticApplications_Click();
    }
    }
}

void MDI::Command1_Click() { sectionClick(1); }
void MDI::Command2_Click() { sectionClick(2); }
void MDI::Command3_Click() { sectionClick(3); }
void MDI::Command4_Click() { sectionClick(4); }
void MDI::Command5_Click() { sectionClick(5); }
void MDI::Command6_Click() { sectionClick(6); }
void MDI::Command7_Click() { sectionClick(7); }

void MDI::showTopic(const QPushButton *button)
{
    BuildTopicPage(page(), button->text(), TopicPageFor(button->objectName()));
}

#define TOPIC_HANDLER(name) \
    void MDI::name##_Click() { showTopic(findChild<QPushButton *>(QStringLiteral(#name))); }
TOPIC_HANDLER(Command11)
TOPIC_HANDLER(Command12)
TOPIC_HANDLER(Command13)
TOPIC_HANDLER(Command14)
TOPIC_HANDLER(Command15)
TOPIC_HANDLER(Command16)
TOPIC_HANDLER(Command51)
TOPIC_HANDLER(Command52)
TOPIC_HANDLER(Command53)
TOPIC_HANDLER(Command54)
TOPIC_HANDLER(Command55)
TOPIC_HANDLER(Command61)
TOPIC_HANDLER(Command62)
TOPIC_HANDLER(Command63)
TOPIC_HANDLER(Command64)
TOPIC_HANDLER(Command65)
TOPIC_HANDLER(Command66)
TOPIC_HANDLER(Command71)
TOPIC_HANDLER(Command72)
TOPIC_HANDLER(Command73)
TOPIC_HANDLER(Command74)
#undef TOPIC_HANDLER

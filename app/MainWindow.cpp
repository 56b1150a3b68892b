#include "app/MainWindow.h"

#include "app/Application.h"
#include "app/AsanaFinder.h"
#include "app/DockLayout.h"
#include "app/Palette.h"
#include "app/SectionColumn.h"
#include "content/ContentModel.h"
#include "content/ImageList.h"
#include "pages/DisplayWindow.h"
#include "pages/IntroductionPage.h"
#include "pages/TopicPage.h"
#include "platform/AppInfo.h"
#include "platform/Controls.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "web/AboutBox.h"
#include "web/ClosingScreen.h"
#include "web/modHelp.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>

using Controls::makeFont;

MDI::MDI(QWidget *parent) : QMainWindow(parent), m_images(new ImageList(this))
{
    setObjectName(QStringLiteral("MDI"));
    setWindowTitle(AppInfo::VersionCaption());
    setWindowIcon(Controls::programIcon());
    setMinimumSize(1, 1);

    m_dockHost = Controls::box(QStringLiteral("clientArea"), Qt::white, this);
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

    m_dockHost->installEventFilter(this);
    m_picTop1->installEventFilter(this);
    // The restored size, centred on the screen; the window opens maximised over it.
    resize(Twips::toPixels(9795), Twips::toPixels(7905) + menuBar()->sizeHint().height());
    Controls::centreOnScreen(this);
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
    action(m_mnuFile, QStringLiteral("mnuStart"), QStringLiteral("&Start Again"), &MDI::mnuStart_Click)
        ->setVisible(false);
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
    m_picTopMain = Controls::box(QStringLiteral("picTopMain"), Palette::Purple, m_dockHost);
    m_picTop = Controls::box(QStringLiteral("picTop"), Palette::Lilac, m_dockHost);

    m_lblHeading = Controls::label(QStringLiteral("lblHeading"), AppInfo::Title(),
                                   makeFont(QStringLiteral("Verdana"), 18, true), Qt::white, m_picTopMain, {}, false);
    m_lblHeading->setAlignment(Qt::AlignCenter);
    Twips::setWidth(m_lblHeading, Twips::fromPixels(m_lblHeading->sizeHint().width()));
    Twips::setHeight(m_lblHeading, 435);

    m_lblURL = new LinkLabel(QStringLiteral("lblURL"), Content().text(QStringLiteral("url-caption")), m_picTopMain);
    m_lblURL->setFont(makeFont(QStringLiteral("Verdana"), 8.25, false, true));
    Controls::setTextColour(m_lblURL, Qt::white);
    m_lblURL->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_lblURL->setWordWrap(true);
    // As tall as the caption needs at its width.
    Twips::attach(m_lblURL, 0, 400, 5520, Twips::fromPixels(m_lblURL->heightForWidth(Twips::toPixels(5520))));
    connect(m_lblURL, &LinkLabel::clicked, this, &MDI::lblURL_Click);

    m_cmdDonate = new QPushButton(QStringLiteral("&Donate"), m_picTop);
    m_cmdDonate->setObjectName(QStringLiteral("cmdDonate"));
    m_cmdDonate->setFont(makeFont(QStringLiteral("Verdana"), 8.25, true));
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
    m_picTop1 = Controls::box(QStringLiteral("picTop1"), QColor(), m_dockHost);
    m_finder = new AsanaFinder(
        m_images, [this]() -> RichPage & { return page(); }, m_picTop1);
}

void MDI::buildSectionColumn()
{
    m_column = new SectionColumn(m_dockHost);
    for (int k = 2; k <= 4; ++k)
        m_column->setAsanaPanel(k, m_finder->panel(k));
    using Handler = void (MDI::*)();
    static constexpr Handler sectionHandlers[SectionCount] = {
        &MDI::Command1_Click, &MDI::Command2_Click, &MDI::Command3_Click, &MDI::Command4_Click,
        &MDI::Command5_Click, &MDI::Command6_Click, &MDI::Command7_Click};
    connect(m_column, &SectionColumn::sectionClicked, this, [this](int k) { (this->*sectionHandlers[k - 1])(); });
    connect(m_column, &SectionColumn::topicClicked, this, &MDI::showTopic);
}

void MDI::buildBottomBar()
{
    m_picBottom = Controls::box(QStringLiteral("picBottom"), Palette::Lilac, m_dockHost);
    m_cmdExit = new QPushButton(QStringLiteral("E&xit"), m_picBottom);
    m_cmdExit->setObjectName(QStringLiteral("cmdExit"));
    Twips::attach(m_cmdExit, 0, 60, 1290, 375);
    connect(m_cmdExit, &QPushButton::clicked, this, &MDI::cmdExit_Click);

    auto promotion = [this](const QString &name, const QString &text) {
        LinkLabel *label = Controls::link(name, text, makeFont(QStringLiteral("Verdana"), 8.25, true, true), Qt::blue,
                                          m_picBottom, {60, 0, 8985, 675});
        label->setWordWrap(true);
        Controls::setBackground(label, Palette::Lilac);
        return label;
    };
    m_lblFullBrand =
        promotion(QStringLiteral("lblFullBrand"),
                  QStringLiteral("Home Business Opportunity. Start your own Internet business and make money "
                                 "online. Get this software fully branded for your website. Click here for "
                                 "more details."));
    m_lblCobrand = promotion(QStringLiteral("lblCobrand"), Content().text(QStringLiteral("cobrand")));
    m_lblCobrand->raise();
    connect(m_lblFullBrand, &LinkLabel::clicked, this, &MDI::lblFullBrand_Click);
    connect(m_lblCobrand, &LinkLabel::clicked, this, &MDI::lblCobrand_Click);
}

// --- geometry ---------------------------------------------------------------------------------

int MDI::twipsLeft() const { return Twips::fromPixels(frameGeometry().x()); }
int MDI::twipsTop() const { return Twips::fromPixels(frameGeometry().y()); }

// The twips last given, while the window still has their pixel size; what it has otherwise.
static int keptOrMeasured(int kept, int pixels)
{
    return Twips::toPixels(kept) == pixels ? kept : Twips::fromPixels(pixels);
}

int MDI::twipsWidth() const { return keptOrMeasured(m_twips.width(), frameGeometry().width()); }
int MDI::twipsHeight() const { return keptOrMeasured(m_twips.height(), frameGeometry().height()); }
void MDI::setTwipsWidth(int width) { resizeOuter(width, Qt::Horizontal); }
void MDI::setTwipsHeight(int height) { resizeOuter(height, Qt::Vertical); }

// The outer size includes the frame the window system adds; a negative size is refused.
void MDI::resizeOuter(int twips, Qt::Orientation direction)
{
    if (twips < 0)
        return;
    if (isMaximized() || isFullScreen())
        showNormal();
    const QSize frame = frameGeometry().size() - size();
    const int pixels = Twips::toPixels(twips);
    if (direction == Qt::Horizontal) {
        resize(qMax(1, pixels - frame.width()), height());
        m_twips.setWidth(twips);
    } else {
        resize(width(), qMax(1, pixels - frame.height()));
        m_twips.setHeight(twips);
    }
}

void MDI::layoutDock()
{
    const QSize client(Twips::fromPixels(m_dockHost->width()), Twips::fromPixels(m_dockHost->height()));
    const DockRects rects = LayoutDock(client, m_picTop1->isVisibleTo(m_dockHost));
    Twips::attach(m_picTopMain, rects.topMain);
    Twips::attach(m_picTop, rects.top);
    Twips::attach(m_picTop1, rects.top1);
    Twips::attach(m_column, rects.left);
    Twips::attach(m_picBottom, rects.bottom);
    m_mdiArea->setGeometry(Twips::toPixels(rects.free.x()), Twips::toPixels(rects.free.y()),
                           m_dockHost->width() - Twips::toPixels(rects.free.x()), Twips::toPixels(rects.free.height()));
}

bool MDI::eventFilter(QObject *watched, QEvent *event)
{
    const bool dockChanged =
        (watched == m_dockHost && event->type() == QEvent::Resize) ||
        (watched == m_picTop1 && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent));
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
    m_finder->fillLists();
    Twips::setLeft(m_finder, 260);
    m_picTop1->hide();
    BuildIntroductionPage(page());
}

DisplayWindow *MDI::frmDisp()
{
    if (!m_display) {
        m_display = new DisplayWindow([this] {
            return DockMetrics{platform::services().screenTwips(), Twips::width(m_column), Twips::height(m_picTop),
                               Twips::height(m_picTop1)};
        });
        m_mdiArea->addSubWindow(m_display);
        m_display->move(0, 0);
        m_display->show();
    }
    return m_display;
}

RichPage &MDI::page() { return frmDisp()->page(); }

bool MDI::SectionOpen(int section) const { return m_column->SectionOpen(section); }

void MDI::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    MDIForm_Unload(cancel);
    event->accept();
}

void MDI::MDIForm_Unload(bool &) { ShowClosingScreen(&QuitApplication); }

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

void MDI::cboAsanasByName_Click() { m_finder->cboAsanasByName_Click(); }
void MDI::cboAsanasByBodyPart_Click() { m_finder->cboAsanasByBodyPart_Click(); }
void MDI::cboAsanasByTherapeuticApplications_Click() { m_finder->cboAsanasByTherapeuticApplications_Click(); }
void MDI::lstAsanasByBodyPart_Click() { m_finder->lstAsanasByBodyPart_Click(); }
void MDI::lstAsanasByTherapeuticApplications_Click() { m_finder->lstAsanasByTherapeuticApplications_Click(); }

// --- sections and topics ----------------------------------------------------------------------

void MDI::sectionClick(int k)
{
    const bool asanaSection = IsAsanaSection(k);
    m_picTop1->setVisible(asanaSection);
    frmDisp()->FitToSection(
        {twipsHeight(), Twips::height(m_picTopMain), Twips::height(m_picTop), Twips::height(m_picTop1), asanaSection});
    m_column->toggle(k);
    if (asanaSection)
        m_finder->chooseFirst(k);
    else
        showTopic(Content().sections().at(k - 1).topics.first().button);
}

void MDI::Command1_Click() { sectionClick(1); }
void MDI::Command2_Click() { sectionClick(2); }
void MDI::Command3_Click() { sectionClick(3); }
void MDI::Command4_Click() { sectionClick(4); }
void MDI::Command5_Click() { sectionClick(5); }
void MDI::Command6_Click() { sectionClick(6); }
void MDI::Command7_Click() { sectionClick(7); }

void MDI::showTopic(const QString &button)
{
    BuildTopicPage(page(), m_column->topicCaption(button), Content().topic(button));
}

void MDI::Command11_Click() { showTopic(QStringLiteral("Command11")); }
void MDI::Command12_Click() { showTopic(QStringLiteral("Command12")); }
void MDI::Command13_Click() { showTopic(QStringLiteral("Command13")); }
void MDI::Command14_Click() { showTopic(QStringLiteral("Command14")); }
void MDI::Command15_Click() { showTopic(QStringLiteral("Command15")); }
void MDI::Command16_Click() { showTopic(QStringLiteral("Command16")); }
void MDI::Command51_Click() { showTopic(QStringLiteral("Command51")); }
void MDI::Command52_Click() { showTopic(QStringLiteral("Command52")); }
void MDI::Command53_Click() { showTopic(QStringLiteral("Command53")); }
void MDI::Command54_Click() { showTopic(QStringLiteral("Command54")); }
void MDI::Command55_Click() { showTopic(QStringLiteral("Command55")); }
void MDI::Command61_Click() { showTopic(QStringLiteral("Command61")); }
void MDI::Command62_Click() { showTopic(QStringLiteral("Command62")); }
void MDI::Command63_Click() { showTopic(QStringLiteral("Command63")); }
void MDI::Command64_Click() { showTopic(QStringLiteral("Command64")); }
void MDI::Command65_Click() { showTopic(QStringLiteral("Command65")); }
void MDI::Command66_Click() { showTopic(QStringLiteral("Command66")); }
void MDI::Command71_Click() { showTopic(QStringLiteral("Command71")); }
void MDI::Command72_Click() { showTopic(QStringLiteral("Command72")); }
void MDI::Command73_Click() { showTopic(QStringLiteral("Command73")); }
void MDI::Command74_Click() { showTopic(QStringLiteral("Command74")); }

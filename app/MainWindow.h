#pragma once

#include <QMainWindow>

class AsanaFinder;
class DisplayWindow;
class ImageList;
class LinkLabel;
class QLabel;
class QMdiArea;
class QMenu;
class QPushButton;
class RichPage;
class SectionColumn;

// MDI: the main window, wiring its regions, the section column and the asana finder together.
// Its handlers are thin: each calls one operation of its widgets, of pages/ or of web/. Geometry
// is read and written in twips through the controls' Left/Top/Width/Height.
class MDI final : public QMainWindow {
    Q_OBJECT
    Q_PROPERTY(int Left READ twipsLeft)
    Q_PROPERTY(int Top READ twipsTop)
    Q_PROPERTY(int Width READ twipsWidth WRITE setTwipsWidth)
    Q_PROPERTY(int Height READ twipsHeight WRITE setTwipsHeight)
public:
    explicit MDI(QWidget *parent = nullptr);
    ~MDI() override;

    // Outer (frame) geometry in twips.
    int twipsLeft() const;
    int twipsTop() const;
    int twipsWidth() const;
    int twipsHeight() const;
    void setTwipsWidth(int width);
    void setTwipsHeight(int height);

    // The display window, created, sized and shown on first use.
    DisplayWindow *frmDisp();
    RichPage &page();
    const ImageList *IMG() const { return m_images; }
    bool SectionOpen(int section) const;

    void MDIForm_Load();
    void MDIForm_Unload(bool &cancel);
    void MDIForm_Resize();

    void cmdExit_Click();
    void mnuExit_Click();
    void cmdStart_Click();
    void mnuStart_Click();
    void cmdDonate_Click();
    void mnuDonate_Click();
    void mnuOnline_Click();
    void mnuVisit_Click();
    void lblURL_Click();
    void mnuUpdate_Click();
    void mnuAbout_Click();
    void lblCobrand_Click();
    void lblFullBrand_Click();
    void mnuMakeMoney_Click();

    void cboAsanasByName_Click();
    void cboAsanasByBodyPart_Click();
    void cboAsanasByTherapeuticApplications_Click();
    void lstAsanasByBodyPart_Click();
    void lstAsanasByTherapeuticApplications_Click();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();

    void Command11_Click();
    void Command12_Click();
    void Command13_Click();
    void Command14_Click();
    void Command15_Click();
    void Command16_Click();
    void Command51_Click();
    void Command52_Click();
    void Command53_Click();
    void Command54_Click();
    void Command55_Click();
    void Command61_Click();
    void Command62_Click();
    void Command63_Click();
    void Command64_Click();
    void Command65_Click();
    void Command66_Click();
    void Command71_Click();
    void Command72_Click();
    void Command73_Click();
    void Command74_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildBanner();
    void buildTopArea();
    void buildSectionColumn();
    void buildBottomBar();
    void layoutDock();
    void resizeOuter(int twips, Qt::Orientation direction);
    void showTopic(const QString &button);
    void sectionClick(int section);

    ImageList *m_images;
    DisplayWindow *m_display = nullptr;
    QRect m_twips; // last outer geometry given in twips, kept exact while it still fits the pixels

    QWidget *m_dockHost = nullptr;
    QMdiArea *m_mdiArea = nullptr;
    QWidget *m_picTopMain = nullptr, *m_picTop = nullptr, *m_picTop1 = nullptr, *m_picBottom = nullptr;
    QLabel *m_lblHeading = nullptr;
    LinkLabel *m_lblURL = nullptr, *m_lblCobrand = nullptr, *m_lblFullBrand = nullptr;
    QPushButton *m_cmdDonate = nullptr, *m_cmdStart = nullptr, *m_cmdExit = nullptr;
    AsanaFinder *m_finder = nullptr;
    SectionColumn *m_column = nullptr;
    QMenu *m_mnuFile = nullptr, *m_mnuHelp = nullptr;
};

#pragma once

#include "pages/RichPage.h"

#include <QMdiSubWindow>
#include <QSize>
#include <QTextEdit>
#include <functional>

// What the display window's sizing reads of the main window, in twips.
struct DockMetrics {
    QSize screen;
    int leftWidth = 0;  // picLeft
    int topHeight = 0;  // picTop
    int top1Height = 0; // picTop1, counted even while hidden
};

// The sizes the sizing rule gives; a negative height is refused by the box.
struct DisplayFit {
    int windowWidth = 0;
    int boxWidth = 0;
    int boxHeight = 0;
};

DisplayFit FitDisplayWindowRule(const DockMetrics &metrics);

// What a section click reads of the main window to size the display window, in twips.
struct SectionMetrics {
    int mainHeight = 0;    // MDI, outer
    int topMainHeight = 0; // picTopMain
    int topHeight = 0;     // picTop
    int top1Height = 0;    // picTop1, counted only while shown
    bool top1Shown = false;
};

// The display window's height after a section click; negative when the window is too small.
int SectionHeightRule(const SectionMetrics &metrics);

// The page box RTB. It empties the clipboard of what we put there whenever its text changes or
// the pointer moves, presses or clicks over it, so copied page text does not linger.
class PageBox final : public QTextEdit {
    Q_OBJECT
public:
    explicit PageBox(QWidget *parent);

    void RTB_Change();
    void RTB_Click();
    void RTB_MouseDown();
    void RTB_MouseMove();
    void RTB_MouseUp();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// frmDisp: the borderless child window of the main window that shows one page at a time.
class DisplayWindow final : public QMdiSubWindow {
    Q_OBJECT
    Q_PROPERTY(int Left READ twipsLeft)
    Q_PROPERTY(int Top READ twipsTop)
    Q_PROPERTY(int Width READ twipsWidth WRITE setTwipsWidth)
    Q_PROPERTY(int Height READ twipsHeight WRITE setTwipsHeight)
public:
    static constexpr int DesignedWidth = 7905;
    static constexpr int DesignedHeight = 4830;

    DisplayWindow(std::function<DockMetrics()> metrics, QWidget *parent = nullptr);

    int twipsLeft() const { return 0; }
    int twipsTop() const { return 0; }
    int twipsWidth() const { return m_width; }
    int twipsHeight() const { return m_height; }
    void setTwipsWidth(int width);
    void setTwipsHeight(int height);

    PageBox *RTB() const { return m_box; }
    RichPage &page() { return m_page; }

    void Form_Load();
    void Form_Resize();
    void FitDisplayWindow();
    // Fits the height to the free area below the top regions, and the page box to the window.
    void FitToSection(const SectionMetrics &metrics);

private:
    void resizeTwips(int width, int height);
    void applySize();

    std::function<DockMetrics()> m_metrics;
    QWidget *m_surface;
    PageBox *m_box;
    RichPage m_page;
    int m_width = DesignedWidth;
    int m_height = DesignedHeight;
};

#include "app/SectionColumn.h"

#include <QtTest>

// The accordion as a plain function, held to the column positions a user sees.
class tst_sections : public QObject {
    Q_OBJECT

    static constexpr std::array<int, SectionCount> ButtonHeights{375, 375, 375, 375, 375, 375, 375};
    static constexpr std::array<int, SectionCount + 1> PanelHeights{0, 2300, 0, 0, 0, 1900, 2300, 1550};

    using Tops = QList<int>;
    static Tops topsOf(const SectionStack &stack) { return Tops(stack.buttonTop.begin(), stack.buttonTop.end()); }

private Q_SLOTS:
    void opensFromAClosedColumn_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<Tops>("buttonTops");
        QTest::addColumn<int>("panelTop"); // -1: the panel does not lie in the column
        const Tops collapsed{0, 375, 750, 1125, 1500, 1875, 2250};
        QTest::newRow("Information on Yoga") << 1 << Tops{0, 2675, 3050, 3425, 3800, 4175, 4550} << 375;
        QTest::newRow("by name") << 2 << collapsed << -1;
        QTest::newRow("by body part") << 3 << collapsed << -1;
        QTest::newRow("by application") << 4 << collapsed << -1;
        QTest::newRow("Meditation") << 5 << Tops{0, 375, 750, 1125, 1500, 3775, 4150} << 1875;
        QTest::newRow("Pranayam") << 6 << Tops{0, 375, 750, 1125, 1500, 1875, 4550} << 2250;
        QTest::newRow("Surya Namaskar") << 7 << collapsed << 2625;
    }
    void opensFromAClosedColumn()
    {
        QFETCH(int, section);
        QFETCH(Tops, buttonTops);
        QFETCH(int, panelTop);
        const SectionStack stack = StackSections({}, section, ButtonHeights, PanelHeights[size_t(section)]);
        QCOMPARE(topsOf(stack), buttonTops);
        QCOMPARE(stack.shownPanel, section);
        for (int k = 1; k <= SectionCount; ++k)
            QCOMPARE(stack.open[size_t(k - 1)], k == section);
        if (panelTop >= 0)
            QCOMPARE(stack.panelTop, panelTop);
    }

    // A second click closes: the column collapses, and only an asana section keeps its panel.
    void secondClickCloses_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("shownPanel");
        QTest::newRow("topic section") << 1 << 0;
        QTest::newRow("asana section") << 3 << 3;
        QTest::newRow("last topic section") << 7 << 0;
    }
    void secondClickCloses()
    {
        QFETCH(int, section);
        QFETCH(int, shownPanel);
        std::array<bool, SectionCount> open{};
        open[size_t(section - 1)] = true;
        const SectionStack stack = StackSections(open, section, ButtonHeights, PanelHeights[size_t(section)]);
        QCOMPARE(topsOf(stack), (Tops{0, 375, 750, 1125, 1500, 1875, 2250}));
        QCOMPARE(stack.shownPanel, shownPanel);
        QVERIFY(std::none_of(stack.open.begin(), stack.open.end(), [](bool flag) { return flag; }));
    }

    // Opening another section clears every other flag, whatever was open.
    void anotherSectionTakesOver()
    {
        std::array<bool, SectionCount> open{};
        open[4] = true; // Meditation
        const SectionStack stack = StackSections(open, 6, ButtonHeights, PanelHeights[6]);
        QCOMPARE(topsOf(stack), (Tops{0, 375, 750, 1125, 1500, 1875, 4550}));
        QCOMPARE(stack.panelTop, 2250);
        QVERIFY(!stack.open[4] && stack.open[5]);
    }

    // Below the open element every position follows the live heights, not the designed ones.
    void stacksFromLiveHeights()
    {
        std::array<int, SectionCount> heights = ButtonHeights;
        heights[0] = 500;
        heights[1] = 600;
        const SectionStack stack = StackSections({}, 1, heights, 1000);
        QCOMPARE(stack.panelTop, 500);
        QCOMPARE(topsOf(stack), (Tops{0, 1500, 2100, 2475, 2850, 3225, 3600}));
    }
};

QTEST_APPLESS_MAIN(tst_sections)
#include "tst_sections.moc"

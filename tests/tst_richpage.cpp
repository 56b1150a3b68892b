#include "FakeServices.h"
#include "PageReader.h"
#include "pages/DisplayWindow.h"
#include "pages/RichPage.h"

#include <QtTest>

// The page model: what each attribute setting does to what is appended after it.
class tst_richpage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void palette_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("0 black") << 0 << QColor(0, 0, 0);
        QTest::newRow("2 green") << 2 << QColor(0, 128, 0);
        QTest::newRow("5 magenta") << 5 << QColor(128, 0, 128);
        QTest::newRow("7 light grey") << 7 << QColor(192, 192, 192);
        QTest::newRow("9 light blue") << 9 << QColor(0, 0, 255);
        QTest::newRow("14 light yellow") << 14 << QColor(255, 255, 0);
        QTest::newRow("15 bright white") << 15 << QColor(255, 255, 255);
    }
    void palette()
    {
        QFETCH(int, number);
        QFETCH(QColor, colour);
        QCOMPARE(QBColor(number), colour);
    }

    void attributesPersistAcrossAppends()
    {
        QTextEdit box;
        RichPage page(&box);
        page.SetBold(true);
        page.SetColor(5);
        page.SetFontSize(14);
        page.AppendText(QStringLiteral("one"));
        page.AppendText(QStringLiteral("two"));
        page.SetBold(false);
        page.SetUnderline(true);
        page.AppendText(QStringLiteral("three"));

        const QList<Run> runs = runsOf(box.document());
        const Run *first = runContaining(runs, QStringLiteral("onetwo"));
        QVERIFY(first);
        QVERIFY(first->bold);
        QCOMPARE(first->colour, QColor(128, 0, 128));
        QCOMPARE(first->size, 14.0);
        const Run *third = runContaining(runs, QStringLiteral("three"));
        QVERIFY(third);
        QVERIFY(!third->bold);
        QVERIFY(third->underline);
        QCOMPARE(third->colour, QColor(128, 0, 128)); // colour kept
        QCOMPARE(third->size, 14.0);                  // size kept
        QVERIFY(!third->italic);
    }

    // A centred title with two line breaks, then left alignment: title and blank line stay centred.
    void alignmentFollowsTheCaretParagraph()
    {
        QTextEdit box;
        RichPage page(&box);
        page.SetAlignment(2);
        page.AppendText(QStringLiteral("Title\r\n\r\n"));
        page.SetAlignment(0);
        page.AppendText(QStringLiteral("Body one\r\nBody two"));

        QCOMPARE(pageText(box.document()), QStringLiteral("Title\r\n\r\nBody one\r\nBody two"));
        const QList<Qt::Alignment> alignments = alignmentsOf(box.document());
        QCOMPARE(alignments.size(), 4);
        QCOMPARE(alignments[0], Qt::AlignHCenter);
        QCOMPARE(alignments[1], Qt::AlignHCenter);
        QCOMPARE(alignments[2], Qt::AlignLeft);
        QCOMPARE(alignments[3], Qt::AlignLeft);
    }

    void newParagraphInheritsAlignmentAndSettingChangesTextAlreadyThere()
    {
        QTextEdit box;
        RichPage page(&box);
        page.AppendText(QStringLiteral("first "));
        page.SetAlignment(1); // the caret's paragraph, with its text
        page.AppendText(QStringLiteral("still first\r\nsecond"));
        const QList<Qt::Alignment> alignments = alignmentsOf(box.document());
        QCOMPARE(alignments, (QList<Qt::Alignment>{Qt::AlignRight, Qt::AlignRight}));
    }

    void onlyCrLfEndsAParagraph()
    {
        QTextEdit box;
        RichPage page(&box);
        page.AppendText(QStringLiteral("a\r\nb\r\n\r\nc"));
        QCOMPARE(box.document()->blockCount(), 4);
    }

    void clearPageEmptiesAndRebuildsIdentically()
    {
        QTextEdit box;
        RichPage page(&box);
        auto build = [&page] {
            page.ClearPage();
            page.SetFontSize(14);
            page.AppendText(QStringLiteral("Same page"));
        };
        build();
        const QString once = box.toHtml();
        build();
        QCOMPARE(box.toHtml(), once);
        QCOMPARE(box.toPlainText(), QStringLiteral("Same page"));
    }

    void viewStaysAtTheTopWhileTextIsAppended()
    {
        QTextEdit box;
        RichPage page(&box);
        page.ClearPage();
        page.AppendText(QStringLiteral("line\r\n").repeated(50));
        QCOMPARE(box.textCursor().position(), 0);
    }

    void fitRule_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("boxHeight");
        QTest::newRow("1024x768") << QSize(15360, 11520) << 11360 << 4765;
        QTest::newRow("1920x1080") << QSize(28800, 16200) << 24800 << 16200 - 900 - 3855 - 2000;
        QTest::newRow("tiny screen") << QSize(4500, 6000) << 500 << -755;
    }
    void fitRule()
    {
        QFETCH(QSize, screen);
        QFETCH(int, width);
        QFETCH(int, boxHeight);
        const DisplayFit fit = FitDisplayWindowRule({screen, 4000, 900, 3855});
        QCOMPARE(fit.windowWidth, width);
        QCOMPARE(fit.boxWidth, width);
        QCOMPARE(fit.boxHeight, boxHeight);
    }

    // The display window re-imposes its width on every size change; a height it is given stays.
    void displayWindowKeepsItsWidth()
    {
        FakeServices fake;
        DisplayWindow display([&fake] { return DockMetrics{fake.screen, 4000, 900, 3855}; });
        QCOMPARE(display.property("Width").toInt(), 11360);
        QCOMPARE(display.property("Height").toInt(), 4830);
        QCOMPARE(display.RTB()->property("Width").toInt(), 11360);
        QCOMPARE(display.RTB()->property("Height").toInt(), 4765);

        display.setProperty("Width", 10000);
        QCOMPARE(display.property("Width").toInt(), 11360);
        display.setProperty("Height", 6000);
        QCOMPARE(display.property("Height").toInt(), 6000);
        QCOMPARE(display.RTB()->property("Height").toInt(), 4765);

        display.setProperty("Height", -10); // refused
        QCOMPARE(display.property("Height").toInt(), 6000);
    }

    void tinyScreenLeavesTheBoxHeight()
    {
        FakeServices fake;
        fake.screen = QSize(4500, 6000);
        DisplayWindow display([&fake] { return DockMetrics{fake.screen, 4000, 900, 3855}; });
        QCOMPARE(display.RTB()->property("Height").toInt(), 3180); // designed height kept
        QCOMPARE(display.RTB()->property("Width").toInt(), 500);
    }

    // Every change of the page and every pointer action over it drops what we put on the clipboard.
    void pageEmptiesTheClipboard()
    {
        FakeServices fake;
        DisplayWindow display([&fake] { return DockMetrics{fake.screen, 4000, 900, 3855}; });
        display.show();
        const int before = fake.clipboardClears;
        display.page().AppendText(QStringLiteral("text"));
        QVERIFY(fake.clipboardClears > before);

        const int afterText = fake.clipboardClears;
        QTest::mouseMove(display.RTB()->viewport(), QPoint(10, 10));
        QTest::mouseClick(display.RTB()->viewport(), Qt::LeftButton, {}, QPoint(12, 12));
        QVERIFY(fake.clipboardClears >= afterText + 3); // move, press, release
    }
};

QTEST_MAIN(tst_richpage)
#include "tst_richpage.moc"

#include "FakeServices.h"
#include "PageReader.h"
#include "app/MainWindow.h"
#include "pages/DisplayWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// The section buttons as an accordion, the display window's height, and the resize handler.
class tst_navigation : public QObject {
    Q_OBJECT

    FakeServices *m_fake = nullptr;
    MDI *m_mdi = nullptr;

    int top(const QString &name) const { return m_mdi->findChild<QWidget *>(name)->property("Top").toInt(); }
    int twips(const char *name, const char *property) const
    {
        return m_mdi->findChild<QWidget *>(QString::fromLatin1(name))->property(property).toInt();
    }
    QWidget *widget(const QString &name) const { return m_mdi->findChild<QWidget *>(name); }
    void click(int section) const
    {
        m_mdi->findChild<QPushButton *>(QStringLiteral("Command%1").arg(section))->click();
    }
    // What the widget itself paints, on a transparent ground.
    static QImage drawn(QWidget *widget)
    {
        QImage image(widget->size() * widget->devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(widget->devicePixelRatioF());
        image.fill(Qt::transparent);
        widget->render(&image, {}, {}, QWidget::DrawChildren);
        return image;
    }
    QString title() const { return pageTitle(m_mdi->frmDisp()->RTB()->document()); }
    QList<int> column() const
    {
        QList<int> tops;
        for (int k = 1; k <= 7; ++k)
            tops << top(QStringLiteral("Command%1").arg(k));
        return tops;
    }
    QStringList visiblePanels() const
    {
        QStringList shown;
        for (int k = 1; k <= 7; ++k)
            if (widget(QStringLiteral("Picture%1").arg(k))->isVisibleTo(m_mdi))
                shown << QStringLiteral("Picture%1").arg(k);
        return shown;
    }

private Q_SLOTS:
    void init()
    {
        m_fake = new FakeServices;
        m_mdi = new MDI;
        m_mdi->showMaximized();
    }
    void cleanup()
    {
        delete m_mdi;
        delete m_fake;
    }

    void positions_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QList<int>>("tops");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<int>("panelTop");
        QTest::addColumn<int>("panelBottom");
        QTest::addColumn<QString>("page");
        QTest::newRow("1") << 1 << QList<int>{0, 2675, 3050, 3425, 3800, 4175, 4550} << "Picture1" << 375 << 2675
                           << "What Is Yoga ?";
        QTest::newRow("2") << 2 << QList<int>{0, 375, 750, 1125, 1500, 1875, 2250} << "Picture2" << -1 << -1
                           << "Anjali Mudra";
        QTest::newRow("3") << 3 << QList<int>{0, 375, 750, 1125, 1500, 1875, 2250} << "Picture3" << -1 << -1
                           << "Ardhachandrasana";
        QTest::newRow("4") << 4 << QList<int>{0, 375, 750, 1125, 1500, 1875, 2250} << "Picture4" << -1 << -1
                           << "Anjali Mudra";
        QTest::newRow("5") << 5 << QList<int>{0, 375, 750, 1125, 1500, 3775, 4150} << "Picture5" << 1875 << 3775
                           << "What Is Meditation ?";
        QTest::newRow("6") << 6 << QList<int>{0, 375, 750, 1125, 1500, 1875, 4550} << "Picture6" << 2250 << 4550
                           << "What Is Pranayam ?";
        QTest::newRow("7") << 7 << QList<int>{0, 375, 750, 1125, 1500, 1875, 2250} << "Picture7" << 2625 << 4175
                           << "What Is Surya Namaskar ?";
    }
    void positions()
    {
        QFETCH(int, section);
        QFETCH(QList<int>, tops);
        QFETCH(QString, panel);
        QFETCH(int, panelTop);
        QFETCH(int, panelBottom);
        QFETCH(QString, page);
        QCOMPARE(column(), (QList<int>{0, 375, 750, 1125, 1500, 1875, 2250}));
        click(section);
        QCOMPARE(column(), tops);
        QCOMPARE(visiblePanels(), QStringList{panel});
        QVERIFY(m_mdi->SectionOpen(section));
        if (panelTop >= 0) {
            QCOMPARE(top(panel), panelTop);
            QCOMPARE(top(panel) + twips(qPrintable(panel), "Height"), panelBottom);
        }
        const bool asanaSection = section >= 2 && section <= 4;
        QCOMPARE(widget(QStringLiteral("picTop1"))->isVisible(), asanaSection);
        QCOMPARE(twips("picLeft", "Top"), asanaSection ? 5655 : 1800);
        QCOMPARE(title(), page);

        click(section); // a second click closes and shows the first page again
        QCOMPARE(column(), (QList<int>{0, 375, 750, 1125, 1500, 1875, 2250}));
        QCOMPARE(visiblePanels(), asanaSection ? QStringList{panel} : QStringList{});
        QCOMPARE(title(), page);
    }

    void transitions()
    {
        click(5);
        click(6); // Meditation open, then Pranayam
        QCOMPARE(visiblePanels(), QStringList{"Picture6"});
        QCOMPARE(top(QStringLiteral("Command6")), 1875);
        QCOMPARE(top(QStringLiteral("Picture6")), 2250);
        QCOMPARE(top(QStringLiteral("Command7")), 4550);
        QVERIFY(!m_mdi->SectionOpen(5) && m_mdi->SectionOpen(6));

        click(1);
        click(2);
        click(1); // the second click cleared section 1's flag, so it opens again
        QCOMPARE(visiblePanels(), QStringList{"Picture1"});
        QCOMPARE(top(QStringLiteral("Command2")), 2675);

        click(7);
        click(3); // an asana section while Surya Namaskar is open
        QCOMPARE(visiblePanels(), QStringList{"Picture3"});
        QCOMPARE(column(), (QList<int>{0, 375, 750, 1125, 1500, 1875, 2250}));
        int open = 0;
        for (int k = 1; k <= 7; ++k)
            open += m_mdi->SectionOpen(k);
        QCOMPARE(open, 1);
    }

    void byNameTwiceReturnsToTheFirstEntry()
    {
        click(2);
        auto *box = m_mdi->findChild<QComboBox *>(QStringLiteral("cboAsanasByName"));
        box->setCurrentText(QStringLiteral("Halasana"));
        QCOMPARE(title(), QStringLiteral("Halasana"));
        click(2);
        QCOMPARE(box->currentIndex(), 0);
        QCOMPARE(title(), QStringLiteral("Anjali Mudra"));
        QCOMPARE(visiblePanels(), QStringList{"Picture2"});
        QVERIFY(widget(QStringLiteral("picTop1"))->isVisible());
    }

    void displayHeightFollowsTheMainWindow()
    {
        m_mdi->setProperty("Height", 11000);
        QCOMPARE(m_mdi->property("Height").toInt(), 11000);
        DisplayWindow *display = m_mdi->frmDisp();
        QCOMPARE(display->property("Height").toInt(), 4830); // designed, until a section click

        click(1);
        QCOMPARE(display->property("Height").toInt(), 7200);
        QCOMPARE(display->RTB()->property("Height").toInt(), 7200);
        QCOMPARE(display->property("Width").toInt(), 15360 - 4000);
        QCOMPARE(display->RTB()->property("Width").toInt(), 15360 - 4000);

        click(4);
        QCOMPARE(display->property("Height").toInt(), 3345);
        QCOMPARE(display->RTB()->property("Height").toInt(), 3345);

        m_mdi->setProperty("Height", 9000); // resizing leaves the display window alone
        QCOMPARE(display->property("Height").toInt(), 3345);
    }

    void mainWindowTooLowKeepsTheDisplayHeight()
    {
        m_mdi->setProperty("Height", 11000);
        click(6);
        DisplayWindow *display = m_mdi->frmDisp();
        QCOMPARE(display->property("Height").toInt(), 7200);
        m_mdi->setProperty("Height", 6000);
        click(3); // 6000 - 7655 < 0: refused, and the procedure goes on
        QCOMPARE(display->property("Height").toInt(), 7200);
        QCOMPARE(display->RTB()->property("Height").toInt(), 7200);
        QCOMPARE(visiblePanels(), QStringList{"Picture3"});
        QCOMPARE(title(), QStringLiteral("Ardhachandrasana"));
    }

    void resizeHandler()
    {
        const int screen = 15360;
        const int width = m_mdi->property("Width").toInt();
        for (const char *button : {"cmdExit", "cmdStart", "cmdDonate"})
            QCOMPARE(twips(button, "Left"), width - 1590);
        QCOMPARE(twips("lblHeading", "Left"), (screen - twips("lblHeading", "Width")) / 2);
        QCOMPARE(twips("lblURL", "Left"), (screen - 5520) / 2);

        m_mdi->setProperty("Width", 9000); // restored, narrower than the screen
        QCOMPARE(m_mdi->property("Width").toInt(), 9000);
        for (const char *button : {"cmdExit", "cmdStart", "cmdDonate"})
            QCOMPARE(twips(button, "Left"), 9000 - 1590);
        QCOMPARE(twips("lblURL", "Left"), (screen - 5520) / 2); // still centred on the screen

        m_mdi->showMinimized();
        m_mdi->showNormal();
        QCOMPARE(twips("cmdExit", "Left"), m_mdi->property("Width").toInt() - 1590);
    }

    void topAreaGeometry()
    {
        click(3);
        QCOMPARE(twips("picContainer", "Left"), 260);
        QCOMPARE(twips("picYoga", "Left"), 7275);
        QCOMPARE(twips("picYoga", "Width"), 3750);
        QCOMPARE(twips("Picture3", "Top"), 60);
        QCOMPARE(twips("Picture2", "Top"), 1080);
        QCOMPARE(widget(QStringLiteral("picYoga"))->property("PictureIndex").toInt(), 2);
        QCOMPARE(widget(QStringLiteral("lblCaption(3)"))->property("Top").toInt(), 0);
        QCOMPARE(qobject_cast<QLabel *>(widget(QStringLiteral("lblCaption(4)")))->text(),
                 QStringLiteral("Select the asana from the following list to get its corresponding details"));
    }

    // Buttons of one colour share their drawn bevel; each must still look exactly as the
    // application's style draws it, pink and blue alike, whichever of them was drawn first.
    void colouredButtonsLookAsTheStyleDrawsThem()
    {
        QList<QPushButton *> buttons;
        QList<QImage> shared;
        for (const char *name : {"Command1", "Command11", "Command2", "Command12", "Command7", "Command74"}) {
            buttons << m_mdi->findChild<QPushButton *>(QString::fromLatin1(name));
            shared << drawn(buttons.last());
        }
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            buttons[i]->setStyle(nullptr);
            QCOMPARE(drawn(buttons[i]), shared[i]);
        }
    }

    void focusOrder_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QStringList>("topics");
        QTest::newRow("none") << 0 << QStringList{};
        QTest::newRow("1") << 1
                           << QStringList{"Command11", "Command12", "Command13", "Command14", "Command15", "Command16"};
        QTest::newRow("5") << 5 << QStringList{"Command55", "Command54", "Command53", "Command52", "Command51"};
        QTest::newRow("6") << 6
                           << QStringList{"Command66", "Command65", "Command64", "Command63", "Command62", "Command61"};
        QTest::newRow("7") << 7 << QStringList{"Command71", "Command72", "Command73", "Command74"};
    }
    void focusOrder()
    {
        QFETCH(int, section);
        QFETCH(QStringList, topics);
        if (section)
            click(section);
        m_mdi->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_mdi));
        QWidget *first = widget(QStringLiteral("Command1"));
        first->setFocus(Qt::TabFocusReason);
        QStringList reached;
        for (int i = 0; i < 60; ++i) {
            const QString name = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            if (name.startsWith(QLatin1String("Command")) && !reached.contains(name))
                reached << name;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(reached,
                 QStringList({"Command1", "Command2", "Command3", "Command4", "Command5", "Command6", "Command7"}) +
                     topics);
    }
};

QTEST_MAIN(tst_navigation)
#include "tst_navigation.moc"

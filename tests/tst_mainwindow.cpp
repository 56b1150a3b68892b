#include "FakeServices.h"
#include "PageReader.h"
#include "app/Application.h"
#include "app/MainWindow.h"
#include "pages/DisplayWindow.h"
#include "platform/QtServices.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

static const QString Site = QStringLiteral("https://www.quorvane.com/tavrello/ssd.php?page=");

// The main window as it starts, its commands and the ways to close it.
class tst_mainwindow : public QObject {
    Q_OBJECT

    static QStringList visibleActions(const QWidget *owner)
    {
        QStringList texts;
        for (const QAction *action : owner->actions())
            if (action->isVisible())
                texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    }

    static QWidget *topLevel(const QString &name)
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == name && window->isVisible())
                return window;
        return nullptr;
    }

private Q_SLOTS:
    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("frmNagScreen2"))
                delete window;
    }

    void startsWithTheIntroductionPage()
    {
        FakeServices fake;
        MDI mdi;
        mdi.show();
        QCOMPARE(mdi.windowTitle(), QStringLiteral("Tavrello v1.80"));
        const QTextDocument *page = mdi.frmDisp()->RTB()->document();
        const QString text = pageText(page);
        const QStringList paragraphs = text.split(QStringLiteral("\r\n\r\n"));
        QCOMPARE(paragraphs.size(), 4);
        QCOMPARE(paragraphs[0], QStringLiteral("Introduction"));
        QVERIFY(paragraphs[1].startsWith(QStringLiteral("\u2018Yoga\u2019 means 'to unite'")));
        QCOMPARE(paragraphs[1].size(), 733);
        QVERIFY(paragraphs[2].startsWith(QStringLiteral("Tavrello is an advanced yet handy")));
        QVERIFY(paragraphs[2].indexOf(QStringLiteral("Tavrello"), 1) > 0);
        QVERIFY(paragraphs[3].startsWith(QStringLiteral("Tavrello is a result oriented tool")));
        for (const QString &paragraph : paragraphs.mid(2))
            QVERIFY2(paragraph.size() >= 350 && paragraph.size() <= 450, qPrintable(QString::number(paragraph.size())));
        QVERIFY(!text.endsWith(QStringLiteral("\r\n")));

        const QList<Qt::Alignment> alignments = alignmentsOf(page);
        QCOMPARE(alignments.size(), 7);
        QCOMPARE(alignments[0], Qt::AlignHCenter);
        QCOMPARE(alignments[1], Qt::AlignHCenter);
        for (int i = 2; i < alignments.size(); ++i)
            QCOMPARE(alignments[i], Qt::AlignLeft);
        for (const Run &run : runsOf(page)) {
            const bool heading = run.text == QLatin1String("Introduction");
            QCOMPARE(run.bold, heading);
            QCOMPARE(run.colour, heading ? QColor(128, 0, 128) : QColor(0, 0, 0));
            QCOMPARE(run.size, 14.0);
            QVERIFY(!run.underline);
        }
        QCOMPARE(mdi.frmDisp()->RTB()->font().family(), QStringLiteral("Verdana"));
    }

    void startsWithNothingChosen()
    {
        FakeServices fake;
        MDI mdi;
        mdi.show();
        QVERIFY(!mdi.findChild<QWidget *>(QStringLiteral("picTop1"))->isVisible());
        QCOMPARE(mdi.findChild<QWidget *>(QStringLiteral("picContainer"))->property("Left").toInt(), 260);
        for (const char *name : {"cboAsanasByName", "cboAsanasByBodyPart", "cboAsanasByTherapeuticApplications"}) {
            const auto *box = mdi.findChild<QComboBox *>(QString::fromLatin1(name));
            QCOMPARE(box->currentIndex(), -1);
            QVERIFY(box->currentText().isEmpty());
        }
        QCOMPARE(mdi.findChild<QComboBox *>(QStringLiteral("cboAsanasByName"))->count(), 32);
        QCOMPARE(mdi.findChild<QComboBox *>(QStringLiteral("cboAsanasByBodyPart"))->count(), 36);
        QCOMPARE(mdi.findChild<QComboBox *>(QStringLiteral("cboAsanasByTherapeuticApplications"))->count(), 31);
        QCOMPARE(mdi.findChild<QListWidget *>(QStringLiteral("lstAsanasByBodyPart"))->count(), 0);
        QCOMPARE(mdi.findChild<QListWidget *>(QStringLiteral("lstAsanasByTherapeuticApplications"))->count(), 0);
        for (int k = 1; k <= 7; ++k)
            QVERIFY(!mdi.findChild<QWidget *>(QStringLiteral("Picture%1").arg(k))->isVisible());
        QVERIFY(!mdi.findChild<QPushButton *>(QStringLiteral("cmdStart"))->isVisible());
        QVERIFY(fake.urls.isEmpty());
    }

    void selectionControlsHaveTheirFonts()
    {
        FakeServices fake;
        MDI mdi;
        auto check = [&mdi](const QString &name, double points, bool bold) {
            const QFont font = mdi.findChild<QWidget *>(name)->font();
            QVERIFY2(font.family() == QLatin1String("Verdana") && font.pointSizeF() == points && font.bold() == bold,
                     qPrintable(name + u' ' + font.toString()));
        };
        for (const char *name : {"cboAsanasByName", "cboAsanasByBodyPart", "cboAsanasByTherapeuticApplications",
                                 "lstAsanasByBodyPart", "lstAsanasByTherapeuticApplications"})
            check(QString::fromLatin1(name), 9, false);
        for (int index = 0; index <= 4; ++index)
            check(QStringLiteral("lblCaption(%1)").arg(index), 8.25, true);
    }

    void dockedRegionsHaveTheirSizesAndColours()
    {
        FakeServices fake;
        MDI mdi;
        mdi.show();
        const struct {
            const char *name;
            int top, width, height;
            QColor colour;
        } regions[] = {
            {"picTopMain", 0, -1, 900, QColor(100, 0, 110)},
            {"picTop", 900, -1, 900, QColor(199, 159, 238)},
            {"picLeft", 1800, 4000, -1, QColor()},
            {"picBottom", -1, -1, 500, QColor(199, 159, 238)},
        };
        for (const auto &region : regions) {
            const QWidget *widget = mdi.findChild<QWidget *>(QString::fromLatin1(region.name));
            QVERIFY2(widget, region.name);
            if (region.top >= 0)
                QCOMPARE(widget->property("Top").toInt(), region.top);
            if (region.width >= 0)
                QCOMPARE(widget->property("Width").toInt(), region.width);
            if (region.height >= 0)
                QCOMPARE(widget->property("Height").toInt(), region.height);
            if (region.colour.isValid())
                QCOMPARE(widget->palette().color(QPalette::Window), region.colour);
        }
        QCOMPARE(mdi.findChild<QWidget *>(QStringLiteral("picTop1"))->property("Height").toInt(), 3855);
    }

    // A control's twips properties and its pixels stay in step both ways; a refused value (a
    // negative size, not a number) leaves the last good one readable.
    void twipsPropertiesFollowAndRefuse()
    {
        FakeServices fake;
        MDI mdi;
        mdi.show(); // a hidden control reports a move only when it is shown
        QWidget *button = mdi.findChild<QWidget *>(QStringLiteral("cmdDonate"));
        auto twips = [button](const char *name) { return button->property(name); };

        button->setProperty("Width", 3000);
        QCOMPARE(twips("Width"), QVariant(3000));
        QCOMPARE(button->width(), 200);
        button->setProperty("Width", -15);
        QCOMPARE(twips("Width"), QVariant(3000));
        QCOMPARE(button->width(), 200);
        button->setProperty("Height", QStringLiteral("tall"));
        QCOMPARE(twips("Height"), QVariant(375));
        button->setProperty("Height", QVariant());
        QCOMPARE(twips("Height"), QVariant(375));

        button->move(10, 20);
        QCOMPARE(twips("Left"), QVariant(150));
        QCOMPARE(twips("Top"), QVariant(300));
        button->setProperty("Left", 4001); // 266.7 pixels, shown as 267
        QCOMPARE(button->x(), 267);
        button->move(267, 21);
        QCOMPARE(twips("Left"), QVariant(4001));
        QCOMPARE(twips("Top"), QVariant(315));
    }

    void menuBarShowsFileHelpAndDonate()
    {
        FakeServices fake;
        MDI mdi;
        QCOMPARE(visibleActions(mdi.menuBar()), (QStringList{"&File", "&Help", "&Donate"}));
        const auto *file = mdi.findChild<QMenu *>(QStringLiteral("mnuFile"));
        const auto *help = mdi.findChild<QMenu *>(QStringLiteral("mnuHelp"));
        QVERIFY(file && help);
        QCOMPARE(visibleActions(file), QStringList{"E&xit"});
        QCOMPARE(visibleActions(help), (QStringList{"&Online Help", "&Visit Us Online", "-",
                                                    "Check for Software &Update", "-", "&About Software"}));
        for (const char *hidden : {"mnuStart", "mnuSep1", "mnuMakeMoney"}) {
            const auto *action = mdi.findChild<QAction *>(QString::fromLatin1(hidden));
            QVERIFY2(action && !action->isVisible(), hidden);
        }
        QVERIFY(!mdi.findChild<QAction *>(QStringLiteral("mnuDonate"))->menu()); // acts at once
        for (const QAction *action : mdi.findChildren<QAction *>(QRegularExpression(QStringLiteral("^mnu"))))
            QVERIFY2(action->shortcut().isEmpty() && !action->isCheckable() &&
                         (action->isEnabled() || !action->isVisible()),
                     qPrintable(action->objectName()));
    }

    void webCommandsOpenTheirPages_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("page");
        QTest::newRow("cmdDonate") << "cmdDonate"
                                   << "donate";
        QTest::newRow("mnuDonate") << "mnuDonate"
                                   << "donate";
        QTest::newRow("mnuOnline") << "mnuOnline"
                                   << "help-web-page";
        QTest::newRow("mnuVisit") << "mnuVisit"
                                  << "home-page";
        QTest::newRow("lblURL") << "lblURL"
                                << "home-page";
        QTest::newRow("mnuUpdate") << "mnuUpdate"
                                   << "download-web-page";
        QTest::newRow("lblCobrand") << "lblCobrand"
                                    << "co-brand";
        QTest::newRow("mnuMakeMoney") << "mnuMakeMoney"
                                      << "fully-branded";
    }
    void webCommandsOpenTheirPages()
    {
        QFETCH(QString, control);
        QFETCH(QString, page);
        FakeServices fake;
        MDI mdi;
        mdi.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mdi));
        const QString pageBefore = mdi.frmDisp()->RTB()->toHtml();
        for (int click = 0; click < 2; ++click) {
            if (auto *action = mdi.findChild<QAction *>(control))
                action->trigger();
            else if (auto *button = mdi.findChild<QPushButton *>(control))
                button->click();
            else if (auto *label = mdi.findChild<QWidget *>(control))
                QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(label->width() - 3, label->height() / 2));
        }
        QCOMPARE(fake.urls.size(), 2);
        for (const QUrl &url : fake.urls)
            QCOMPARE(url.toString(QUrl::FullyEncoded), Site + page);
        QCOMPARE(mdi.frmDisp()->RTB()->toHtml(), pageBefore);
    }

    // The co-brand text covers the fully-branded one: a click anywhere there opens "co-brand".
    void bottomBarClickOpensCoBrand()
    {
        FakeServices fake;
        MDI mdi;
        mdi.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mdi));
        QWidget *bar = mdi.findChild<QWidget *>(QStringLiteral("picBottom"));
        const QWidget *cobrand = mdi.findChild<QWidget *>(QStringLiteral("lblCobrand"));
        const QWidget *fullBrand = mdi.findChild<QWidget *>(QStringLiteral("lblFullBrand"));
        QCOMPARE(cobrand->geometry(), fullBrand->geometry());
        for (const QPoint point : {cobrand->geometry().topLeft() + QPoint(2, 2), cobrand->geometry().center()}) {
            QWidget *target = bar->childAt(point);
            QCOMPARE(target, cobrand);
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(bar, point));
        }
        QCOMPARE(fake.urls.size(), 2);
        QCOMPARE(fake.urls.last().toString(), Site + QStringLiteral("co-brand"));
    }

    void closingWaysShowTheClosingScreen_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("close box") << "close";
        QTest::newRow("cmdExit") << "cmdExit";
        QTest::newRow("File, Exit") << "mnuExit";
    }
    void closingWaysShowTheClosingScreen()
    {
        QFETCH(QString, way);
        FakeServices fake;
        auto *mdi = new MDI;
        mdi->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<MDI> alive(mdi);
        mdi->show();
        if (way == QLatin1String("close"))
            mdi->close();
        else if (way == QLatin1String("cmdExit"))
            mdi->findChild<QPushButton *>(way)->click();
        else
            mdi->findChild<QAction *>(way)->trigger();
        QTRY_VERIFY(!alive); // closed without a question, with its display window
        QVERIFY(fake.messages.isEmpty());
        QWidget *closing = topLevel(QStringLiteral("frmNagScreen2"));
        QVERIFY(closing);
        QVERIFY(fake.exitCodes.isEmpty()); // still running

        closing->findChild<QPushButton *>(QStringLiteral("cmdClose"))->click();
        QVERIFY(!fake.exitCodes.isEmpty());
        for (int code : fake.exitCodes)
            QCOMPARE(code, 0);
    }

    void closingScreenCloseBoxEndsTheProcess()
    {
        FakeServices fake;
        MDI mdi;
        mdi.show();
        mdi.close();
        QWidget *closing = topLevel(QStringLiteral("frmNagScreen2"));
        QVERIFY(closing);
        closing->close();
        QVERIFY(!fake.exitCodes.isEmpty());
        QCOMPARE(fake.exitCodes.first(), 0);
    }

    void secondInstanceOnlySaysSoAndEnds()
    {
        FakeServices fake;
        fake.anotherInstance = true;
        StartApplication();
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].text, QStringLiteral("Application is already running"));
        QCOMPARE(fake.messages[0].title, QStringLiteral("Tavrello"));
        QCOMPARE(fake.messages[0].icon, platform::MessageIcon::Information);
        QCOMPARE(fake.messages[0].buttons, platform::MessageButtons::Ok);
        QCOMPARE(fake.exitCodes, QList<int>{0});
        QVERIFY(!topLevel(QStringLiteral("MDI")));
        QVERIFY(fake.settings.isEmpty()); // the reminder never ran
    }

    void firstInstanceShowsTheMainWindowMaximised()
    {
        FakeServices fake;
        StartApplication();
        QWidget *mdi = topLevel(QStringLiteral("MDI"));
        QVERIFY(mdi);
        QVERIFY(mdi->isMaximized());
        QVERIFY(fake.exitCodes.isEmpty());
        delete mdi;
    }

    // The offscreen clipboard is never ours in the platform's sense, like another program's:
    // the real services must leave it alone. (Under X11 the end-to-end tests check both halves.)
    void foreignClipboardSurvives()
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("the user's own text"));
        QVERIFY(!clipboard->ownsClipboard());
        platform::QtServices().clearOwnClipboard();
        QCOMPARE(clipboard->text(), QStringLiteral("the user's own text"));
    }
};

QTEST_MAIN(tst_mainwindow)
#include "tst_mainwindow.moc"

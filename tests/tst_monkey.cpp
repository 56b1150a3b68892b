#include "FakeServices.h"
#include "PageReader.h"
#include "app/MainWindow.h"
#include "content/AsanaCatalogue.h"
#include "pages/DisplayWindow.h"
#include "web/ClosingScreen.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

// Thousands of random actions over every control a user can reach, with a fixed seed, checking
// after each one what must always hold.
class tst_monkey : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void randomInteraction()
    {
        FakeServices fake;
        MDI mdi;
        mdi.show();
        QRandomGenerator random(20261209);

        QList<QPushButton *> buttons;
        for (QPushButton *button : mdi.findChildren<QPushButton *>())
            if (button->objectName().startsWith(QLatin1String("Command")))
                buttons << button;
        QCOMPARE(buttons.size(), 7 + 21);
        const QList<QComboBox *> combos = mdi.findChildren<QComboBox *>();
        const QList<QListWidget *> lists = mdi.findChildren<QListWidget *>();
        const QList<QWidget *> topicPanels = {
            mdi.findChild<QWidget *>(QStringLiteral("Picture1")), mdi.findChild<QWidget *>(QStringLiteral("Picture5")),
            mdi.findChild<QWidget *>(QStringLiteral("Picture6")), mdi.findChild<QWidget *>(QStringLiteral("Picture7"))};
        QWidget *picture = mdi.findChild<QWidget *>(QStringLiteral("picYoga"));

        frmNagScreen2 closing([] {});
        const QList<QLineEdit *> fields = closing.findChildren<QLineEdit *>();
        QPushButton *submit = closing.findChild<QPushButton *>(QStringLiteral("cmdSubmit"));
        const QStringList typed = {"", " ", "a@b.c", "Your Name", "x y", "&taf5=", "ravi@mail.in", "\r\n"};

        int expectedPicture = 1;
        for (int step = 0; step < 4000; ++step) {
            const int action = random.bounded(9);
            switch (action) {
            case 0:
            case 1:
            case 2:
                buttons[random.bounded(int(buttons.size()))]->click();
                break;
            case 3: {
                QComboBox *box = combos[random.bounded(int(combos.size()))];
                box->setCurrentIndex(random.bounded(box->count()));
                break;
            }
            case 4: {
                QListWidget *list = lists[random.bounded(int(lists.size()))];
                if (list->count())
                    list->setCurrentRow(random.bounded(list->count()));
                break;
            }
            case 5:
                if (random.bounded(20) == 0) {
                    QTimer::singleShot(0, [] {
                        if (QWidget *modal = QApplication::activeModalWidget())
                            QTest::keyClick(modal, Qt::Key_Escape);
                    });
                    mdi.mnuAbout_Click();
                }
                break;
            case 6:
                fields[random.bounded(int(fields.size()))]->setText(typed[random.bounded(int(typed.size()))]);
                break;
            case 7:
                submit->click();
                break;
            default:
                mdi.setProperty("Height", 3000 + random.bounded(12000));
                break;
            }

            const QTextDocument *page = mdi.frmDisp()->RTB()->document();
            QVERIFY2(!page->isEmpty(), qPrintable(QStringLiteral("empty page after step %1").arg(step)));
            const QString title = pageTitle(page);
            if (const auto shown = modYogasana::FindAsana(title))
                expectedPicture = *shown + 1;
            QCOMPARE(picture->property("PictureIndex").toInt(), expectedPicture);
            int openPanels = 0;
            for (const QWidget *panel : topicPanels)
                openPanels += panel->isVisibleTo(&mdi);
            QVERIFY(openPanels <= 1);
            int openSections = 0;
            for (int k = 1; k <= 7; ++k)
                openSections += mdi.SectionOpen(k);
            QVERIFY(openSections <= 1);
        }
        QVERIFY(fake.exitCodes.isEmpty());
        QVERIFY(!fake.urls.isEmpty()); // some referrals went through
    }
};

QTEST_MAIN(tst_monkey)
#include "tst_monkey.moc"

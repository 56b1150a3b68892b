#include "FakeServices.h"
#include "app/MainWindow.h"
#include "platform/QtServices.h"
#include "web/AboutBox.h"
#include "web/ClosingScreen.h"
#include "web/StoredSettings.h"
#include "web/modTellAFriend.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QUrlQuery>
#include <QtTest>

using namespace StoredSettings;
static const QString Site = QStringLiteral("https://www.quorvane.com/tavrello/ssd.php?page=");

// Stored settings and the update reminder, the about box, and the closing screen's form.
class tst_web : public QObject {
    Q_OBJECT

    // Runs check() on the modal dialog as soon as it is up.
    static void whenModal(std::function<void(QWidget *)> check)
    {
        QTimer::singleShot(0, [check] {
            QWidget *modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            check(modal);
        });
    }

private Q_SLOTS:
    void shift_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("scrambled");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("key") << "Duration" << QString::fromLatin1("\x81\xb2\xaf\x9e\xb1\xa6\xac\xab");
        QTest::newRow("date") << "2026-12-09" << QString::fromLatin1("omosjnojmv");
        QTest::newRow("dropped above 255") << QString::fromLatin1("A\xc8"
                                                                  "B")
                                           << QString::fromLatin1("\x7e\x7f");
    }
    void shift()
    {
        QFETCH(QString, plain);
        QFETCH(QString, scrambled);
        QCOMPARE(ScrambleText(plain), scrambled);
        if (plain.size() == scrambled.size())
            QCOMPARE(UnscrambleText(scrambled), plain);
    }

    void unscrambleDropsBelowZero()
    {
        QCOMPARE(UnscrambleText(QStringLiteral("A") + QChar(10)), QString(QChar(65 - 61)));
        for (int code = 0; code < 195; ++code)
            QCOMPARE(UnscrambleText(ScrambleText(QString(QChar(code)))), QString(QChar(code)));
    }

    void reminder_data()
    {
        QTest::addColumn<QString>("stored"); // empty: first run
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("rewrites");
        const QDate today(2026, 12, 9);
        QTest::newRow("first run") << QString() << false << true;
        QTest::newRow("14 days before") << today.addDays(-14).toString(Qt::ISODate) << false << false;
        QTest::newRow("15 days before") << today.addDays(-15).toString(Qt::ISODate) << true << true;
        QTest::newRow("14 days after") << today.addDays(14).toString(Qt::ISODate) << false << false;
        QTest::newRow("15 days after") << today.addDays(15).toString(Qt::ISODate) << true << true;
        QTest::newRow("today") << today.toString(Qt::ISODate) << false << false;
        QTest::newRow("unreadable") << "09/12/26" << false << true;
        QTest::newRow("garbage") << "not a date" << false << true;
    }
    void reminder()
    {
        QFETCH(QString, stored);
        QFETCH(bool, asks);
        QFETCH(bool, rewrites);
        FakeServices fake;
        if (!stored.isEmpty())
            WriteStoredSetting(QStringLiteral("Duration"), stored);
        fake.events.clear();
        CheckForUpdateReminder();
        QCOMPARE(fake.messages.size(), asks ? 1 : 0);
        const QString now = ReadStoredSetting(QStringLiteral("Duration"));
        QCOMPARE(now, rewrites ? QStringLiteral("2026-12-09") : stored);
        if (asks) {
            const platform::Message &box = fake.messages[0];
            QCOMPARE(box.text, QStringLiteral("There maybe an update to this software available\r"
                                              "Do you want to check for an update?"));
            QCOMPARE(box.title, QStringLiteral("Tavrello"));
            QCOMPARE(box.icon, platform::MessageIcon::Information);
            QCOMPARE(box.buttons, platform::MessageButtons::YesNo);
        }
    }

    void answers_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void answers()
    {
        QFETCH(bool, yes);
        FakeServices fake;
        WriteStoredSetting(QStringLiteral("Duration"), QStringLiteral("2026-01-01"));
        fake.answers.push_back(yes ? platform::MessageAnswer::Yes : platform::MessageAnswer::No);
        fake.events.clear();
        CheckForUpdateReminder();
        QStringList expected{QStringLiteral("message:There maybe an update to this software available\r"
                                            "Do you want to check for an update?"),
                             QStringLiteral("write:") + ScrambleText(QStringLiteral("Duration"))};
        if (yes)
            expected << QStringLiteral("open:") + Site + QStringLiteral("download-web-page");
        QCOMPARE(fake.events, expected); // the date is stored before the page opens

        fake.messages.clear();
        CheckForUpdateReminder(); // a second start on the same day asks nothing
        QVERIFY(fake.messages.isEmpty());
    }

    void anotherProgramFileHasItsOwnSettings()
    {
        FakeServices fake;
        WriteStoredSetting(QStringLiteral("Duration"), QStringLiteral("2026-01-01"));
        fake.program = QStringLiteral("TavrellixCopy");
        CheckForUpdateReminder();
        QVERIFY(fake.messages.isEmpty()); // a first run under the other name
        QCOMPARE(fake.settings.size(), 2);
    }

    // The real store: native format, user scope, shifted keys and values, written at once.
    void realSettingsStore()
    {
        QStandardPaths::setTestModeEnabled(true);
        platform::QtServices services;
        services.writeSetting(QStringLiteral("TavrellixTest"), QStringLiteral("Settings"), ScrambleText("Duration"),
                              ScrambleText("2026-12-09"));
        QSettings direct(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("TavrellixTest"),
                         QStringLiteral("TavrellixTest"));
        QVERIFY(QFile::exists(direct.fileName()));
        QCOMPARE(UnscrambleText(direct.value(QStringLiteral("Settings/") + ScrambleText("Duration")).toString()),
                 QStringLiteral("2026-12-09"));
        QCOMPARE(services.readSetting(QStringLiteral("TavrellixTest"), QStringLiteral("Settings"), QStringLiteral("x")),
                 QString());
        QFile::remove(direct.fileName());
    }

    void aboutBoxIsModalAndItsKeysCloseIt_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }
    void aboutBoxIsModalAndItsKeysCloseIt()
    {
        QFETCH(int, key);
        FakeServices fake;
        MDI mdi;
        mdi.show();
        bool checked = false;
        whenModal([&](QWidget *box) {
            QCOMPARE(box->objectName(), QStringLiteral("frmAbout"));
            QCOMPARE(box->windowTitle(), QStringLiteral("Tavrello v1.80"));
            QCOMPARE(box->findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("Tavrello v1.80"));
            QCOMPARE(QApplication::focusWidget(), box->findChild<QPushButton *>(QStringLiteral("cmdOK")));
            for (const char *name : {"lblHomePage", "lblCoBrand"}) {
                auto *link = box->findChild<QLabel *>(QString::fromLatin1(name));
                QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
            }
            QVERIFY(box->isVisible()); // links leave it open
            QCOMPARE(QApplication::activeModalWidget(), box);
            QTest::keyClick(box, Qt::Key(key));
            checked = true;
        });
        mdi.findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger();
        QVERIFY(checked);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(fake.urls.size(), 2);
        QCOMPARE(fake.urls[0].toString(), Site + QStringLiteral("home-page"));
        QCOMPARE(fake.urls[1].toString(), Site + QStringLiteral("fully-branded"));
    }

    void aboutBoxGeometry()
    {
        frmAbout box;
        const struct {
            const char *name;
            int left, top;
        } places[] = {{"picIcon", 120, 45},        {"Label2", 720, 45},   {"Label1", 720, 390},
                      {"lblHomePage", 2955, 1365}, {"Label3", 120, 1800}, {"lblCoBrand", 4710, 2235},
                      {"cmdOK", 5745, 2760}};
        for (const auto &place : places) {
            const QWidget *control = box.findChild<QWidget *>(QString::fromLatin1(place.name));
            QVERIFY2(control, place.name);
            QCOMPARE(control->property("Left").toInt(), place.left);
            QCOMPARE(control->property("Top").toInt(), place.top);
        }
        QCOMPARE(box.size(), QSize(472, 211)); // 7080 x 3165 twips
        QVERIFY(box.findChild<QLabel *>(QStringLiteral("Label1"))
                    ->text()
                    .startsWith(QStringLiteral("Tavrello is an educational tool")));
        QVERIFY(box.findChild<QLabel *>(QStringLiteral("lblHomePage"))
                    ->text()
                    .startsWith(QStringLiteral("Click here to visit ")));
    }
};

// The closing screen: its form, its links and how it ends the program.
class tst_closing : public QObject {
    Q_OBJECT

    FakeServices *m_fake = nullptr;
    frmNagScreen2 *m_screen = nullptr;
    int m_quits = 0;

    QLineEdit *edit(const char *name) const { return m_screen->findChild<QLineEdit *>(QString::fromLatin1(name)); }
    void submit() const { m_screen->findChild<QPushButton *>(QStringLiteral("cmdSubmit"))->click(); }
    QString lastMessage() const { return m_fake->messages.isEmpty() ? QString() : m_fake->messages.last().text; }

private Q_SLOTS:
    void init()
    {
        m_fake = new FakeServices;
        m_quits = 0;
        m_screen = new frmNagScreen2([this] { ++m_quits; });
        m_screen->setAttribute(Qt::WA_DeleteOnClose, false);
        m_screen->show();
    }
    void cleanup()
    {
        delete m_screen;
        delete m_fake;
    }

    void loadsItsTitleIconAndAPromotion()
    {
        QCOMPARE(m_screen->windowTitle(), QStringLiteral("Tavrello v1.15"));
        QCOMPARE(m_screen->findChild<QLabel *>(QStringLiteral("lblNagScreen2Caption"))->text(),
                 QStringLiteral("Tavrello v1.15"));
        QVERIFY(!m_screen->windowIcon().isNull());
        QCOMPARE(m_fake->keptOnTop, 1);
        QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                             : m_screen->focusWidget()->objectName(),
                 QStringLiteral("cmdClose"));
        QCOMPARE(edit("txtName")->text(), QStringLiteral("Your Name"));
        QCOMPARE(m_screen->findChild<QPlainTextEdit *>(QStringLiteral("txtMessage"))->toPlainText(),
                 QStringLiteral("Your Message\n"));
    }

    // Each draw from [0, 1) picks one of the four messages, each a quarter of the range.
    void promotionFollowsTheRandomDraw()
    {
        QStringList seen;
        for (double draw : {0.0, 0.2499, 0.25, 0.5, 0.75, 0.9999}) {
            m_fake->random = draw;
            frmNagScreen2 screen([] {});
            seen << screen.findChild<QLabel *>(QStringLiteral("Label2"))->text();
        }
        QCOMPARE(seen[0], seen[1]);
        QCOMPARE(seen[4], seen[5]);
        QCOMPARE(QSet<QString>(seen.begin(), seen.end()).size(), 4);
        for (const QString &text : seen)
            QVERIFY(text.contains(QStringLiteral("forum")));
    }

    void formMessages_data()
    {
        QTest::addColumn<QStringList>("values"); // name, e-mail, friend's name, friend's e-mail
        QTest::addColumn<QString>("message");    // empty: submitted
        QTest::newRow("untouched") << QStringList{"Your Name", "Your Email Address", "Friend's Name",
                                                  "Friend's Email Address"}
                                   << "Please Enter Proper Email Address";
        QTest::newRow("same address") << QStringList{"Asha", "a@b.in", "Ravi", "a@b.in"}
                                      << "Please Enter Distinct Email Addresses";
        QTest::newRow("same after trimming")
            << QStringList{"Asha", "  a@b.in ", "Ravi", "a@b.in"} << "Please Enter Distinct Email Addresses";
        QTest::newRow("case differs") << QStringList{"Asha", "A@b.in", "Ravi", "a@b.in"} << "";
        QTest::newRow("no at sign") << QStringList{"Asha", "ab.in", "Ravi", "r@b.in"}
                                    << "Please Enter Proper Email Address";
        QTest::newRow("no full stop") << QStringList{"Asha", "a@b.in", "Ravi", "r@bin"}
                                      << "Please Enter Proper Email Address";
        QTest::newRow("just @ and .") << QStringList{"Asha", "@.", "Ravi", ".@"} << "";
        QTest::newRow("name placeholder")
            << QStringList{"Your Name", "a@b.in", "Ravi", "r@b.in"} << "Please Enter Your Name";
        QTest::newRow("name other case") << QStringList{"your name", "a@b.in", "Ravi", "r@b.in"} << "";
        QTest::newRow("friend placeholder")
            << QStringList{"Asha", "a@b.in", "Friend's Name", "r@b.in"} << "Please Enter Your Friend's Name";
        QTest::newRow("blank name") << QStringList{"Asha", "a@b.in", "   ", "r@b.in"}
                                    << "Please Enter Your Friend's Name";
    }
    void formMessages()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, message);
        const char *boxes[] = {"txtName", "txtEmail", "txtFriendName", "txtFriendEmail"};
        for (int i = 0; i < 4; ++i)
            edit(boxes[i])->setText(values[i]);
        submit();
        if (message.isEmpty()) {
            QVERIFY(m_fake->messages.isEmpty());
            QCOMPARE(m_fake->urls.size(), 1);
        } else {
            QCOMPARE(lastMessage(), message);
            QCOMPARE(m_fake->messages.last().icon, platform::MessageIcon::Critical);
            QCOMPARE(m_fake->messages.last().title, QStringLiteral("Tavrello"));
            QVERIFY(m_fake->urls.isEmpty());
            QCOMPARE(edit("txtName")->text(), values[0]); // fields keep what was typed
        }
    }

    void missingMessageInFormOrder()
    {
        QCOMPARE(*modTellAFriend::MissingValue({"", "", "", "", ""}), QStringLiteral("Please Enter Your Name"));
        QCOMPARE(*modTellAFriend::MissingValue({"a", " Your Email Address ", "", "", ""}),
                 QStringLiteral("Please Enter Your Email"));
        QCOMPARE(*modTellAFriend::MissingValue({"a", "e", "Your Message", "", ""}),
                 QStringLiteral("Please Enter Your Message"));
        QCOMPARE(*modTellAFriend::MissingValue({"a", "e", "m", "f", ""}),
                 QStringLiteral("Please Enter Your Friend's Email"));
        QVERIFY(!modTellAFriend::MissingValue({"a", "e", "Your Message\r\n", "f", "g"}));
    }

    // Whatever a value holds, it stays in its own field and decodes back exactly.
    void referralCarriesExactlyTheSixValues()
    {
        edit("txtName")->setText(QStringLiteral("Asha & Co &taf5=evil@x.y"));
        edit("txtEmail")->setText(QStringLiteral("asha+yoga@mail.in"));
        edit("txtFriendName")->setText(QStringLiteral("Ravi 100% = sure #1"));
        edit("txtFriendEmail")->setText(QStringLiteral("ravi@mail.in"));
        submit();
        QCOMPARE(m_fake->urls.size(), 1);
        const QUrl url = m_fake->urls.first();
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QCOMPARE(url.toString(QUrl::FullyEncoded), modTellAFriend::ReferralAddress());
        QVERIFY(modTellAFriend::ReferralAddress().startsWith(Site + QStringLiteral("qvms-refer-a-friend&taf1=")));
        const QUrlQuery query(url);
        QList<QPair<QString, QString>> items = query.queryItems(QUrl::FullyDecoded);
        QStringList keys;
        for (const auto &item : items)
            keys << item.first;
        QCOMPARE(keys, (QStringList{"page", "taf1", "taf2", "taf3", "taf4", "taf5", "taf6"}));
        QCOMPARE(items[1].second, QStringLiteral("Asha & Co &taf5=evil@x.y"));
        QCOMPARE(items[2].second, QStringLiteral("asha+yoga@mail.in"));
        QCOMPARE(items[3].second, QStringLiteral("Your Message\r\n")); // the hidden box, untouched
        QCOMPARE(items[4].second, QStringLiteral("Ravi 100% = sure #1"));
        QCOMPARE(items[5].second, QStringLiteral("ravi@mail.in"));
        QCOMPARE(items[6].second, QStringLiteral("https://www.quorvane.com/tavrello/"));
        QVERIFY(!modTellAFriend::ReferralAddress().contains(u' '));
        QVERIFY(!modTellAFriend::ReferralAddress().contains(u'\r'));
    }

    void spaceFilter()
    {
        QLineEdit *email = edit("txtEmail");
        email->setFocus();
        email->setText(QString());
        QTest::keyClicks(email, QStringLiteral("a b"));
        QCOMPARE(email->text(), QStringLiteral("ab"));
        QCOMPARE(lastMessage(), QStringLiteral("Email Address Cannot Contain Space"));
        QCOMPARE(m_fake->messages.size(), 1);
        QLineEdit *name = edit("txtName");
        name->setText(QString());
        QTest::keyClicks(name, QStringLiteral("a b"));
        QCOMPARE(name->text(), QStringLiteral("a b"));
        QCOMPARE(m_fake->messages.size(), 1);
        QCOMPARE(m_screen->txtFriendEmail_KeyPress(' '), 0);
        QCOMPARE(m_screen->txtFriendEmail_KeyPress('x'), int('x'));
    }

    void placeholdersFollowFocus()
    {
        m_screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_screen));
        QLineEdit *email = edit("txtEmail");
        QLineEdit *name = edit("txtName");
        email->setFocus(Qt::TabFocusReason);
        QCOMPARE(email->text(), QString()); // placeholder removed
        name->setFocus(Qt::TabFocusReason);
        QCOMPARE(email->text(), QStringLiteral("Your Email Address")); // restored
        QCOMPARE(name->text(), QString());
        name->setText(QStringLiteral("   "));
        email->setFocus(Qt::TabFocusReason);
        QCOMPARE(name->text(), QStringLiteral("Your Name")); // only spaces count as empty
        email->setText(QStringLiteral("me@x.in"));
        name->setFocus(Qt::TabFocusReason);
        QCOMPARE(email->text(), QStringLiteral("me@x.in"));
    }

    void check1OpensTheHomePageAndUnchecks()
    {
        auto *check = m_screen->findChild<QCheckBox *>(QStringLiteral("Check1"));
        check->click();
        QVERIFY(!check->isChecked());
        QCOMPARE(m_fake->urls.size(), 1);
        QCOMPARE(m_fake->urls[0].toString(), Site + QStringLiteral("home-page"));
    }

    void softwaresLink()
    {
        auto *link = m_screen->findChild<QLabel *>(QStringLiteral("lblGoToHome"));
        QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
        QCOMPARE(m_fake->urls.size(), 1);
        QCOMPARE(m_fake->urls[0].toString(), Site + QStringLiteral("quorvanesoftwares"));
    }

    void leaving_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Exit") << false;
        QTest::newRow("close box") << true;
    }
    void leaving()
    {
        QFETCH(bool, closeBox);
        if (closeBox)
            m_screen->close();
        else
            m_screen->findChild<QPushButton *>(QStringLiteral("cmdClose"))->click();
        QCOMPARE(m_quits, 1);
    }
};

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    tst_web web;
    tst_closing closing;
    return QTest::qExec(&web, argc, argv) | QTest::qExec(&closing, argc, argv);
}

#include "tst_web.moc"

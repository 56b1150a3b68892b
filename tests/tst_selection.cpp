#include "FakeServices.h"
#include "PageReader.h"
#include "app/MainWindow.h"
#include "pages/DisplayWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QtTest>

// Choosing an asana by name, by body part and by therapeutic application in the main window.
class tst_selection : public QObject {
    Q_OBJECT

    FakeServices *m_fake = nullptr;
    MDI *m_mdi = nullptr;

    QComboBox *combo(const char *name) const { return m_mdi->findChild<QComboBox *>(QString::fromLatin1(name)); }
    QListWidget *list(const char *name) const { return m_mdi->findChild<QListWidget *>(QString::fromLatin1(name)); }
    QString title() const { return pageTitle(m_mdi->frmDisp()->RTB()->document()); }
    int picture() const
    {
        return m_mdi->findChild<QWidget *>(QStringLiteral("picYoga"))->property("PictureIndex").toInt();
    }
    QStringList entries(const QListWidget *box) const
    {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->item(i)->text();
        return texts;
    }

private Q_SLOTS:
    void init()
    {
        m_fake = new FakeServices;
        m_mdi = new MDI;
        m_mdi->show();
    }
    void cleanup()
    {
        delete m_mdi;
        delete m_fake;
    }

    void pictureShowsTheFirstAsanaUntilOneIsChosen()
    {
        QCOMPARE(picture(), 1);
        QVERIFY(!m_mdi->findChild<QLabel *>(QStringLiteral("picYoga"))->pixmap().isNull());
        QCOMPARE(title(), QStringLiteral("Introduction"));
    }

    void byName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("position");
        QTest::newRow("last") << "Yoga Mudra" << 32;
        QTest::newRow("first") << "Anjali Mudra" << 1;
        QTest::newRow("only by name") << "Parvatasana" << 16;
    }
    void byName()
    {
        QFETCH(QString, name);
        QFETCH(int, position);
        combo("cboAsanasByName")->setCurrentText(name);
        QCOMPARE(title(), name);
        QCOMPARE(picture(), position);
    }

    void byBodyPartListsAndShowsTheFirst_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::newRow("one asana") << "Arms" << 1 << "Anjali Mudra";
        QTest::newRow("Live") << "Live" << 4 << "Ardhamatsyendrasana";
        QTest::newRow("Hands / Fingers") << "Hands / Fingers" << 3 << "Anjali Mudra";
        QTest::newRow("Abdomen") << "Abdomen" << 10 << "Ardhachandrasana";
    }
    void byBodyPartListsAndShowsTheFirst()
    {
        QFETCH(QString, key);
        QFETCH(int, count);
        QFETCH(QString, first);
        QComboBox *box = combo("cboAsanasByBodyPart");
        for (int twice = 0; twice < 2; ++twice) {
            box->setCurrentText(key);
            m_mdi->cboAsanasByBodyPart_Click(); // run again for the same entry
            QCOMPARE(list("lstAsanasByBodyPart")->count(), count);
            QCOMPARE(list("lstAsanasByBodyPart")->currentRow(), 0);
            QCOMPARE(title(), first);
        }
    }

    void byApplication()
    {
        QComboBox *box = combo("cboAsanasByTherapeuticApplications");
        box->setCurrentText(QStringLiteral("Asthma"));
        QListWidget *asanas = list("lstAsanasByTherapeuticApplications");
        QCOMPARE(asanas->count(), 13);
        QCOMPARE(asanas->item(12)->text(), QStringLiteral("Yoga Mudra"));
        QCOMPARE(title(), QStringLiteral("Ardhamatsyendrasana"));

        for (const char *key : {"Hyperthyroidism", "Hypothyroidism"}) {
            box->setCurrentText(QString::fromLatin1(key));
            QCOMPARE(entries(asanas), (QStringList{"Matsyasana", "Pavanamuktasana", "Sarvangasana"}));
            QCOMPARE(title(), QStringLiteral("Matsyasana"));
            QCOMPARE(picture(), 12);
        }
    }

    void choosingFromTheListShowsThatAsana()
    {
        combo("cboAsanasByBodyPart")->setCurrentText(QStringLiteral("Knees"));
        QListWidget *asanas = list("lstAsanasByBodyPart");
        const QRect row = asanas->visualItemRect(asanas->item(2));
        QTest::mouseClick(asanas->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(title(), asanas->item(2)->text());
        QTest::keyClick(asanas, Qt::Key_Down);
        QCOMPARE(title(), asanas->item(3)->text());
        QCOMPARE(picture(), 25); // Tadasana
    }

    void keyboardChoiceRunsTheHandler()
    {
        QComboBox *box = combo("cboAsanasByName");
        box->setFocus();
        box->setCurrentIndex(0);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->currentIndex(), 1);
        QCOMPARE(title(), QStringLiteral("Ardhachandrasana"));
        QCOMPARE(picture(), 2);
    }

    void topicPageKeepsThePicture()
    {
        combo("cboAsanasByName")->setCurrentText(QStringLiteral("Halasana"));
        m_mdi->Command52_Click();
        QCOMPARE(picture(), 8);
        QCOMPARE(title(), QStringLiteral("Why Should We Meditate ?"));
    }
};

QTEST_MAIN(tst_selection)
#include "tst_selection.moc"

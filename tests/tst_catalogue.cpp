#include "FakeServices.h"
#include "PageReader.h"
#include "content/AsanaCatalogue.h"
#include "content/ImageList.h"
#include "content/Lookups.h"
#include "pages/AsanaPage.h"

#include <QRegularExpression>
#include <QtTest>

using namespace modYogasana;

namespace {

enum class Contra { Empty, Paragraph, TwoItems };

// The shape every asana record must have; the words in between are the writers'.
struct Expected {
    int index;
    const char *sanskrit;
    const char *english;
    const char *descriptionBegins;
    int steps;
    int benefitItems; // 0: one paragraph
    Contra contraindications;
};

const Expected rows[] = {
    {0, "Anjali Mudra", "Salutation Seal", "The term Anjali", 4, 5, Contra::TwoItems},
    {1, "Ardhachandrasana", "Half-Moon Pose", "'Ardha' means half", 5, 3, Contra::Paragraph},
    {2, "Ardhamatsyendrasana", "Twist Pose", "Ardhamatsyendrasana is one", 6, 4, Contra::Empty},
    {3, "Bhujangasana", "Half- Cobra Pose", "Bhujanga is a", 6, 0, Contra::Paragraph},
    {4, "Dhanurasana", "Bow Pose", "Dhanu is a", 8, 4, Contra::Empty},
    {5, "Garudasana", "Eagle Pose", "Eagle is referred", 6, 0, Contra::Paragraph},
    {6, "Gomukhasana", "Cow-Face Pose", "'Gomukha' is a", 5, 4, Contra::Empty},
    {7, "Halasana", "Plough Posture", "Among all the", 5, 3, Contra::Paragraph},
    {8, "Kukkutasana", "Cock Pose", "'Kukkut' is a", 5, 4, Contra::Paragraph},
    {9, "Makarasana", "Crocodile Pose", "'Makara' is a", 5, 3, Contra::Paragraph},
    {10, "Mandukasana", "Frog Pose", "Frog is referred", 7, 4, Contra::Paragraph},
    {11, "Matsyasana", "Fish Pose", "Matsyasana or the", 7, 4, Contra::Paragraph},
    {12, "Mayurasana", "Feathered Peacock Pose", "Peacock is referred", 6, 5, Contra::Paragraph},
    {13, "Noukasana", "Boat Pose", "'Nauka' is a", 6, 3, Contra::Paragraph},
    {14, "Padmasana", "Lotus Pose", "Padmasana is one", 6, 0, Contra::Paragraph},
    {15, "Parvatasana", "Hill Pose", "In this asana,", 4, 5, Contra::Paragraph},
    {16, "Paschimottanasana", "Forward Bend Pose", "Back is referred", 7, 4, Contra::Paragraph},
    {17, "Pavanamuktasana", "Wind Releasing Pose", "'Pavan' is a", 6, 4, Contra::Paragraph},
    {18, "Sarvangasana", "Shoulder Stand Pose", "Sarvanga is a", 4, 6, Contra::Paragraph},
    {19, "Shalabhasana", "Locust Pose", "Shalabhasana is just", 5, 3, Contra::Paragraph},
    {20, "Shavasana", "Corpse Pose", "Corpse is referred", 4, 5, Contra::Paragraph},
    {21, "Siddhasana", "The Accomplished Pose", "Siddha is a", 5, 4, Contra::Paragraph},
    {22, "Simhasana", "Lion Pose", "'Simha' is a", 6, 3, Contra::Paragraph},
    {23, "Suptavajrasana", "Reclining Thunderbolt Pose", "Suptavajrasana is nothing,", 7, 3, Contra::Paragraph},
    {24, "Tadasana", "Mountain Pose", "Tadasana is a", 6, 3, Contra::Paragraph},
    {25, "Trikonasana", "Triangle Pose", "'Trikona' is a", 4, 0, Contra::Paragraph},
    {26, "Ustrasana", "Camel Pose", "Camel is referred", 4, 3, Contra::Empty},
    {27, "Uttanasana", "Standing Forward Bend", "'Uttan' is a", 4, 7, Contra::Paragraph},
    {28, "Vajrasana", "Thunderbolt Pose", "'Vajra' is a", 5, 0, Contra::Empty},
    {29, "Veerasana", "Hero Pose", "Hero or brave", 5, 0, Contra::Empty},
    {30, "Vrikshasana", "Tree Pose", "'Vriksha' is a", 5, 3, Contra::Empty},
    {31, "Yoga Mudra", "Scaling Pose", "The Scaling Pose", 6, 5, Contra::Empty},
};

// Each line of a numbered field begins "1. ", "2. ", ... without gaps.
bool isNumberedList(const QString &field, int count)
{
    const QStringList lines = field.split(QStringLiteral("\r\n"));
    if (lines.size() != count)
        return false;
    for (int i = 0; i < count; ++i)
        if (!lines[i].startsWith(QStringLiteral("%1. ").arg(i + 1)) || lines[i].size() <= 3)
            return false;
    return true;
}

bool isParagraph(const QString &field)
{
    return !field.isEmpty() && !field.contains(u'\r') && !field.contains(u'\n') &&
           !QRegularExpression(QStringLiteral("^\\d+\\. ")).match(field).hasMatch();
}

bool isPrintableAscii(const QString &field)
{
    for (const QString &line : field.split(QStringLiteral("\r\n"))) {
        if (line.isEmpty() || line.endsWith(u' ') || line.startsWith(u' '))
            return false;
        for (const QChar c : line)
            if (c.unicode() < 32 || c.unicode() > 126)
                return false;
    }
    return true;
}

class RecordingPicture final : public AsanaPictureBox {
public:
    void showPicture(int position) override { shown.append(position); }
    QList<int> shown;
};

} // namespace

class tst_catalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { LoadAsanaCatalogue(); }

    void everyRecordHasItsShape_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < AsanaCount; ++i)
            QTest::newRow(rows[i].sanskrit) << i;
    }
    void everyRecordHasItsShape()
    {
        QFETCH(int, row);
        const Expected &expected = rows[row];
        const AsanaRecord record = Row(expected.index);
        QCOMPARE(record.SanskritName, QString::fromLatin1(expected.sanskrit));
        QCOMPARE(record.EnglishName, QString::fromLatin1(expected.english));
        QVERIFY2(isParagraph(record.Description), "the description is one paragraph");
        QVERIFY2(record.Description.startsWith(QString::fromLatin1(expected.descriptionBegins)),
                 qPrintable(record.Description.left(40)));
        QVERIFY2(isNumberedList(record.Procedure, expected.steps), qPrintable(record.Procedure.left(60)));
        if (expected.benefitItems)
            QVERIFY2(isNumberedList(record.Benefits, expected.benefitItems), "benefits as numbered items");
        else
            QVERIFY2(isParagraph(record.Benefits), "benefits as one paragraph");
        switch (expected.contraindications) {
        case Contra::Empty:
            QVERIFY(record.Contraindications.isEmpty());
            break;
        case Contra::Paragraph:
            QVERIFY(isParagraph(record.Contraindications));
            break;
        case Contra::TwoItems:
            QVERIFY(isNumberedList(record.Contraindications, 2));
            break;
        }
        for (const QString &field :
             {record.SanskritName, record.EnglishName, record.Description, record.Procedure, record.Benefits}) {
            QVERIFY2(isPrintableAscii(field), qPrintable(field.left(60)));
            QVERIFY(!field.contains(QStringLiteral("\r\n\r\n")));
        }
        if (!record.Contraindications.isEmpty())
            QVERIFY(isPrintableAscii(record.Contraindications));
        QCOMPARE(PictureKey(expected.index),
                 QStringLiteral("%1 %2.jpg").arg(expected.index + 1, 2, 10, QLatin1Char('0')).arg(expected.sanskrit));
    }

    void parserRejectsWhatItCannotPlace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("no names") << "[Description]\nx\n[Procedure]\n1. a\n[Benefits]\nb\n[Contraindications]\n";
        QTest::newRow("unknown section") << "Sanskrit: A\nEnglish: B\n[Descripton]\nx\n";
        QTest::newRow("missing section") << "Sanskrit: A\nEnglish: B\n[Description]\nx\n[Procedure]\n1. a\n";
        QTest::newRow("stray text") << "Sanskrit: A\nEnglish: B\nhello\n";
    }
    void parserRejectsWhatItCannotPlace()
    {
        QFETCH(QString, text);
        QString error;
        QVERIFY(!ParseAsanaText(text, &error));
        QVERIFY(!error.isEmpty());
    }

    void parserJoinsLinesWithCrLf()
    {
        const auto record = ParseAsanaText(QStringLiteral("Sanskrit: A\r\nEnglish: B\n\n[Description]\nOne.\n"
                                                          "[Procedure]\n1. Up.\n\n2. Down.\n[Benefits]\nGood.\n"
                                                          "[Contraindications]\n"));
        QVERIFY(record);
        QCOMPARE(record->Procedure, QStringLiteral("1. Up.\r\n2. Down."));
        QCOMPARE(record->Contraindications, QString());
        QCOMPARE(record->SanskritName, QStringLiteral("A"));
    }

    void findAsana_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("row"); // -1: no match
        QTest::newRow("first") << "Anjali Mudra" << 0;
        QTest::newRow("last searched slot") << "Yoga Mudra" << 31;
        QTest::newRow("middle") << "Padmasana" << 14;
        QTest::newRow("other case") << "padmasana" << -1;
        QTest::newRow("leading space") << " Padmasana" << -1;
        QTest::newRow("trailing space") << "Padmasana " << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("english name") << "Lotus Pose" << -1;
    }
    void findAsana()
    {
        QFETCH(QString, name);
        QFETCH(int, row);
        const std::optional<AsanaIndex> found = FindAsana(name);
        QCOMPARE(found.value_or(-1), row);
    }

    void catalogueHasOneEmptySpareSlot()
    {
        QCOMPARE(int(Catalogue().SanskritName.size()), 33);
        QVERIFY(Catalogue().SanskritName[32].isEmpty());
        QVERIFY(Row(32).SanskritName.isEmpty());
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, Row(33));
    }

    void lookupTablesHaveTheirKeysInOrder()
    {
        QCOMPARE(BodyParts().size(), 36);
        QCOMPARE(TherapeuticApplications().size(), 31);
        QCOMPARE(BodyParts().first(), QStringLiteral("Abdomen"));
        QVERIFY(BodyParts().contains(QStringLiteral("Live")));
        QVERIFY(BodyParts().contains(QStringLiteral("Hands / Fingers")));
        QCOMPARE(TherapeuticApplications().mid(0, 3), (QStringList{"Anxiety", "Asthma", "Arthritis"}));
        for (const auto *table : {&BodyPartTable(), &TherapeuticApplicationTable()}) {
            for (const LookupRow &row : *table) {
                QVERIFY(!row.asanas.empty());
                QVERIFY2(std::is_sorted(row.asanas.begin(), row.asanas.end()) &&
                             std::adjacent_find(row.asanas.begin(), row.asanas.end()) == row.asanas.end(),
                         qPrintable(row.key));
                QVERIFY(row.asanas.back() < AsanaCount);
            }
        }
        QCOMPARE(AsanaNames().size(), 32);
        // Parvatasana is reachable by name only.
        for (const auto *table : {&BodyPartTable(), &TherapeuticApplicationTable()})
            for (const LookupRow &row : *table)
                QVERIFY(std::find(row.asanas.begin(), row.asanas.end(), 15) == row.asanas.end());
    }

    void listing_data()
    {
        QTest::addColumn<bool>("bodyPart");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("one asana") << true << "Arms" << QStringList{"Anjali Mudra"};
        QTest::newRow("Live") << true << "Live"
                              << QStringList{"Ardhamatsyendrasana", "Bhujangasana", "Paschimottanasana", "Uttanasana"};
        QTest::newRow("Kidneys like Live")
            << true << "Kidneys"
            << QStringList{"Ardhamatsyendrasana", "Bhujangasana", "Paschimottanasana", "Uttanasana"};
        QTest::newRow("Hyperthyroidism") << false << "Hyperthyroidism"
                                         << QStringList{"Matsyasana", "Pavanamuktasana", "Sarvangasana"};
        QTest::newRow("Hypothyroidism") << false << "Hypothyroidism"
                                        << QStringList{"Matsyasana", "Pavanamuktasana", "Sarvangasana"};
        QTest::newRow("unknown key") << true << "Elbows" << QStringList{};
        QTest::newRow("case matters") << false << "asthma" << QStringList{};
    }
    void listing()
    {
        QFETCH(bool, bodyPart);
        QFETCH(QString, key);
        QFETCH(QStringList, names);
        Catalogue() = {}; // listing works before any page was shown
        const QStringList listed = bodyPart ? ListAsanasByBodyPart(key) : ListAsanasByTherapeuticApplication(key);
        QCOMPARE(listed, names);
        QCOMPARE(int((bodyPart ? BodyPartHits() : TherapeuticApplicationHits()).size()), names.size());
        LoadAsanaCatalogue();
    }

    void longestListIsAsthma()
    {
        const QStringList asthma = ListAsanasByTherapeuticApplication(QStringLiteral("Asthma"));
        QCOMPARE(asthma.size(), 13);
        QCOMPARE(asthma.last(), QStringLiteral("Yoga Mudra"));
        for (const LookupRow &row : TherapeuticApplicationTable())
            QVERIFY(row.asanas.size() <= 13);
    }

    // The page of an asana, run by run: labels bold magenta, fields plain black, all 14 pt.
    void pageWithContraindications()
    {
        QTextEdit box;
        RichPage page(&box);
        RecordingPicture picture;
        ShowAsanaPage(QStringLiteral("Anjali Mudra"), page, picture);
        QCOMPARE(picture.shown, QList<int>{1});
        const AsanaRecord record = Row(0);
        const QString crlf = QStringLiteral("\r\n");
        const QString expected = record.SanskritName + crlf + crlf + "Description: " + crlf + record.Description +
                                 crlf + crlf + "English Name: " + record.EnglishName + crlf + crlf +
                                 "Procedure: " + crlf + record.Procedure + crlf + crlf + "Benefits: " + crlf +
                                 record.Benefits + crlf + crlf + "Contradictions: " + crlf + record.Contraindications;
        QCOMPARE(pageText(box.document()), expected);

        const QStringList labels = {"Description: ", "English Name: ", "Procedure: ", "Benefits: ", "Contradictions: "};
        const QColor magenta(128, 0, 128);
        for (const Run &run : runsOf(box.document())) {
            const bool label = labels.contains(run.text);
            const bool title = run.text == record.SanskritName;
            QCOMPARE(run.bold, label || title);
            QCOMPARE(run.colour, label || title ? magenta : QColor(0, 0, 0));
            QCOMPARE(run.size, 14.0);
            QVERIFY(!run.underline && !run.italic);
            QCOMPARE(run.alignment, title ? Qt::AlignHCenter : Qt::AlignLeft);
        }
        const QList<Qt::Alignment> alignments = alignmentsOf(box.document());
        QCOMPARE(alignments[1], Qt::AlignHCenter); // the blank line under the title
        QCOMPARE(alignments[2], Qt::AlignLeft);
    }

    void pageWithoutContraindicationsEndsAfterBenefits()
    {
        QTextEdit box;
        RichPage page(&box);
        RecordingPicture picture;
        ShowAsanaPage(QStringLiteral("Dhanurasana"), page, picture);
        const QString text = pageText(box.document());
        QVERIFY(text.endsWith(Row(4).Benefits + QStringLiteral("\r\n\r\n")));
        QVERIFY(!text.contains(QStringLiteral("Contradictions")));
        QCOMPARE(picture.shown, QList<int>{5});
    }

    void unknownNameChangesNothingAndRepeatsAreIdentical()
    {
        QTextEdit box;
        RichPage page(&box);
        RecordingPicture picture;
        ShowAsanaPage(QStringLiteral("Yoga Mudra"), page, picture);
        const QString html = box.toHtml();
        ShowAsanaPage(QStringLiteral("Padmasana "), page, picture);
        QCOMPARE(box.toHtml(), html);
        QCOMPARE(picture.shown, QList<int>{32});
        ShowAsanaPage(QStringLiteral("Yoga Mudra"), page, picture);
        QCOMPARE(box.toHtml(), html);
    }

    void imageListHoldsThe32Pictures()
    {
        ImageList images;
        QCOMPARE(images.count(), 32);
        QCOMPARE(images.key(1), QStringLiteral("01 Anjali Mudra.jpg"));
        QCOMPARE(images.key(32), QStringLiteral("32 Yoga Mudra.jpg"));
        QVERIFY(images.picture(0).isNull());
        QVERIFY(images.picture(33).isNull());
    }
};

QTEST_MAIN(tst_catalogue)
#include "tst_catalogue.moc"

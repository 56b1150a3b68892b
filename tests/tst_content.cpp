#include "content/ContentModel.h"

#include <QResource>
#include <QtTest>

// The content model checks the whole of data/ at once; these tests hold it to the shipped data
// and to a small folder with one of each fault.
class tst_content : public QObject {
    Q_OBJECT

    static QString problemsText(const ContentModel &model) { return model.problems().join(u'\n'); }

    // The first thing two models disagree on, or nothing.
    static QString difference(const ContentModel &a, const ContentModel &b)
    {
        if (a.problems() != b.problems())
            return QStringLiteral("problems: ") + problemsText(a) + QStringLiteral(" | ") + problemsText(b);
        if (a.asanas().size() != b.asanas().size())
            return QStringLiteral("number of records");
        for (int i = 0; i < a.asanas().size(); ++i) {
            const modYogasana::AsanaRecord &x = a.asanas().at(i), &y = b.asanas().at(i);
            if (a.slug(i) != b.slug(i) || x.SanskritName != y.SanskritName || x.EnglishName != y.EnglishName ||
                x.Description != y.Description || x.Procedure != y.Procedure || x.Benefits != y.Benefits ||
                x.Contraindications != y.Contraindications)
                return QStringLiteral("record %1").arg(a.slug(i));
        }
        const std::pair<const std::vector<modYogasana::LookupRow> *, const std::vector<modYogasana::LookupRow> *>
            lookups[] = {{&a.bodyParts(), &b.bodyParts()},
                         {&a.therapeuticApplications(), &b.therapeuticApplications()}};
        for (const auto &[x, y] : lookups) {
            if (x->size() != y->size())
                return QStringLiteral("number of lookup rows");
            for (size_t r = 0; r < x->size(); ++r)
                if (x->at(r).key != y->at(r).key || x->at(r).asanas != y->at(r).asanas)
                    return QStringLiteral("lookup row ") + x->at(r).key;
        }
        if (a.sections().size() != b.sections().size())
            return QStringLiteral("number of sections");
        for (int k = 0; k < a.sections().size(); ++k) {
            const Section &x = a.sections().at(k), &y = b.sections().at(k);
            if (x.button != y.button || x.caption != y.caption || x.panel != y.panel || x.panelLeft != y.panelLeft ||
                x.panelHeight != y.panelHeight || x.topics.size() != y.topics.size())
                return QStringLiteral("section ") + x.button;
            for (int t = 0; t < x.topics.size(); ++t)
                if (x.topics.at(t).button != y.topics.at(t).button || x.topics.at(t).caption != y.topics.at(t).caption)
                    return QStringLiteral("topic ") + x.topics.at(t).button;
        }
        for (const QString &name : RequiredTexts())
            if (a.text(name) != b.text(name))
                return QStringLiteral("text ") + name;
        return {};
    }

private Q_SLOTS:
    void shippedContentHasNoProblems()
    {
        const ContentModel &content = Content();
        QVERIFY2(content.problems().isEmpty(), qPrintable(problemsText(content)));
        QCOMPARE(content.asanas().size(), 32);
        QCOMPARE(int(content.bodyParts().size()), 36);
        QCOMPARE(int(content.therapeuticApplications().size()), 31);
        QCOMPARE(content.sections().size(), 7);
        int topics = 0;
        for (const Section &section : content.sections()) {
            for (const TopicButton &topic : section.topics) {
                ++topics;
                QVERIFY2(!content.topic(topic.button).blocks.isEmpty(), qPrintable(topic.button));
            }
        }
        QCOMPARE(topics, 21);
        for (const QString &name : RequiredTexts())
            QVERIFY2(!content.text(name).isEmpty(), qPrintable(name));
    }

    // Text, picture and pose file of an asana are tied by one slug, not by their order.
    void everyAsanaHasItsFilesUnderOneSlug()
    {
        const ContentModel &content = Content();
        for (int i = 0; i < content.asanas().size(); ++i) {
            const QString slug = content.slug(i);
            QVERIFY(slug.endsWith(content.asanas().at(i).SanskritName.toLower().replace(u' ', u'-')));
            QVERIFY2(QFile::exists(content.picturePath(i)), qPrintable(slug));
            QVERIFY2(QFile::exists(content.picturePath(i, true)), qPrintable(slug));
            QVERIFY2(QFile::exists(QStringLiteral(":/poses/%1.pose").arg(slug)), qPrintable(slug));
        }
    }

    void lookupsNameAsanasInTheirListedOrder()
    {
        const ContentModel &content = Content();
        const modYogasana::LookupRow &arms = content.bodyParts().at(3);
        QCOMPARE(arms.key, QStringLiteral("Arms"));
        QCOMPARE(arms.asanas, std::vector<modYogasana::AsanaIndex>{0});
        const modYogasana::LookupRow &asthma = content.therapeuticApplications().at(1);
        QCOMPARE(asthma.key, QStringLiteral("Asthma"));
        QCOMPARE(content.asanas().at(asthma.asanas.back()).SanskritName, QStringLiteral("Yoga Mudra"));
    }

    void eachKindOfFaultIsReported_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::newRow("too few records") << "asanas: 4 records where there must be 32";
        QTest::newRow("record that does not parse") << "asanas/03-broken.txt: text outside a section";
        QTest::newRow("file named after another asana") << "asanas/02-beta.txt: Gamma belongs in 02-gamma.txt";
        QTest::newRow("alphabetical order") << "asanas/04-delta.txt: Delta is out of alphabetical order";
        QTest::newRow("missing picture") << "asanas/01-alpha-asana.txt: no picture pictures/01-alpha-asana.jpg";
        QTest::newRow("missing double-size picture")
            << "asanas/02-beta.txt: no double-size picture pictures/02-beta@2x.jpg";
        QTest::newRow("missing pose file") << "asanas/04-delta.txt: no pose file poses/04-delta.pose";
        QTest::newRow("procedure not numbered") << "asanas/04-delta.txt: the procedure is not numbered";
        QTest::newRow("gap in a numbered list") << "asanas/02-beta.txt: a numbered list with a gap";
        QTest::newRow("lookup names no asana") << "lookups/body-parts.txt line 2: no asana named 'Nowhere Asana'";
        QTest::newRow("lookup key twice") << "lookups/body-parts.txt line 3: Arms is listed twice";
        QTest::newRow("lookup line without key") << "lookups/body-parts.txt line 4: expected 'Key: Asana, Asana'";
        QTest::newRow("lookup row count") << "lookups/body-parts.txt: 2 rows where there must be 36";
        QTest::newRow("missing lookup") << "lookups/therapeutic-applications.txt: cannot be read";
        QTest::newRow("section count") << "sections.json: 1 sections where there must be 7";
        QTest::newRow("topic count") << "sections.json: 2 topic buttons where there must be 21";
        QTest::newRow("topic button without page") << "topics/Command12.txt: no page for this topic button";
        QTest::newRow("item without marker") << "topics/Command11.txt: an item without its marker";
        QTest::newRow("page without button") << "topics/Command99.txt: no topic button shows this page";
        QTest::newRow("missing text") << "texts/about.txt: missing";
        QTest::newRow("introduction paragraphs") << "texts/introduction.txt: 2 paragraphs where there must be 3";
    }
    void eachKindOfFaultIsReported()
    {
        QFETCH(QString, expected);
        const ContentModel model = ContentModel::load(QStringLiteral(TAVRELLO_FIXTURES "/broken-content"));
        const QString problems = problemsText(model);
        QVERIFY2(problems.contains(expected), qPrintable(problems));
    }

    // What loads is kept: a broken record takes nothing else down with it.
    void soundPartsOfABrokenFolderStillLoad()
    {
        const ContentModel model = ContentModel::load(QStringLiteral(TAVRELLO_FIXTURES "/broken-content"));
        QCOMPARE(model.asanas().size(), 3);
        QCOMPARE(model.asanas().first().SanskritName, QStringLiteral("Alpha Asana"));
        QCOMPARE(model.topic(QStringLiteral("Command11")).blocks.size(), 2);
        QVERIFY(model.topic(QStringLiteral("Command12")).blocks.isEmpty());
        QCOMPARE(model.text(QStringLiteral("introduction")), QStringLiteral("One paragraph.\nTwo paragraphs."));
    }

    // An embedded folder is listed and read from the resource tree itself; it must give what the
    // same folder gives on disk, faults included.
    void anEmbeddedFolderLoadsAsOnDisk()
    {
        const ContentModel onDisk = ContentModel::load(QStringLiteral(TAVRELLO_FIXTURES "/broken-content"));
        const ContentModel embedded = ContentModel::load(QStringLiteral(":/embedded/broken-content"));
        QCOMPARE(embedded.problems(), onDisk.problems());
        QCOMPARE(embedded.asanas().size(), onDisk.asanas().size());
        for (int i = 0; i < onDisk.asanas().size(); ++i) {
            QCOMPARE(embedded.slug(i), onDisk.slug(i));
            QCOMPARE(embedded.asanas().at(i).SanskritName, onDisk.asanas().at(i).SanskritName);
            QCOMPARE(embedded.asanas().at(i).Procedure, onDisk.asanas().at(i).Procedure);
        }
        QCOMPARE(embedded.bodyParts().size(), onDisk.bodyParts().size());
        QCOMPARE(embedded.text(QStringLiteral("introduction")), onDisk.text(QStringLiteral("introduction")));
    }

    // The program's own content comes from the snapshot the build takes of data/: it must be what
    // reading data/ itself gives.
    void shippedContentIsWhatItsFilesSay()
    {
        QFile embedded(QStringLiteral(":/content.snapshot"));
        QVERIFY(embedded.open(QIODevice::ReadOnly));
        const std::optional<ContentModel> taken = ContentModel::fromSnapshot(QStringLiteral(":/"), embedded.readAll());
        QVERIFY(taken);
        const ContentModel read = ContentModel::load(QStringLiteral(TAVRELLO_DATA));
        QVERIFY(!read.asanas().isEmpty());
        for (const ContentModel *model : {&*taken, &Content()}) {
            const QString different = difference(*model, read);
            QVERIFY2(different.isEmpty(), qPrintable(different));
        }
    }

    // The program's own texts are used where the embedded snapshot holds them, not copied onto the
    // heap; a snapshot handed in as bytes has its texts copied, so that they outlive the bytes.
    void embeddedTextsAreUsedWhereTheyLie()
    {
        const QResource embedded(QStringLiteral(":/content.snapshot"));
        QCOMPARE(embedded.compressionAlgorithm(), QResource::NoCompression);
        const auto *begin = reinterpret_cast<const char *>(embedded.data());
        const auto inSnapshot = [&](const QString &text) {
            const auto *at = reinterpret_cast<const char *>(text.constData());
            return at >= begin && at + text.size() * 2 <= begin + embedded.size();
        };
        const modYogasana::AsanaRecord &first = Content().asanas().front();
        for (const QString &text : {first.SanskritName, first.Description, first.Contraindications,
                                    Content().text(QStringLiteral("introduction")), Content().bodyParts().front().key,
                                    Content().sections().front().caption, Content().slug(0)})
            QVERIFY2(inSnapshot(text), qPrintable(text.left(40)));

        QByteArray bytes(begin, embedded.size());
        const std::optional<ContentModel> taken = ContentModel::fromSnapshot(QStringLiteral(":/"), bytes);
        QVERIFY(taken);
        const QString description = taken->asanas().front().Description;
        bytes.fill('x');
        QCOMPARE(description, first.Description);
    }

    // A snapshot keeps whatever loading found, faults and all; the checks made on first use then
    // find the rest, as they do for the folder itself.
    void aSnapshotKeepsWhatLoadingFound()
    {
        const QString root = QStringLiteral(TAVRELLO_FIXTURES "/broken-content");
        const std::optional<ContentModel> taken = ContentModel::fromSnapshot(root, ContentModel::snapshotOf(root));
        QVERIFY(taken);
        const ContentModel read = ContentModel::load(root);
        const QString different = difference(*taken, read);
        QVERIFY2(different.isEmpty(), qPrintable(different));
        QVERIFY(problemsText(*taken).contains(QStringLiteral("asanas/03-broken.txt: text outside a section")));
    }

    void aSpoiltSnapshotIsNotTaken_data()
    {
        QTest::addColumn<int>("cut");     // bytes taken off the end
        QTest::addColumn<int>("spoilAt"); // a byte changed there, or -1
        QTest::addColumn<int>("extra");   // bytes added at the end
        QTest::newRow("one byte short") << 1 << -1 << 0;
        QTest::newRow("half") << -2 << -1 << 0;
        QTest::newRow("another layout") << 0 << 0 << 0;
        QTest::newRow("a count spoilt") << 0 << 8 << 0;
        QTest::newRow("one byte more") << 0 << -1 << 1;
    }
    void aSpoiltSnapshotIsNotTaken()
    {
        QFETCH(int, cut);
        QFETCH(int, spoilAt);
        QFETCH(int, extra);
        const QString root = QStringLiteral(TAVRELLO_FIXTURES "/broken-content");
        QByteArray snapshot = ContentModel::snapshotOf(root);
        QVERIFY(ContentModel::fromSnapshot(root, snapshot));
        snapshot.chop(cut == -2 ? snapshot.size() / 2 : cut);
        if (spoilAt >= 0)
            snapshot[spoilAt] = char(snapshot.at(spoilAt) ^ 0x40);
        snapshot.append(extra, 'x');
        QVERIFY(!ContentModel::fromSnapshot(root, snapshot));
    }

    // The program's own records come in the order a directory listing gives their files.
    void shippedRecordsInTheirFilesOrder()
    {
        QStringList slugs;
        for (int i = 0; i < Content().asanas().size(); ++i)
            slugs << Content().slug(i) + QStringLiteral(".txt");
        QCOMPARE(slugs, QDir(QStringLiteral(":/asanas")).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name));
    }

    void aMissingFolderReportsAndDoesNotCrash()
    {
        const ContentModel model = ContentModel::load(QStringLiteral(TAVRELLO_FIXTURES "/no-such-folder"));
        QVERIFY(model.asanas().isEmpty());
        QVERIFY(problemsText(model).contains(QStringLiteral("asanas: 0 records")));
    }
};

QTEST_GUILESS_MAIN(tst_content)
#include "tst_content.moc"

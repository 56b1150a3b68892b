#include "FakeServices.h"
#include "PageReader.h"
#include "app/MainWindow.h"
#include "content/ContentModel.h"
#include "pages/DisplayWindow.h"
#include "pages/TopicPage.h"
#include "platform/Controls.h"

#include <QPushButton>
#include <QtTest>

namespace {

using Kind = TopicBlock::Kind;
enum class Style { BodyStyle, HeadingStyle, HeadingTextStyle, LabelStyle, LabelTextStyle };

struct Look {
    bool bold, underline;
    QColor colour;
};

Look lookOf(Style style)
{
    const QColor black(0, 0, 0), green(0, 128, 0), magenta(128, 0, 128);
    switch (style) {
    case Style::BodyStyle:
        return {false, false, black};
    case Style::HeadingStyle:
        return {true, true, green};
    case Style::HeadingTextStyle:
        return {false, false, green};
    case Style::LabelStyle:
        return {true, false, magenta};
    case Style::LabelTextStyle:
        return {false, false, magenta};
    }
    return {};
}

struct ExpectedBlock {
    Kind kind;
    const char *text; // exact, or the words the text begins with
    bool exact;
    int breaks;
    Style style;
};

struct ExpectedPage {
    const char *button;
    QList<ExpectedBlock> blocks;
};

// Every topic page block by block: kinds, exact headings and labels, the first words of
// paragraphs and the markers of items, line breaks, and the style each block must end up in.
const QList<ExpectedPage> &expectedPages()
{
    static const QList<ExpectedPage> pages = {
        {"Command11",
         {
             {Kind::Paragraph, "'Yoga' in Sanskrit means", false, 2, Style::BodyStyle},
             {Kind::Paragraph, "This is an age-old practice", false, 2, Style::BodyStyle},
             {Kind::Paragraph, "Yoga has its roots in", false, 2, Style::BodyStyle},
             {Kind::Paragraph, "Discipline and hard work should", false, 0, Style::BodyStyle},
         }},
        {"Command12",
         {
             {Kind::Paragraph, "Yoga follows four main paths", false, 2, Style::BodyStyle},
             {Kind::Label, "Karma Yoga - The Yoga of action", true, 1, Style::LabelStyle},
             {Kind::Paragraph, "Karma Yoga is basically the", false, 2, Style::LabelTextStyle},
             {Kind::Label, "Bhakti Yoga - the Path of Devotion or Divine Love", true, 1, Style::LabelStyle},
             {Kind::Paragraph, "If you are an emotional", false, 2, Style::LabelTextStyle},
             {Kind::Label, "Jnana Yoga - the Yoga of Knowledge or Wisdom", true, 1, Style::LabelStyle},
             {Kind::Paragraph, "Of all the four paths", false, 2, Style::LabelTextStyle},
             {Kind::Label, "Raja Yoga - the Science of Physical and Mental Control", true, 1, Style::LabelStyle},
             {Kind::Paragraph, "Raja Yoga is very often", false, 0, Style::LabelTextStyle},
         }},
        {"Command13",
         {
             {Kind::Paragraph, "As you grow old, you", false, 2, Style::BodyStyle},
             {Kind::Paragraph, "But as far as Yoga", false, 2, Style::BodyStyle},
             {Kind::Paragraph, "Yoga and its practices know", false, 2, Style::BodyStyle},
             {Kind::Paragraph, "Yoga and its practices generate", false, 0, Style::BodyStyle},
         }},
        {"Command14",
         {
             {Kind::Heading, "Benefits of Yoga:", true, 2, Style::HeadingStyle},
             {Kind::Label, "Physical Benefits:", true, 2, Style::LabelStyle},
             {Kind::Item, "* Keeps the body well", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Label, "Psychological Benefits:", true, 2, Style::LabelStyle},
             {Kind::Item, "* Enables you to relax", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Label, "Spiritual Benefits:", true, 2, Style::LabelStyle},
             {Kind::Item, "* Makes you more alert", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "* ", false, 0, Style::LabelTextStyle},
         }},
        {"Command15",
         {
             {Kind::Item, "* There are a number", false, 2, Style::BodyStyle},
             {Kind::Item, "* ", false, 2, Style::BodyStyle},
             {Kind::Item, "* ", false, 2, Style::BodyStyle},
             {Kind::Item, "* ", false, 2, Style::BodyStyle},
             {Kind::Item, "* ", false, 2, Style::BodyStyle},
             {Kind::Item, "* ", false, 2, Style::BodyStyle},
             {Kind::Item, "* ", false, 2, Style::BodyStyle},
             {Kind::Item, "* ", false, 2, Style::BodyStyle},
             {Kind::Item, "* ", false, 2, Style::BodyStyle},
             {Kind::Item, "* ", false, 0, Style::BodyStyle},
         }},
        {"Command16",
         {
             {Kind::Paragraph, "The term Yogasana has been", false, 0, Style::BodyStyle},
         }},
        {"Command51",
         {
             {Kind::Paragraph, "The word Meditation has been", false, 2, Style::BodyStyle},
             {Kind::Paragraph, "To a layman the word", false, 0, Style::BodyStyle},
         }},
        {"Command52",
         {
             {Kind::Paragraph, "The primary purpose of practicing", false, 2, Style::BodyStyle},
             {Kind::Item, "1. It helps us to", false, 2, Style::BodyStyle},
             {Kind::Item, "2. ", false, 2, Style::BodyStyle},
             {Kind::Item, "3. ", false, 2, Style::BodyStyle},
             {Kind::Item, "4. ", false, 0, Style::BodyStyle},
         }},
        {"Command53",
         {
             {Kind::Paragraph, "The importance of Meditation in", false, 2, Style::BodyStyle},
             {Kind::Paragraph, "Meditation helps people to fight", false, 2, Style::BodyStyle},
             {Kind::Item, "1. It helps you to", false, 2, Style::BodyStyle},
             {Kind::Item, "2. ", false, 2, Style::BodyStyle},
             {Kind::Item, "3. ", false, 2, Style::BodyStyle},
             {Kind::Item, "4. ", false, 2, Style::BodyStyle},
             {Kind::Item, "5. ", false, 2, Style::BodyStyle},
             {Kind::Item, "6. ", false, 0, Style::BodyStyle},
         }},
        {"Command54",
         {
             {Kind::Heading, "The three mind controlling techniques which are provided by meditation are:", true, 2,
              Style::HeadingStyle},
             {Kind::Label, "1. Sense Organs:", true, 1, Style::LabelStyle},
             {Kind::Paragraph, "Sense organs are the most", false, 2, Style::LabelTextStyle},
             {Kind::Label, "2. Breathing: ", true, 1, Style::LabelStyle},
             {Kind::Paragraph, "It is our emotions and", false, 2, Style::LabelTextStyle},
             {Kind::Label, "3. Body Movements: ", true, 1, Style::LabelStyle},
             {Kind::Paragraph, "Yoga involves a number of", false, 0, Style::LabelTextStyle},
         }},
        {"Command55",
         {
             {Kind::Heading, "The following are the pre-requisites for a successful meditation:", true, 2,
              Style::HeadingStyle},
             {Kind::Item, "1. Meditation should be practiced", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "2. ", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "3. ", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "4. ", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "5. ", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "6. ", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "7. ", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "8. ", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "9. ", false, 0, Style::HeadingTextStyle},
         }},
        {"Command61",
         {
             {Kind::Paragraph, "Pranayama is a form of", false, 2, Style::BodyStyle},
             {Kind::Paragraph, "Sri Sankarachraya - an eminent", false, 2, Style::BodyStyle},
             {Kind::Paragraph, "Pranayama deals with the method", false, 0, Style::BodyStyle},
         }},
        {"Command62",
         {
             {Kind::Heading, "The importance and the benefits of practicing Pranayama have been listed as follows:",
              true, 2, Style::HeadingStyle},
             {Kind::Item, "* The body becomes more", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "* ", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "* ", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "* ", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "* ", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "* ", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "* ", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "* ", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "* ", false, 2, Style::HeadingTextStyle},
             {Kind::Item, "* ", false, 0, Style::HeadingTextStyle},
         }},
        {"Command63",
         {
             {Kind::Paragraph, "This is one of the", false, 2, Style::BodyStyle},
             {Kind::Label, "Procedure", true, 1, Style::LabelStyle},
             {Kind::Item, "1. First close your nostrils", false, 2, Style::LabelTextStyle},
             {Kind::Item, "2. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "3. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "4. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "5. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "6. ", false, 2, Style::LabelTextStyle},
             {Kind::Label, "Benefits", true, 1, Style::LabelStyle},
             {Kind::Item, "1. This form of Pranayam", false, 2, Style::LabelTextStyle},
             {Kind::Item, "2. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "3. ", false, 2, Style::LabelTextStyle},
             {Kind::Label, "Cautions", true, 1, Style::LabelStyle},
             {Kind::Item, "1. Make your inhalation and", false, 2, Style::LabelTextStyle},
             {Kind::Item, "2. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "3. ", false, 0, Style::LabelTextStyle},
         }},
        {"Command64",
         {
             {Kind::Paragraph, "Bhastrika is a Sanskrit term", false, 2, Style::BodyStyle},
             {Kind::Label, "Procedure", true, 1, Style::LabelStyle},
             {Kind::Item, "1. Sit in Padmasana or", false, 2, Style::LabelTextStyle},
             {Kind::Item, "2. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "3. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "4. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "5. ", false, 2, Style::LabelTextStyle},
             {Kind::Label, "Benefits", true, 1, Style::LabelStyle},
             {Kind::Item, "1. This form of Pranayam", false, 2, Style::LabelTextStyle},
             {Kind::Item, "2. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "3. ", false, 2, Style::LabelTextStyle},
             {Kind::Label, "Caution", true, 1, Style::LabelStyle},
             {Kind::Item, "1. Practicing this asana for", false, 2, Style::LabelTextStyle},
             {Kind::Item, "2. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "3. ", false, 1, Style::LabelTextStyle},
         }},
        {"Command65",
         {
             {Kind::Paragraph, "This is a form of", false, 2, Style::BodyStyle},
             {Kind::Label, "Procedure", true, 1, Style::LabelStyle},
             {Kind::Item, "1. Sit in Padmasana or", false, 2, Style::LabelTextStyle},
             {Kind::Item, "2. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "3. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "4. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "5. ", false, 2, Style::LabelTextStyle},
             {Kind::Label, "Benefits", true, 1, Style::LabelStyle},
             {Kind::Item, "1. This form of Pranayam", false, 2, Style::LabelTextStyle},
             {Kind::Item, "2. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "3. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "4. ", false, 2, Style::LabelTextStyle},
             {Kind::Label, "Caution", true, 1, Style::LabelStyle},
             {Kind::Item, "1. Do not over strain", false, 0, Style::LabelTextStyle},
         }},
        {"Command66",
         {
             {Kind::Paragraph, "'Kapala' is a Sanskrit term", false, 2, Style::BodyStyle},
             {Kind::Label, "Procedure", true, 1, Style::LabelStyle},
             {Kind::Item, "1. Sit in Padmasana or", false, 2, Style::LabelTextStyle},
             {Kind::Item, "2. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "3. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "4. ", false, 2, Style::LabelTextStyle},
             {Kind::Item, "5. ", false, 2, Style::LabelTextStyle},
             {Kind::Label, "Benefits", true, 1, Style::LabelStyle},
             {Kind::Item, "1. This form of breathing", false, 2, Style::LabelTextStyle},
             {Kind::Item, "2. ", false, 0, Style::LabelTextStyle},
         }},
        {"Command71",
         {
             {Kind::Paragraph, "Surya means Sun and", false, 2, Style::BodyStyle},
             {Kind::Paragraph, "Surya Namaskar is a range", false, 0, Style::BodyStyle},
         }},
        {"Command72",
         {
             {Kind::Item, "1. Stand up straight on", false, 2, Style::BodyStyle},
             {Kind::Item, "2. ", false, 2, Style::BodyStyle},
             {Kind::Item, "3. ", false, 2, Style::BodyStyle},
             {Kind::Item, "4. ", false, 2, Style::BodyStyle},
             {Kind::Item, "5. ", false, 2, Style::BodyStyle},
             {Kind::Item, "6. ", false, 2, Style::BodyStyle},
             {Kind::Item, "7. ", false, 2, Style::BodyStyle},
             {Kind::Item, "8. ", false, 2, Style::BodyStyle},
             {Kind::Item, "9. ", false, 2, Style::BodyStyle},
             {Kind::Item, "10. ", false, 2, Style::BodyStyle},
             {Kind::Item, "11. ", false, 2, Style::BodyStyle},
             {Kind::Item, "12. ", false, 0, Style::BodyStyle},
         }},
        {"Command73",
         {
             {Kind::Item, "1. The to and fro", false, 2, Style::BodyStyle},
             {Kind::Item, "2. ", false, 2, Style::BodyStyle},
             {Kind::Item, "3. ", false, 2, Style::BodyStyle},
             {Kind::Item, "4. ", false, 2, Style::BodyStyle},
             {Kind::Item, "5. ", false, 0, Style::BodyStyle},
         }},
        {"Command74",
         {
             {Kind::Paragraph, "Although Surya Namaskar is beneficial", false, 2, Style::BodyStyle},
             {Kind::Item, "1. Pregnant women during their", false, 2, Style::BodyStyle},
             {Kind::Item, "2. ", false, 2, Style::BodyStyle},
             {Kind::Item, "3. ", false, 2, Style::BodyStyle},
             {Kind::Item, "4. ", false, 2, Style::BodyStyle},
             {Kind::Item, "5. ", false, 0, Style::BodyStyle},
         }},
    };
    return pages;
}

// The paragraphs of a page and the look of every run in each.
struct Paragraph {
    QString text;
    Qt::Alignment alignment;
    QList<QTextCharFormat> formats;
};

QList<Paragraph> paragraphsOf(const QTextDocument *document)
{
    QList<Paragraph> result;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        Paragraph paragraph{block.text(), block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, {}};
        for (auto it = block.begin(); !it.atEnd(); ++it)
            paragraph.formats.append(it.fragment().charFormat());
        result.append(paragraph);
    }
    return result;
}

bool looksLike(const Paragraph &paragraph, const Look &look, Qt::Alignment alignment)
{
    if (paragraph.alignment != alignment || paragraph.formats.isEmpty())
        return false;
    for (const QTextCharFormat &format : paragraph.formats) {
        if ((format.fontWeight() >= QFont::Bold) != look.bold || format.fontUnderline() != look.underline ||
            format.foreground().color() != look.colour || format.fontPointSize() != 14 || format.fontItalic())
            return false;
    }
    return true;
}

} // namespace

class tst_topics : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void captionShowsAsItReads_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << "Paths Of Yoga"
                               << "Paths Of Yoga";
        QTest::newRow("double ampersand") << "Importance && Benefits Of Pranayam"
                                          << "Importance & Benefits Of Pranayam";
        QTest::newRow("access key") << "E&xit"
                                    << "Exit";
        QTest::newRow("both") << "&A && B"
                              << "A & B";
    }
    void captionShowsAsItReads()
    {
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        QCOMPARE(Controls::ShownCaption(caption), shown);
    }

    // Each block kind after each other kind: the colour a heading or label sets stays for what
    // follows; bold and underline do not.
    void grammar_data()
    {
        QTest::addColumn<QString>("blocks"); // kind letters with breaks, e.g. "P2 H2 P0"
        QTest::addColumn<QString>("styles"); // expected style letter per block
        QTest::addColumn<QString>("text");   // the whole page text after the title
        QTest::newRow("paragraphs") << "P2 I1 P0"
                                    << "B B B"
                                    << "p0\r\n\r\ni1\r\np2";
        QTest::newRow("heading then text") << "H2 P2 I0"
                                           << "H h h"
                                           << "h0\r\n\r\np1\r\n\r\ni2";
        QTest::newRow("label then text") << "L1 I2 P0"
                                         << "L l l"
                                         << "l0\r\ni1\r\n\r\np2";
        QTest::newRow("heading then label") << "H2 L2 P0"
                                            << "H L l"
                                            << "h0\r\n\r\nl1\r\n\r\np2";
        QTest::newRow("label then heading") << "L1 P2 H2 P0"
                                            << "L l H h"
                                            << "l0\r\np1\r\n\r\nh2\r\n\r\np3";
        QTest::newRow("text then heading") << "P2 H2 P0"
                                           << "B H h"
                                           << "p0\r\n\r\nh1\r\n\r\np2";
        QTest::newRow("breaks 0 1 2") << "P0"
                                      << "B"
                                      << "p0";
        QTest::newRow("ends with a break") << "I1"
                                           << "B"
                                           << "i0\r\n";
        QTest::newRow("heading keeps two breaks") << "H0 P0"
                                                  << "H h"
                                                  << "h0\r\n\r\np1";
    }
    void grammar()
    {
        QFETCH(QString, blocks);
        QFETCH(QString, styles);
        QFETCH(QString, text);
        TopicPage topic{QStringLiteral("test"), {}};
        const QStringList kinds = blocks.split(u' ');
        for (int i = 0; i < kinds.size(); ++i) {
            const Kind kind = Kind(QStringLiteral("PIHL").indexOf(kinds[i][0]));
            topic.blocks.append({kind, kinds[i].left(1).toLower() + QString::number(i), kinds[i][1].digitValue()});
        }
        QTextEdit box;
        RichPage page(&box);
        page.SetUnderline(true); // left over from an earlier page: the new page must not inherit it
        BuildTopicPage(page, QStringLiteral("A && B"), topic);
        QCOMPARE(pageText(box.document()), QStringLiteral("A & B\r\n\r\n") + text);

        const QList<Paragraph> paragraphs = paragraphsOf(box.document());
        QVERIFY(looksLike(paragraphs[0], {true, false, QColor(128, 0, 128)}, Qt::AlignHCenter));
        QCOMPARE(paragraphs[1].alignment, Qt::AlignHCenter);
        const QStringList expected = styles.split(u' ');
        const QHash<QString, Style> styleOf = {{"B", Style::BodyStyle},
                                               {"H", Style::HeadingStyle},
                                               {"h", Style::HeadingTextStyle},
                                               {"L", Style::LabelStyle},
                                               {"l", Style::LabelTextStyle}};
        for (int i = 0; i < topic.blocks.size(); ++i) {
            const auto found = std::find_if(paragraphs.begin(), paragraphs.end(),
                                            [&](const Paragraph &p) { return p.text == topic.blocks[i].text; });
            QVERIFY(found != paragraphs.end());
            QVERIFY2(looksLike(*found, lookOf(styleOf[expected[i]]), Qt::AlignLeft), qPrintable(found->text));
        }
    }

    void parserRejectsMalformedLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("unknown kind") << "X2 | text";
        QTest::newRow("three breaks") << "P3 | text";
        QTest::newRow("no separator") << "P2 text";
    }
    void parserRejectsMalformedLines()
    {
        QFETCH(QString, text);
        QString error;
        QVERIFY(!ParseTopicPage(QStringLiteral("Command11"), text, &error));
        QVERIFY(error.contains(QStringLiteral("line 1")));
    }

    void parserKeepsTrailingBlanksAndSkipsComments()
    {
        const auto page = ParseTopicPage(QStringLiteral("x"), QStringLiteral("# note\nL1 | 2. Breathing: \r\nP0 | a"));
        QVERIFY(page);
        QCOMPARE(page->blocks.size(), 2);
        QCOMPARE(page->blocks[0].text, QStringLiteral("2. Breathing: "));
        QCOMPARE(page->blocks[0].kind, Kind::Label);
        QCOMPARE(page->blocks[1].breaks, 0);
    }

    void everyPageHasItsShape_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < expectedPages().size(); ++i)
            QTest::newRow(expectedPages()[i].button) << i;
    }
    void everyPageHasItsShape()
    {
        QFETCH(int, index);
        const ExpectedPage &expected = expectedPages()[index];
        const QString button = QString::fromLatin1(expected.button);
        const TopicPage &topic = Content().topic(button);
        QCOMPARE(topic.blocks.size(), expected.blocks.size());
        for (int i = 0; i < topic.blocks.size(); ++i) {
            const TopicBlock &block = topic.blocks[i];
            const ExpectedBlock &want = expected.blocks[i];
            const QString where = QStringLiteral("%1 block %2: %3").arg(button).arg(i + 2).arg(block.text.left(50));
            QVERIFY2(block.kind == want.kind, qPrintable(where));
            QVERIFY2(block.breaks == want.breaks, qPrintable(where));
            if (want.exact)
                QVERIFY2(block.text == QString::fromLatin1(want.text), qPrintable(where));
            else
                QVERIFY2(block.text.startsWith(QString::fromLatin1(want.text)) && block.text.size() > 20,
                         qPrintable(where));
            for (const QChar c : block.text)
                QVERIFY2(c.unicode() >= 32 && c.unicode() <= 126, qPrintable(where));
        }

        // Built in the running program, each block has its style and the title is the caption.
        FakeServices fake;
        MDI mdi;
        QPushButton *source = mdi.findChild<QPushButton *>(button);
        QVERIFY(source);
        source->click();
        const QTextDocument *document = mdi.frmDisp()->RTB()->document();
        const QList<Paragraph> paragraphs = paragraphsOf(document);
        QCOMPARE(paragraphs[0].text, Controls::ShownCaption(source->text()));
        QVERIFY(looksLike(paragraphs[0], {true, false, QColor(128, 0, 128)}, Qt::AlignHCenter));
        for (int i = 0; i < topic.blocks.size(); ++i) {
            const TopicBlock &block = topic.blocks[i];
            const auto found = std::find_if(paragraphs.begin(), paragraphs.end(),
                                            [&](const Paragraph &p) { return p.text == block.text; });
            QVERIFY2(found != paragraphs.end(), qPrintable(block.text));
            QVERIFY2(looksLike(*found, lookOf(expected.blocks[i].style), Qt::AlignLeft), qPrintable(block.text));
        }
        const QString text = pageText(document);
        QCOMPARE(text.endsWith(QStringLiteral("\r\n")), topic.blocks.last().breaks > 0);
    }

    void onlyBhastrikaEndsWithABreak()
    {
        for (const ExpectedPage &page : expectedPages())
            QCOMPARE(Content().topic(QString::fromLatin1(page.button)).blocks.last().breaks,
                     QByteArray(page.button) == "Command64" ? 1 : 0);
    }

    void pressingTwiceShowsThePageOnce()
    {
        FakeServices fake;
        MDI mdi;
        QPushButton *button = mdi.findChild<QPushButton *>(QStringLiteral("Command62"));
        button->click();
        const QString once = mdi.frmDisp()->RTB()->toHtml();
        button->click();
        QCOMPARE(mdi.frmDisp()->RTB()->toHtml(), once);
        QVERIFY(pageText(mdi.frmDisp()->RTB()->document())
                    .startsWith(QStringLiteral("Importance & Benefits Of Pranayam\r\n")));
    }

    void titleAfterAHeadingPageIsPlainMagenta()
    {
        FakeServices fake;
        MDI mdi;
        mdi.Command55_Click(); // ends green after its heading
        mdi.Command54_Click(); // heading, then labels
        mdi.Command73_Click();
        const QList<Paragraph> paragraphs = paragraphsOf(mdi.frmDisp()->RTB()->document());
        QCOMPARE(paragraphs[0].text, QStringLiteral("Benefits Of Surya Namaskar"));
        QVERIFY(looksLike(paragraphs[0], {true, false, QColor(128, 0, 128)}, Qt::AlignHCenter));
        for (int i = 2; i < paragraphs.size(); ++i)
            if (!paragraphs[i].text.isEmpty())
                QVERIFY(looksLike(paragraphs[i], {false, false, QColor(0, 0, 0)}, Qt::AlignLeft));
    }
};

QTEST_MAIN(tst_topics)
#include "tst_topics.moc"

#pragma once

#include <QList>
#include <QString>
#include <optional>
#include <vector>

// The records the content is made of, as the data files write them.
namespace modYogasana {

using AsanaIndex = int;
inline constexpr int AsanaCount = 32;

struct AsanaRecord {
    QString SanskritName;
    QString EnglishName;
    QString Description;
    QString Procedure;
    QString Benefits;
    QString Contraindications;
};

// Parses one asana text of data/asanas; on a malformed text returns nothing and says why.
std::optional<AsanaRecord> ParseAsanaText(const QString &text, QString *error = nullptr);

// One row of a lookup: a body part or a therapeutic application and its asanas.
struct LookupRow {
    QString key;
    std::vector<AsanaIndex> asanas; // in the order the list shows them
};

} // namespace modYogasana

// One block of a topic page; the kind decides the style, breaks the CR LFs after the text.
struct TopicBlock {
    enum class Kind { Paragraph, Item, Heading, Label };
    Kind kind = Kind::Paragraph;
    QString text;
    int breaks = 0;
};

// One fixed page of a topic button: the title is the button's caption at the moment of the click.
struct TopicPage {
    QString button; // "Command11"
    QList<TopicBlock> blocks;
};

// Parses the block lines of data/topics; on a malformed line returns nothing and says why.
std::optional<TopicPage> ParseTopicPage(const QString &button, const QString &text, QString *error = nullptr);

// A topic button of a section panel.
struct TopicButton {
    QString button;  // "Command11"
    QString caption; // with the toolkit's ampersand rules
};

// A section button of the left column, its panel (placed in twips) and its topic buttons.
struct Section {
    QString button; // "Command1"
    QString caption;
    QString panel; // "Picture1"
    int panelLeft = 0;
    int panelHeight = 0;
    QList<TopicButton> topics; // none for the three asana sections
};

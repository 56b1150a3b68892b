#pragma once

#include "pages/RichPage.h"

#include <QList>
#include <optional>

// One block of a topic page; the kind decides the style, breaks the CR LFs after the text.
struct TopicBlock {
    enum class Kind { Paragraph, Item, Heading, Label };
    Kind kind = Kind::Paragraph;
    QString text;
    int breaks = 0;
};

// One fixed page of a topic button: the title is the button's caption at the moment of the click.
struct TopicPage {
    QString button;  // "Command11"
    QList<TopicBlock> blocks;
};

// Parses the block lines of data/topics; on a malformed line returns nothing and says why.
std::optional<TopicPage> ParseTopicPage(const QString &button, const QString &text, QString *error = nullptr);

// The page of a topic button, read from the embedded data once.
const TopicPage &TopicPageFor(const QString &button);

// The text a caption shows: "&" marks an access key and disappears, "&&" shows one ampersand.
QString ShownCaption(const QString &caption);

// Writes the page: a centred magenta title, then the blocks in the six topic styles.
void BuildTopicPage(RichPage &page, const QString &caption, const TopicPage &topic);

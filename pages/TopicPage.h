#pragma once

#include "content/Records.h"
#include "pages/RichPage.h"

// Writes a topic page: a centred magenta title, then the blocks in the six topic styles.
void BuildTopicPage(RichPage &page, const QString &caption, const TopicPage &topic);

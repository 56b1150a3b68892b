#include "pages/TopicPage.h"

#include "platform/Controls.h"

void BuildTopicPage(RichPage &page, const QString &caption, const TopicPage &topic)
{
    const QString crlf = CrLf();
    page.ClearPage();
    WritePageTitle(page, Controls::ShownCaption(caption));

    for (const TopicBlock &block : topic.blocks) {
        const QString text = block.text + crlf.repeated(block.breaks);
        switch (block.kind) {
        case TopicBlock::Kind::Paragraph:
        case TopicBlock::Kind::Item:
            page.AppendText(text);
            break;
        case TopicBlock::Kind::Heading:
            // The colour stays green for what follows, until a label sets another.
            page.SetBold(true);
            page.SetColor(PageColour::Green);
            page.SetUnderline(true);
            page.AppendText(block.text + crlf + crlf);
            page.SetUnderline(false);
            page.SetBold(false);
            break;
        case TopicBlock::Kind::Label:
            page.SetBold(true);
            page.SetColor(PageColour::Magenta);
            page.AppendText(text);
            page.SetBold(false);
            break;
        }
    }
}

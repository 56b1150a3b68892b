#include "pages/IntroductionPage.h"

#include "content/ContentModel.h"

void BuildIntroductionPage(RichPage &page)
{
    WritePageTitle(page, QStringLiteral("Introduction"));
    // One paragraph a line in the data; a blank line between them on the page.
    page.AppendText(Content().text(QStringLiteral("introduction")).split(u'\n').join(CrLf() + CrLf()));
}

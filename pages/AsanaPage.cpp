#include "pages/AsanaPage.h"

#include "content/AsanaCatalogue.h"

namespace modYogasana {

void ShowAsanaPage(const QString &sanskritName, RichPage &page, AsanaPictureBox &picture)
{
    LoadAsanaCatalogue();
    const std::optional<AsanaIndex> row = FindAsana(sanskritName);
    if (!row)
        return;
    const AsanaRecord asana = Row(*row);
    const QString crlf = CrLf();

    page.ClearPage();
    picture.showPicture(*row + 1);

    WritePageTitle(page, asana.SanskritName);

    auto section = [&page](const QString &label, const QString &field) {
        page.SetBold(true);
        page.SetColor(PageColour::Magenta);
        page.AppendText(label);
        page.SetBold(false);
        page.SetColor(PageColour::Black);
        page.AppendText(field);
    };
    section(QStringLiteral("Description: ") + crlf, asana.Description + crlf + crlf);
    section(QStringLiteral("English Name: "), asana.EnglishName + crlf + crlf);
    section(QStringLiteral("Procedure: ") + crlf, asana.Procedure + crlf + crlf);
    section(QStringLiteral("Benefits: ") + crlf, asana.Benefits + crlf + crlf);
    if (!asana.Contraindications.isEmpty())
        section(QStringLiteral("Contradictions: ") + crlf, asana.Contraindications);
}

} // namespace modYogasana

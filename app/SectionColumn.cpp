#include "app/SectionColumn.h"

#include "app/DockLayout.h"
#include "app/Palette.h"
#include "content/ContentModel.h"
#include "platform/Controls.h"
#include "platform/Twips.h"

#include <QPushButton>

namespace {

constexpr int SectionButtonHeight = 375;
constexpr int TopicButtonHeight = 375;
constexpr int PanelWidth = 4215;
constexpr int TopicButtonLeft = 240;
constexpr int TopicButtonWidth = 3500;

} // namespace

bool IsAsanaSection(int section) { return section >= 2 && section <= 4; }

SectionStack StackSections(const std::array<bool, SectionCount> &open, int section,
                           const std::array<int, SectionCount> &buttonHeights, int panelHeight)
{
    const size_t k = size_t(section - 1);
    SectionStack stack;
    for (size_t j = 0; j < SectionCount; ++j)
        stack.buttonTop[j] = int(j) * SectionButtonHeight;
    if (open[k]) {
        // Closing: an asana section keeps its panel shown in the top area.
        stack.shownPanel = IsAsanaSection(section) ? section : 0;
        return stack;
    }
    stack.open[k] = true;
    stack.shownPanel = section;
    // Stack what lies below button k from the position of the element above it.
    int below = stack.buttonTop[k] + buttonHeights[k];
    if (!IsAsanaSection(section)) {
        stack.panelTop = below;
        below += panelHeight;
    }
    for (size_t j = k + 1; j < SectionCount; ++j) {
        stack.buttonTop[j] = below;
        below += buttonHeights[j];
    }
    return stack;
}

SectionColumn::SectionColumn(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picLeft"));
    Controls::setBackground(this, QColor());
    const QList<Section> &sections = Content().sections();
    for (int k = 1; k <= SectionCount && k <= sections.size(); ++k) {
        const Section &section = sections.at(k - 1);
        QPushButton *button = Controls::colouredButton(section.button, section.caption, Palette::SectionPink, this);
        Twips::attach(button, 0, (k - 1) * SectionButtonHeight, DockSizes::LeftWidth, SectionButtonHeight);
        connect(button, &QPushButton::clicked, this, [this, k] { Q_EMIT sectionClicked(k); });
        m_buttons[size_t(k - 1)] = button;
        if (IsAsanaSection(k))
            continue;

        QWidget *panel = Controls::box(section.panel, QColor(), this);
        Twips::attach(panel, section.panelLeft, 0, PanelWidth, section.panelHeight);
        panel->hide();
        m_panels[size_t(k - 1)] = panel;
        int top = 0;
        for (const TopicButton &topic : section.topics) {
            QPushButton *topicButton = Controls::colouredButton(topic.button, topic.caption, Palette::TopicBlue, panel);
            Twips::attach(topicButton, TopicButtonLeft, top, TopicButtonWidth, TopicButtonHeight);
            top += TopicButtonHeight;
            connect(topicButton, &QPushButton::clicked, this,
                    [this, name = topic.button] { Q_EMIT topicClicked(name); });
            m_topics.insert(topic.button, topicButton);
        }
    }
    // Section buttons stay above the panels they push down.
    for (QPushButton *button : m_buttons)
        if (button)
            button->raise();
    buildFocusOrder();
}

void SectionColumn::setAsanaPanel(int section, QWidget *panel)
{
    m_panels[size_t(section - 1)] = panel;
    panel->hide();
}

void SectionColumn::toggle(int section)
{
    std::array<int, SectionCount> heights{};
    for (size_t j = 0; j < SectionCount; ++j)
        heights[j] = Twips::height(m_buttons[j]);
    QWidget *panel = m_panels[size_t(section - 1)];
    const SectionStack stack = StackSections(m_open, section, heights, panel ? Twips::height(panel) : 0);

    m_open = stack.open;
    for (size_t j = 0; j < SectionCount; ++j) {
        if (m_panels[j])
            m_panels[j]->setVisible(int(j) + 1 == stack.shownPanel);
        Twips::setLeft(m_buttons[j], 0);
        Twips::setTop(m_buttons[j], stack.buttonTop[j]);
    }
    if (stack.shownPanel == section && !IsAsanaSection(section))
        Twips::setTop(panel, stack.panelTop);
}

QString SectionColumn::topicCaption(const QString &button) const
{
    const QPushButton *topic = m_topics.value(button);
    return topic ? topic->text() : QString();
}

void SectionColumn::buildFocusOrder()
{
    // Section buttons first, then the topic buttons panel by panel; Meditation and Pranayam
    // are walked bottom to top.
    QList<QWidget *> order(m_buttons.begin(), m_buttons.end());
    for (int k : {1, 5, 6, 7}) {
        QList<QPushButton *> topics =
            m_panels[size_t(k - 1)]->findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly);
        if (k == 5 || k == 6)
            std::reverse(topics.begin(), topics.end());
        order.append(QList<QWidget *>(topics.begin(), topics.end()));
    }
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

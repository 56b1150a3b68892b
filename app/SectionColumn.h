#pragma once

#include <QHash>
#include <QWidget>
#include <array>

class QPushButton;

inline constexpr int SectionCount = 7;

// Where the column's controls stand after a section click, in twips.
struct SectionStack {
    std::array<bool, SectionCount> open{};
    int shownPanel = 0;                        // 1..7, or 0 for none
    std::array<int, SectionCount> buttonTop{}; // Top of Command1 ... Command7
    int panelTop = 0;                          // Top of the shown panel, when it lies in the column
};

// The accordion: a click on section k closes every other section and opens k, or closes k when
// it is open. The open section's panel, if it lies in the column, comes right below its button
// and pushes the buttons below it down; a closed column stacks the buttons from the top.
// Heights are the live ones of the seven buttons and of section k's panel (0 for none).
SectionStack StackSections(const std::array<bool, SectionCount> &open, int section,
                           const std::array<int, SectionCount> &buttonHeights, int panelHeight);

// Sections 2 to 4 choose asanas and keep their panels in the top area, not in the column.
bool IsAsanaSection(int section);

// picLeft: the seven section buttons, the topic panels that open below them, and the open flags.
class SectionColumn final : public QWidget {
    Q_OBJECT
public:
    explicit SectionColumn(QWidget *parent);

    // The panels of the asana sections, which live elsewhere but open and close with the column.
    void setAsanaPanel(int section, QWidget *panel);

    bool SectionOpen(int section) const { return m_open.at(size_t(section - 1)); }
    // Opens or closes a section, as a click on its button does to the column.
    void toggle(int section);
    // The caption of a topic button as it stands; empty for an unknown button.
    QString topicCaption(const QString &button) const;

Q_SIGNALS:
    void sectionClicked(int section);
    void topicClicked(const QString &button);

private:
    void buildFocusOrder();

    std::array<QPushButton *, SectionCount> m_buttons{};
    std::array<QWidget *, SectionCount> m_panels{};
    std::array<bool, SectionCount> m_open{};
    QHash<QString, QPushButton *> m_topics;
};

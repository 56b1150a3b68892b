#pragma once

#include "content/Records.h"

#include <QHash>
#include <QLoggingCategory>
#include <QStringList>

#include <optional>

Q_DECLARE_LOGGING_CATEGORY(lcContent)

// Everything in data/, read once and checked as a whole: the asana records with their pictures
// and pose files (tied by one slug), the two lookups keyed by Sanskrit name, the section table
// with its topic pages, and the other texts. Nothing here builds widgets.
class ContentModel final {
public:
    // Reads a folder laid out like data/ (":/" for the embedded copy). Whatever cannot be read or
    // does not fit is listed by problems(); the rest is kept.
    static ContentModel load(const QString &root);

    // What loading a folder finds, as bytes: the build takes one of data/ and embeds it as
    // content.snapshot, and loading an embedded folder that carries one takes the model from it
    // instead of reading and parsing every file again. The checks that problems() makes on first
    // use run on it all the same.
    static QByteArray snapshotOf(const QString &root);
    // Nothing for bytes that are not a whole snapshot.
    static std::optional<ContentModel> fromSnapshot(const QString &root, const QByteArray &snapshot);

    // Everything found wrong, one line each; empty for sound data. The topic pages, the records'
    // fields and whether each record's files are there are checked on the first call, so that
    // loading does not wait.
    const QStringList &problems() const;

    // The asana records in catalogue order, with the slug that ties each to its files.
    const QList<modYogasana::AsanaRecord> &asanas() const { return m_asanas; }
    QString slug(modYogasana::AsanaIndex index) const { return m_slugs.value(index); }
    // The picture of an asana; the double-size variant for screens of 1.5 device pixels or more.
    QString picturePath(modYogasana::AsanaIndex index, bool doubleSize = false) const;

    const std::vector<modYogasana::LookupRow> &bodyParts() const { return m_bodyParts; }
    const std::vector<modYogasana::LookupRow> &therapeuticApplications() const { return m_applications; }

    const QList<Section> &sections() const { return m_sections; }
    // The page of a topic button; an empty page for a button that has none.
    const TopicPage &topic(const QString &button) const;

    // One text of data/texts, without its final line break; empty if there is no such text.
    QString text(const QString &name) const { return m_texts.value(name); }

private:
    explicit ContentModel(const QString &root) : m_root(root) {}
    // With `textsInPlace`, the texts point into `snapshot`'s bytes, which must outlive them all.
    static std::optional<ContentModel> readSnapshot(const QString &root, const QByteArray &snapshot, bool textsInPlace);
    void loadAsanas();
    void loadLookup(const QString &name, int expectedRows, std::vector<modYogasana::LookupRow> &rows);
    void loadSections();
    void loadTexts();
    void checkAsana(modYogasana::AsanaIndex index) const;
    void loadTopics() const;
    void checkFiles() const;
    void problem(const QString &what) const { m_problems << what; }
    QString path(const QString &relative) const { return m_root + relative; }

    QString m_root;
    mutable QStringList m_problems;
    mutable bool m_checked = false;
    QList<modYogasana::AsanaRecord> m_asanas;
    QStringList m_slugs;
    QList<int> m_positions; // each record's place in its folder, which its file name must give
    std::vector<modYogasana::LookupRow> m_bodyParts, m_applications;
    QList<Section> m_sections;
    mutable QHash<QString, TopicPage> m_topics;
    mutable bool m_topicsLoaded = false;
    QHash<QString, QString> m_texts;
};

// The program's own content, loaded from the embedded data on first use.
const ContentModel &Content();

// Logs each problem of the program's own content; the program does so once it has started.
void ReportContentProblems();

// The texts that must exist for the windows that show them.
QStringList RequiredTexts();

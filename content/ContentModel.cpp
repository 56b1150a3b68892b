#include "content/ContentModel.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRegularExpression>
#include <QResource>
#include <QSet>
#include <QStringTokenizer>

#include <cstring>

Q_LOGGING_CATEGORY(lcContent, "tavrello.content", QtWarningMsg)

using namespace modYogasana;

namespace {

constexpr int BodyPartCount = 36;
constexpr int TherapeuticApplicationCount = 31;
constexpr int SectionCount = 7;
constexpr int TopicCount = 21;
constexpr int IntroductionParagraphs = 3;

// A node of the embedded resource tree, to tell a file from a folder.
class ResourceNode final : public QResource {
public:
    using QResource::isFile;
    using QResource::QResource;
};

std::optional<QString> readText(const QString &path)
{
    // An embedded text is read straight from the resource, without a file engine around it.
    if (path.startsWith(u':')) {
        const ResourceNode resource(path);
        if (resource.isValid() && resource.isFile())
            return QString::fromUtf8(resource.uncompressedData());
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

// "1. ", "2. ", ... on every line, without gaps.
bool isNumberedList(const QString &field)
{
    const QStringList lines = field.split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (!lines[i].startsWith(QStringLiteral("%1. ").arg(i + 1)))
            return false;
    return true;
}

bool looksNumbered(const QString &field) { return field.startsWith(QLatin1String("1. ")); }

} // namespace

ContentModel ContentModel::load(const QString &root)
{
    const QString folder = root.endsWith(u'/') ? root : root + u'/';
    if (folder.startsWith(u':')) {
        const QResource snapshot(folder + QStringLiteral("content.snapshot"));
        // Embedded bytes stay where they are for the whole run: the texts can be used in place.
        const bool inPlace = snapshot.compressionAlgorithm() == QResource::NoCompression;
        if (snapshot.isValid())
            if (std::optional<ContentModel> model = readSnapshot(folder, snapshot.uncompressedData(), inPlace))
                return *std::move(model);
    }
    ContentModel model(folder);
    model.loadAsanas();
    model.loadLookup(QStringLiteral("body-parts"), BodyPartCount, model.m_bodyParts);
    model.loadLookup(QStringLiteral("therapeutic-applications"), TherapeuticApplicationCount, model.m_applications);
    model.loadSections();
    model.loadTexts();
    return model;
}

namespace {

constexpr quint32 SnapshotMagic = 0x54435331; // "TCS1"; a new layout takes a new number

void prepare(QDataStream &stream)
{
    stream.setVersion(QDataStream::Qt_6_4);
    stream.setByteOrder(QDataStream::LittleEndian);
}

// Reads what snapshotOf() wrote. Texts of bytes that outlive every copy of them (the embedded
// snapshot) are used where they lie instead of being copied onto the heap; any other bytes' texts
// are copied, as QDataStream copies them.
class SnapshotReader final {
public:
    SnapshotReader(const QByteArray &bytes, bool textsInPlace)
        : m_bytes(bytes), m_in(m_bytes), m_textsInPlace(textsInPlace)
    {
        prepare(m_in);
    }

    template <typename T> SnapshotReader &operator>>(T &value)
    {
        m_in >> value;
        return *this;
    }
    SnapshotReader &operator>>(QString &text);

    bool ok() const { return m_in.status() == QDataStream::Ok; }
    bool atEnd() const { return m_in.atEnd(); }
    qint64 bytesLeft() const { return m_in.device()->bytesAvailable(); }
    void spoilt() { m_in.setStatus(QDataStream::ReadCorruptData); }

private:
    QByteArray m_bytes;
    QDataStream m_in;
    bool m_textsInPlace;
};

SnapshotReader &SnapshotReader::operator>>(QString &text)
{
    if (!m_textsInPlace) {
        m_in >> text;
        return *this;
    }
    // As QDataStream writes a text: its length in bytes, all ones for a null text, then UTF-16.
    quint32 bytes = 0;
    m_in >> bytes;
    if (!ok() || bytes == 0xffffffff) {
        text = QString();
        return *this;
    }
    if (bytes % 2 != 0 || bytes > bytesLeft()) {
        spoilt();
        return *this;
    }
    const char *at = m_bytes.constData() + m_in.device()->pos();
    const qsizetype length = bytes / 2;
    if (quintptr(at) % alignof(QChar) == 0) {
        text = QString::fromRawData(reinterpret_cast<const QChar *>(at), length);
    } else {
        text = QString(length, Qt::Uninitialized);
        std::memcpy(text.data(), at, bytes);
    }
    m_in.skipRawData(int(bytes));
    return *this;
}

void write(QDataStream &out, const AsanaRecord &record)
{
    out << record.SanskritName << record.EnglishName << record.Description << record.Procedure << record.Benefits
        << record.Contraindications;
}

void read(SnapshotReader &in, QString &text) { in >> text; }

// One entry of a QMap<QString, QString> as QDataStream writes it: the name, then the text.
void read(SnapshotReader &in, std::pair<QString, QString> &named) { in >> named.first >> named.second; }

void read(SnapshotReader &in, AsanaRecord &record)
{
    in >> record.SanskritName >> record.EnglishName >> record.Description >> record.Procedure >> record.Benefits >>
        record.Contraindications;
}

void write(QDataStream &out, const LookupRow &row)
{
    out << row.key << QList<AsanaIndex>(row.asanas.cbegin(), row.asanas.cend());
}

void read(SnapshotReader &in, LookupRow &row)
{
    QList<AsanaIndex> asanas;
    in >> row.key >> asanas;
    row.asanas.assign(asanas.cbegin(), asanas.cend());
}

void write(QDataStream &out, const TopicButton &topic) { out << topic.button << topic.caption; }

void read(SnapshotReader &in, TopicButton &topic) { in >> topic.button >> topic.caption; }

void write(QDataStream &out, const Section &section);
void read(SnapshotReader &in, Section &section);

template <typename List> void writeAll(QDataStream &out, const List &items)
{
    out << quint32(items.size());
    for (const auto &item : items)
        write(out, item);
}

template <typename List> void readAll(SnapshotReader &in, List &items)
{
    quint32 count = 0;
    in >> count;
    // Each item takes bytes, so a count beyond what is left comes from spoilt bytes.
    if (count > in.bytesLeft()) {
        in.spoilt();
        return;
    }
    for (quint32 i = 0; i < count && in.ok(); ++i) {
        typename List::value_type item;
        read(in, item);
        items.push_back(std::move(item));
    }
}

void write(QDataStream &out, const Section &section)
{
    out << section.button << section.caption << section.panel << qint32(section.panelLeft)
        << qint32(section.panelHeight);
    writeAll(out, section.topics);
}

void read(SnapshotReader &in, Section &section)
{
    qint32 left = 0, height = 0;
    in >> section.button >> section.caption >> section.panel >> left >> height;
    section.panelLeft = left;
    section.panelHeight = height;
    readAll(in, section.topics);
}

} // namespace

QByteArray ContentModel::snapshotOf(const QString &root)
{
    // Taken from a model just loaded: its problems are only those loading found.
    const ContentModel model = load(root);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    prepare(out);
    out << SnapshotMagic << model.m_problems;
    writeAll(out, model.m_asanas);
    out << model.m_slugs << model.m_positions;
    writeAll(out, model.m_bodyParts);
    writeAll(out, model.m_applications);
    writeAll(out, model.m_sections);
    // In name order, so that the same content gives the same bytes.
    QMap<QString, QString> texts;
    for (auto text = model.m_texts.cbegin(); text != model.m_texts.cend(); ++text)
        texts.insert(text.key(), text.value());
    out << texts;
    return bytes;
}

std::optional<ContentModel> ContentModel::fromSnapshot(const QString &root, const QByteArray &snapshot)
{
    return readSnapshot(root, snapshot, false);
}

std::optional<ContentModel> ContentModel::readSnapshot(const QString &root, const QByteArray &snapshot,
                                                       bool textsInPlace)
{
    SnapshotReader in(snapshot, textsInPlace);
    quint32 magic = 0;
    in >> magic;
    if (magic != SnapshotMagic)
        return std::nullopt;
    ContentModel model(root.endsWith(u'/') ? root : root + u'/');
    in >> model.m_problems;
    readAll(in, model.m_asanas);
    readAll(in, model.m_slugs);
    in >> model.m_positions;
    readAll(in, model.m_bodyParts);
    readAll(in, model.m_applications);
    readAll(in, model.m_sections);
    // Written as a QMap: the number of texts, then name and text for each.
    QList<std::pair<QString, QString>> texts;
    readAll(in, texts);
    for (const auto &[name, text] : std::as_const(texts))
        model.m_texts.insert(name, text);
    if (!in.ok() || !in.atEnd() || model.m_slugs.size() != model.m_asanas.size() ||
        model.m_positions.size() != model.m_asanas.size())
        return std::nullopt;
    return model;
}

void ContentModel::loadAsanas()
{
    const QDir folder(path(QStringLiteral("asanas")));
    const QStringList files = folder.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    if (files.size() != AsanaCount)
        problem(QStringLiteral("asanas: %1 records where there must be %2").arg(files.size()).arg(AsanaCount));
    for (qsizetype position = 1; position <= files.size(); ++position) {
        const QString &file = files.at(position - 1);
        QString error;
        const std::optional<QString> text = readText(folder.filePath(file));
        std::optional<AsanaRecord> record = text ? ParseAsanaText(*text, &error) : std::nullopt;
        if (!record) {
            problem(QStringLiteral("asanas/%1: %2").arg(file, text ? error : QStringLiteral("cannot be read")));
            continue;
        }
        m_asanas << *record;
        m_slugs << QFileInfo(file).completeBaseName();
        m_positions << int(position);
    }
}

// The file's number is its place in the folder, so one broken record does not misname the rest.
void ContentModel::checkAsana(AsanaIndex index) const
{
    const AsanaRecord &record = m_asanas.at(index);
    const QString stem = m_slugs.at(index);
    const QString file = stem + QStringLiteral(".txt");
    const int position = m_positions.at(index);
    const QString expectedStem = QStringLiteral("%1-%2")
                                     .arg(position, 2, 10, QLatin1Char('0'))
                                     .arg(record.SanskritName.toLower().replace(u' ', u'-'));
    if (stem != expectedStem)
        problem(QStringLiteral("asanas/%1: %2 belongs in %3.txt").arg(file, record.SanskritName, expectedStem));
    if (index > 0 && !(m_asanas.at(index - 1).SanskritName < record.SanskritName))
        problem(QStringLiteral("asanas/%1: %2 is out of alphabetical order").arg(file, record.SanskritName));
    if (record.Description.isEmpty() || record.Procedure.isEmpty() || record.Benefits.isEmpty())
        problem(QStringLiteral("asanas/%1: an empty description, procedure or benefits").arg(file));
    if (!isNumberedList(record.Procedure))
        problem(QStringLiteral("asanas/%1: the procedure is not numbered 1, 2, 3 ...").arg(file));
    for (const QString *field : {&record.Benefits, &record.Contraindications})
        if (looksNumbered(*field) && !isNumberedList(*field))
            problem(QStringLiteral("asanas/%1: a numbered list with a gap").arg(file));
}

void ContentModel::loadLookup(const QString &name, int expectedRows, std::vector<LookupRow> &rows)
{
    const QString file = QStringLiteral("lookups/%1.txt").arg(name);
    const std::optional<QString> text = readText(path(file));
    if (!text) {
        problem(file + QStringLiteral(": cannot be read"));
        return;
    }
    // Names are found by view into the text: only each row's key is copied.
    QHash<QStringView, AsanaIndex> indexByName;
    for (AsanaIndex i = 0; i < m_asanas.size(); ++i)
        indexByName.insert(m_asanas.at(i).SanskritName, i);
    QSet<QString> keys;
    qsizetype n = -1; // the line's index
    for (QStringView line : QStringView(*text).tokenize(u'\n')) {
        ++n;
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        // Formatted only for a problem.
        const auto where = [&file, n] { return QStringLiteral("%1 line %2").arg(file).arg(n + 1); };
        const qsizetype colon = line.indexOf(QLatin1String(": "));
        if (colon <= 0) {
            problem(where() + QStringLiteral(": expected 'Key: Asana, Asana'"));
            continue;
        }
        LookupRow row{line.left(colon).toString(), {}};
        if (keys.contains(row.key))
            problem(where() + QStringLiteral(": %1 is listed twice").arg(row.key));
        keys.insert(row.key);
        for (const QStringView asana : line.mid(colon + 2).tokenize(QLatin1String(", "))) {
            const auto found = indexByName.constFind(asana);
            if (found == indexByName.cend())
                problem(where() + QStringLiteral(": no asana named '%1'").arg(asana));
            else if (std::find(row.asanas.begin(), row.asanas.end(), *found) != row.asanas.end())
                problem(where() + QStringLiteral(": %1 is named twice").arg(asana));
            else
                row.asanas.push_back(*found);
        }
        rows.push_back(std::move(row));
    }
    if (int(rows.size()) != expectedRows)
        problem(QStringLiteral("%1: %2 rows where there must be %3").arg(file).arg(rows.size()).arg(expectedRows));
}

void ContentModel::loadSections()
{
    const std::optional<QString> text = readText(path(QStringLiteral("sections.json")));
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text.value_or(QString()).toUtf8(), &error);
    if (error.error != QJsonParseError::NoError) {
        problem(QStringLiteral("sections.json: ") + (text ? error.errorString() : QStringLiteral("cannot be read")));
        return;
    }
    for (const QJsonValue &value : document.object().value(QLatin1String("sections")).toArray()) {
        const QJsonObject object = value.toObject();
        Section section{
            object.value(QLatin1String("button")).toString(),   object.value(QLatin1String("caption")).toString(),
            object.value(QLatin1String("panel")).toString(),    object.value(QLatin1String("panelLeft")).toInt(),
            object.value(QLatin1String("panelHeight")).toInt(), {}};
        for (const QJsonValue &topic : object.value(QLatin1String("topics")).toArray())
            section.topics.append(
                {topic[QLatin1String("button")].toString(), topic[QLatin1String("caption")].toString()});
        m_sections.append(section);
    }
    if (m_sections.size() != SectionCount)
        problem(QStringLiteral("sections.json: %1 sections where there must be %2")
                    .arg(m_sections.size())
                    .arg(SectionCount));
}

// The topic pages are read when the first one is asked for, or when the content is checked, so
// that start-up reads only what its first page needs.
void ContentModel::loadTopics() const
{
    if (m_topicsLoaded)
        return;
    m_topicsLoaded = true;
    QSet<QString> topicButtons;
    for (const Section &section : std::as_const(m_sections)) {
        for (const TopicButton &topic : section.topics) {
            topicButtons.insert(topic.button);
            const QString file = QStringLiteral("topics/%1.txt").arg(topic.button);
            QString why;
            const std::optional<QString> source = readText(path(file));
            std::optional<TopicPage> page = source ? ParseTopicPage(topic.button, *source, &why) : std::nullopt;
            if (!page) {
                problem(file + QStringLiteral(": ") + (source ? why : QStringLiteral("no page for this topic button")));
                continue;
            }
            if (page->blocks.isEmpty())
                problem(file + QStringLiteral(": the page is empty"));
            static const QRegularExpression marker(QStringLiteral("^(\\* |\\d+\\. )"));
            for (const TopicBlock &block : std::as_const(page->blocks))
                if (block.kind == TopicBlock::Kind::Item && !marker.match(block.text).hasMatch())
                    problem(file + QStringLiteral(": an item without its marker: ") + block.text.left(30));
            m_topics.insert(topic.button, *page);
        }
    }
    if (topicButtons.size() != TopicCount)
        problem(QStringLiteral("sections.json: %1 topic buttons where there must be %2")
                    .arg(topicButtons.size())
                    .arg(TopicCount));
    const QStringList pages = QDir(path(QStringLiteral("topics"))).entryList({QStringLiteral("*.txt")}, QDir::Files);
    for (const QString &page : pages)
        if (!topicButtons.contains(QFileInfo(page).completeBaseName()))
            problem(QStringLiteral("topics/%1: no topic button shows this page").arg(page));
}

void ContentModel::loadTexts()
{
    for (const QString &name : RequiredTexts()) {
        std::optional<QString> text = readText(path(QStringLiteral("texts/%1.txt").arg(name)));
        if (!text) {
            problem(QStringLiteral("texts/%1.txt: missing").arg(name));
            continue;
        }
        while (text->endsWith(u'\n') || text->endsWith(u'\r'))
            text->chop(1);
        m_texts.insert(name, *text);
    }
    const qsizetype paragraphs = m_texts.value(QStringLiteral("introduction")).split(u'\n').size();
    if (paragraphs != IntroductionParagraphs)
        problem(QStringLiteral("texts/introduction.txt: %1 paragraphs where there must be %2")
                    .arg(paragraphs)
                    .arg(IntroductionParagraphs));
}

const QStringList &ContentModel::problems() const
{
    loadTopics();
    if (!m_checked) {
        m_checked = true;
        for (AsanaIndex index = 0; index < m_asanas.size(); ++index)
            checkAsana(index);
        checkFiles();
    }
    return m_problems;
}

// Each record's picture, double-size picture and pose file, under the record's own slug.
void ContentModel::checkFiles() const
{
    for (AsanaIndex index = 0; index < m_slugs.size(); ++index) {
        const QString stem = m_slugs.at(index);
        const QString file = stem + QStringLiteral(".txt");
        if (!QFile::exists(picturePath(index)))
            problem(QStringLiteral("asanas/%1: no picture pictures/%2.jpg").arg(file, stem));
        if (!QFile::exists(picturePath(index, true)))
            problem(QStringLiteral("asanas/%1: no double-size picture pictures/%2@2x.jpg").arg(file, stem));
        if (!QFile::exists(path(QStringLiteral("poses/%1.pose").arg(stem))))
            problem(QStringLiteral("asanas/%1: no pose file poses/%2.pose").arg(file, stem));
    }
}

QString ContentModel::picturePath(AsanaIndex index, bool doubleSize) const
{
    return path(
        QStringLiteral("pictures/%1%2.jpg").arg(m_slugs.value(index), doubleSize ? QStringLiteral("@2x") : QString()));
}

const TopicPage &ContentModel::topic(const QString &button) const
{
    static const TopicPage none;
    loadTopics();
    const auto found = m_topics.constFind(button);
    return found == m_topics.cend() ? none : *found;
}

QStringList RequiredTexts()
{
    return {QStringLiteral("about"),        QStringLiteral("cobrand"),      QStringLiteral("forum-invitation"),
            QStringLiteral("home-address"), QStringLiteral("introduction"), QStringLiteral("promo-1"),
            QStringLiteral("promo-2"),      QStringLiteral("promo-3"),      QStringLiteral("promo-4"),
            QStringLiteral("softwares"),    QStringLiteral("url-caption")};
}

const ContentModel &Content()
{
    static const ContentModel model = ContentModel::load(QStringLiteral(":/"));
    return model;
}

void ReportContentProblems()
{
    for (const QString &problem : Content().problems())
        qCWarning(lcContent).noquote() << "content problem:" << problem;
}

#include "content/ImageList.h"

#include "content/AsanaCatalogue.h"

#include <QDir>

ImageList::ImageList(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("IMG"));
    const QDir folder(QStringLiteral(":/pictures"));
    for (const QString &name : folder.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name))
        m_files << folder.filePath(name);
    m_cache.resize(m_files.size());
}

int ImageList::count() const
{
    return int(m_files.size());
}

QString ImageList::key(int position) const
{
    return position >= 1 && position <= count() ? modYogasana::PictureKey(position - 1) : QString();
}

QPixmap ImageList::picture(int position) const
{
    if (position < 1 || position > count())
        return {};
    QPixmap &cached = m_cache[position - 1];
    if (cached.isNull())
        cached.load(m_files.at(position - 1), "JPG");
    return cached;
}

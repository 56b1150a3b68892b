#include "content/ImageList.h"

#include "content/AsanaCatalogue.h"
#include "content/ContentModel.h"
#include "platform/RawPicture.h"

#include <QFile>

namespace {

// From this ratio on, the 250-pixel picture would be visibly scaled up.
constexpr qreal DoubleSizeFrom = 1.5;

} // namespace

ImageList::ImageList(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("IMG"));
    m_cache.resize(count());
    m_doubleCache.resize(count());
}

int ImageList::count() const { return int(Content().asanas().size()); }

QString ImageList::key(int position) const
{
    return position >= 1 && position <= count() ? modYogasana::PictureKey(position - 1) : QString();
}

QPixmap ImageList::picture(int position, qreal devicePixelRatio) const
{
    if (position < 1 || position > count())
        return {};
    const int index = position - 1;
    const bool doubleSize = devicePixelRatio >= DoubleSizeFrom && QFile::exists(Content().picturePath(index, true));
    QPixmap &cached = (doubleSize ? m_doubleCache : m_cache)[index];
    if (cached.isNull()) {
        // The build keeps the start picture decoded; any other is decoded here.
        const QString decoded = doubleSize ? QString() : QStringLiteral(":/decoded/%1.raw").arg(Content().slug(index));
        const QString file = Content().picturePath(index, doubleSize);
        cached = QPixmap::fromImage(RawPicture::read(decoded, file, "jpg"));
        if (cached.isNull()) {
            qCWarning(lcContent) << "picture" << file << "does not decode";
            return {};
        }
        if (doubleSize)
            cached.setDevicePixelRatio(2.0);
    }
    return cached;
}

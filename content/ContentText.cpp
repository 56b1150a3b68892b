#include "content/ContentText.h"

#include <QFile>

QString ContentText(const QString &name)
{
    QFile file(QStringLiteral(":/texts/%1.txt").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    while (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    return text;
}

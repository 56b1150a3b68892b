#include "platform/InstanceLock.h"

#include "platform/Logging.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

// A folder only `userId` can write: its own, a folder, and no write bit for group or others.
// `followLinks` is for the runtime folder, which the session set up; our own fallback folder in
// the shared temp folder must not be a link, or another user could point it anywhere.
static bool isPrivateFolder(const QString &path, uint userId, bool followLinks, QString *why)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if ((followLinks ? ::stat(native.constData(), &info) : ::lstat(native.constData(), &info)) != 0) {
        *why = QStringLiteral("cannot be read");
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        *why = QStringLiteral("is not a folder");
        return false;
    }
    if (info.st_uid != userId) {
        *why = QStringLiteral("belongs to user %1").arg(info.st_uid);
        return false;
    }
    if (info.st_mode & (S_IWGRP | S_IWOTH)) {
        *why = QStringLiteral("can be written by others");
        return false;
    }
    return true;
}

QString instanceLockFolder(const QString &runtimeFolder, const QString &tempFolder, uint userId)
{
    QString why;
    if (!runtimeFolder.isEmpty()) {
        if (isPrivateFolder(runtimeFolder, userId, true, &why))
            return runtimeFolder;
        qCWarning(lcPlatform, "Runtime folder %s %s; the instance lock goes to the temp folder",
                  qUtf8Printable(runtimeFolder), qUtf8Printable(why));
    }
    if (tempFolder.isEmpty())
        return {};
    const QString folder = tempFolder + QStringLiteral("/tavrello-") + QString::number(userId);
    // mkdir applies the mode atomically; an existing folder is checked just the same below.
    if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST) {
        qCWarning(lcPlatform, "Cannot create %s; running without the instance lock", qUtf8Printable(folder));
        return {};
    }
    if (!isPrivateFolder(folder, userId, false, &why)) {
        qCWarning(lcPlatform, "%s %s; running without the instance lock", qUtf8Printable(folder), qUtf8Printable(why));
        return {};
    }
    return folder;
}

QString instanceLockFile(const QString &folder, const QString &programFile)
{
    if (folder.isEmpty())
        return {};
    const QString canonical = QFileInfo(programFile).canonicalFilePath();
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return folder + u'/' + QFileInfo(programFile).completeBaseName() + u'-' + QString::fromLatin1(hash) +
           QStringLiteral(".lock");
}

QString instanceLockPath(const QString &programFile)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return instanceLockFile(instanceLockFolder(runtime, QDir::tempPath(), uint(::getuid())), programFile);
}

} // namespace platform

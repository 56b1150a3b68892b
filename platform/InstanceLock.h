#pragma once

#include <QString>

namespace platform {

// The folder that holds the single-instance lock of the user `userId`: `runtimeFolder` when it is
// a folder of that user that nobody else can write, else `tempFolder`/tavrello-`userId`, created
// mode 0700 on first use and refused when it is not a real folder owned by that user and closed to
// everyone else. Empty when neither can be used; the program then runs without the lock rather
// than let another user's files keep it from starting.
QString instanceLockFolder(const QString &runtimeFolder, const QString &tempFolder, uint userId);

// The lock file of `programFile` inside `folder`: one lock per program file, so copies installed
// in different places do not exclude each other. Empty when `folder` is.
QString instanceLockFile(const QString &folder, const QString &programFile);

// Both of the above for the running process: XDG_RUNTIME_DIR, the temp folder and the real user id.
QString instanceLockPath(const QString &programFile);

} // namespace platform

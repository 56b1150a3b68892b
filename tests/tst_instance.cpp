#include "platform/InstanceLock.h"
#include "platform/QtServices.h"

#include <QtTest>

#include <csignal>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// The single-instance lock: where it may live (a folder only its user can write), and how it
// behaves between real processes. For the latter this test starts copies of itself that only
// take the lock ("hold" keeps it until killed, "try" reports whether it got it).
class tst_instance : public QObject {
    Q_OBJECT

    QTemporaryDir m_runtime;

    static QProcessEnvironment environment(const QString &role, const QString &runtime, const QString &temp = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TAVRELLO_LOCK_ROLE"), role);
        if (runtime.isNull())
            env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        else
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        if (!temp.isEmpty())
            env.insert(QStringLiteral("TMPDIR"), temp);
        return env;
    }

    static int tryLock(const QString &runtime, const QString &temp = {})
    {
        QProcess process;
        process.setProcessEnvironment(environment(QStringLiteral("try"), runtime, temp));
        process.start(QCoreApplication::applicationFilePath(), {});
        if (!process.waitForFinished(20000))
            return -1;
        return process.exitCode();
    }

    // Starts a process that holds the lock until killed; false if it did not get it.
    static bool hold(QProcess &holder, const QString &runtime, const QString &temp = {})
    {
        holder.setProcessEnvironment(environment(QStringLiteral("hold"), runtime, temp));
        holder.start(QCoreApplication::applicationFilePath(), {});
        return holder.waitForReadyRead(20000) && holder.readLine().trimmed() == "locked";
    }

    static void killHolder(QProcess &holder)
    {
        ::kill(pid_t(holder.processId()), SIGKILL); // leaves its lock file behind
        holder.waitForFinished(20000);
    }

    static uint me() { return uint(::getuid()); }
    static uint someoneElse() { return me() == 65534 ? 65533 : 65534; }

private Q_SLOTS:
    void secondProcessIsRefusedAndAStaleLockIsTakenOver()
    {
        QVERIFY(m_runtime.isValid());
        QProcess holder;
        QVERIFY(hold(holder, m_runtime.path()));

        QCOMPARE(tryLock(m_runtime.path()), 3); // refused while the first runs

        killHolder(holder);
        QVERIFY(!QDir(m_runtime.path()).entryList({QStringLiteral("*.lock")}, QDir::Files).isEmpty());
        QCOMPARE(tryLock(m_runtime.path()), 0);
    }

    // Neither a runtime folder nor a temporary folder can hold the lock: the program still starts.
    void noFolderForTheLockStillStarts()
    {
        QCOMPARE(tryLock(QStringLiteral("/dev/null/runtime"), QStringLiteral("/dev/null/tmp")), 0);
    }

    // Where the lock goes for a given runtime folder and state of the shared temp folder. "Another
    // user" is the caller's id differing from the owner's, which works as root and as anyone else.
    void lockFolder_data()
    {
        QTest::addColumn<QString>("runtime");  // "", "private", "open", "file", "missing"
        QTest::addColumn<QString>("fallback"); // state of temp/tavrello-<uid> beforehand:
                                               // "", "private", "open", "file", "link"
        QTest::addColumn<bool>("asSomeoneElse");
        QTest::addColumn<QString>("expected"); // "runtime", "fallback" or "" (no lock)

        QTest::newRow("private runtime folder") << "private"
                                                << "" << false << "runtime";
        QTest::newRow("no runtime folder set") << ""
                                               << "" << false << "fallback";
        QTest::newRow("runtime folder missing") << "missing"
                                                << "" << false << "fallback";
        QTest::newRow("runtime folder writable by others") << "open"
                                                           << "" << false << "fallback";
        QTest::newRow("runtime folder is a file") << "file"
                                                  << "" << false << "fallback";
        QTest::newRow("own fallback from an earlier run") << ""
                                                          << "private" << false << "fallback";
        QTest::newRow("fallback writable by others") << ""
                                                     << "open" << false << "";
        QTest::newRow("fallback is a file") << ""
                                            << "file" << false << "";
        QTest::newRow("fallback is a link to a private folder") << ""
                                                                << "link" << false << "";
        QTest::newRow("fallback of another user") << ""
                                                  << "private" << true << "";
        QTest::newRow("runtime folder of another user") << "private"
                                                        << "" << true << "";
    }

    void lockFolder()
    {
        QFETCH(QString, runtime);
        QFETCH(QString, fallback);
        QFETCH(bool, asSomeoneElse);
        QFETCH(QString, expected);

        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        const QString temp = scratch.filePath(QStringLiteral("tmp"));
        QVERIFY(QDir().mkpath(temp));
        QVERIFY(::chmod(QFile::encodeName(temp).constData(), 01777) == 0); // like /tmp
        const uint user = asSomeoneElse ? someoneElse() : me();
        const QString fallbackFolder = temp + QStringLiteral("/tavrello-") + QString::number(user);

        const auto make = [](const QString &path, const QString &state) {
            const QByteArray native = QFile::encodeName(path);
            if (state == QLatin1String("file")) {
                QFile file(path);
                return file.open(QIODevice::WriteOnly);
            }
            if (state == QLatin1String("link")) {
                const QByteArray target = QFile::encodeName(path + QStringLiteral("-target"));
                return ::mkdir(target.constData(), 0700) == 0 && ::symlink(target.constData(), native.constData()) == 0;
            }
            if (::mkdir(native.constData(), 0700) != 0)
                return false;
            // chmod, not mkdir's mode: the umask must not hide the group and other write bits.
            return state != QLatin1String("open") || ::chmod(native.constData(), 0777) == 0;
        };
        QString runtimeFolder;
        if (runtime == QLatin1String("missing"))
            runtimeFolder = scratch.filePath(QStringLiteral("missing"));
        else if (!runtime.isEmpty()) {
            runtimeFolder = scratch.filePath(QStringLiteral("runtime"));
            QVERIFY(make(runtimeFolder, runtime));
        }
        if (!fallback.isEmpty())
            QVERIFY(make(fallbackFolder, fallback));

        const QString folder = platform::instanceLockFolder(runtimeFolder, temp, user);

        const QString wanted = expected == QLatin1String("runtime")    ? runtimeFolder
                               : expected == QLatin1String("fallback") ? fallbackFolder
                                                                       : QString();
        QCOMPARE(folder, wanted);
        if (expected == QLatin1String("fallback")) {
            struct stat info {};
            QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &info), 0);
            QVERIFY(S_ISDIR(info.st_mode));
            QCOMPARE(info.st_mode & 07777, mode_t(0700));
            QCOMPARE(uint(info.st_uid), me());
        }
        QCOMPARE(platform::instanceLockFile(folder, QStringLiteral("/usr/bin/Tavrellix")).isEmpty(), folder.isEmpty());
    }

    // A folder really owned by another user (only root can hand one over) is refused just the same.
    void fallbackReallyOwnedByAnotherUserIsRefused()
    {
        if (::getuid() != 0)
            QSKIP("only root can give a folder to another user; lockFolder covers this by the caller's id");
        QTemporaryDir scratch;
        const QString folder = scratch.filePath(QStringLiteral("tavrello-0"));
        QVERIFY(::mkdir(QFile::encodeName(folder).constData(), 0700) == 0);
        QVERIFY(::chown(QFile::encodeName(folder).constData(), someoneElse(), someoneElse()) == 0);
        QCOMPARE(platform::instanceLockFolder({}, scratch.path(), 0), QString());
    }

    // Without a runtime folder the lock still keeps a second copy out, and a stale one is taken over.
    void fallbackLockExcludesASecondProcess()
    {
        QTemporaryDir temp;
        QProcess holder;
        QVERIFY(hold(holder, QString(), temp.path()));
        QVERIFY(QFileInfo(temp.filePath(QStringLiteral("tavrello-%1").arg(me()))).isDir());
        QCOMPARE(tryLock(QString(), temp.path()), 3);
        killHolder(holder);
        QCOMPARE(tryLock(QString(), temp.path()), 0);
    }

    // What another user can leave in the shared temp folder: a live lock under the name that the
    // program file alone decides, or a folder under our name that is not ours to trust. Neither
    // may keep the program from starting.
    void anotherUsersFilesCannotBlockTheStart()
    {
        QTemporaryDir temp;
        QVERIFY(::chmod(QFile::encodeName(temp.path()).constData(), 01777) == 0);
        QLockFile planted(platform::instanceLockFile(temp.path(), QCoreApplication::applicationFilePath()));
        QVERIFY(planted.tryLock(0)); // held by this live process, as another user's copy would hold it
        QCOMPARE(tryLock(QString(), temp.path()), 0);

        const QByteArray ours = QFile::encodeName(temp.filePath(QStringLiteral("tavrello-%1").arg(me())));
        QVERIFY(QFileInfo(QString::fromLocal8Bit(ours)).isDir()); // made by the run above
        if (::getuid() == 0)
            QVERIFY(::chown(ours.constData(), someoneElse(), someoneElse()) == 0);
        else
            QVERIFY(::chmod(ours.constData(), 0777) == 0);
        QLockFile inside(
            platform::instanceLockFile(QString::fromLocal8Bit(ours), QCoreApplication::applicationFilePath()));
        QVERIFY(inside.tryLock(0));
        QCOMPARE(tryLock(QString(), temp.path()), 0);
    }
};

static int runRole(const QByteArray &role)
{
    platform::QtServices services;
    const bool acquired = services.acquireInstanceLock();
    if (role == "hold" && acquired) {
        std::printf("locked\n");
        std::fflush(stdout);
        for (;;)
            std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    return acquired ? 0 : 3;
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QByteArray role = qgetenv("TAVRELLO_LOCK_ROLE");
    if (!role.isEmpty())
        return runRole(role);
    tst_instance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_instance.moc"

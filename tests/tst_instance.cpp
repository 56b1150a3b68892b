#include "platform/QtServices.h"

#include <QtTest>

#include <csignal>
#include <thread>

// The single-instance lock between real processes: this test starts copies of itself that
// only take the lock ("hold" keeps it until killed, "try" reports whether it got it).
class tst_instance : public QObject {
    Q_OBJECT

    QTemporaryDir m_runtime;

    QProcessEnvironment environment(const QString &role, const QString &runtime, const QString &temp = {}) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TAVRELLO_LOCK_ROLE"), role);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        if (!temp.isEmpty())
            env.insert(QStringLiteral("TMPDIR"), temp);
        return env;
    }

    int tryLock(const QString &runtime, const QString &temp = {}) const
    {
        QProcess process;
        process.setProcessEnvironment(environment(QStringLiteral("try"), runtime, temp));
        process.start(QCoreApplication::applicationFilePath(), {});
        if (!process.waitForFinished(20000))
            return -1;
        return process.exitCode();
    }

private Q_SLOTS:
    void secondProcessIsRefusedAndAStaleLockIsTakenOver()
    {
        QVERIFY(m_runtime.isValid());
        QProcess holder;
        holder.setProcessEnvironment(environment(QStringLiteral("hold"), m_runtime.path()));
        holder.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(holder.waitForReadyRead(20000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

        QCOMPARE(tryLock(m_runtime.path()), 3); // refused while the first runs

        ::kill(pid_t(holder.processId()), SIGKILL); // leaves its lock file behind
        QVERIFY(holder.waitForFinished(20000));
        QVERIFY(!QDir(m_runtime.path()).entryList({QStringLiteral("*.lock")}, QDir::Files).isEmpty());
        QCOMPARE(tryLock(m_runtime.path()), 0);
    }

    // Neither a runtime folder nor a temporary folder can hold the lock: the program still starts.
    void noFolderForTheLockStillStarts()
    {
        QCOMPARE(tryLock(QStringLiteral("/dev/null/runtime"), QStringLiteral("/dev/null/tmp")), 0);
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

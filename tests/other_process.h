#pragma once
// Another live process of this machine, and the machine's name, for the tests of the lock.

#include <QByteArray>
#include <QProcess>
#ifdef Q_OS_WIN
#include <QSysInfo>
#else
#include <unistd.h>
#endif

inline QByteArray other_process_host()
{
#ifdef Q_OS_WIN
    return QSysInfo::machineHostName().toUtf8();
#else
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
#endif
}

// A process that lives while this does: the test's parent on Linux; on Windows a command
// prompt waiting for a key on its stdin, which stays open.
struct other_process {
#ifdef Q_OS_WIN
    QProcess process;
    other_process() { process.start(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), QStringLiteral("pause")}); }
    ~other_process()
    {
        process.kill();
        process.waitForFinished();
    }
    qint64 pid() { return process.waitForStarted() ? process.processId() : 0; }
#else
    qint64 pid() const { return ::getppid(); }
#endif
};

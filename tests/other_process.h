#pragma once
// Other processes of this machine, for the tests of the lock: one that lives while the test
// runs, and the id of one that has ended, as a crash leaves behind.

#include <QByteArray>
#include <QProcess>
#ifndef Q_OS_WIN
#include <sys/wait.h>
#include <unistd.h>
#endif

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

#ifdef Q_OS_WIN
// The pid of a process that has ended, with no handle left open to it.
inline qint64 gone_pid()
{
    QProcess process;
    process.start(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), QStringLiteral("exit")});
    const qint64 pid = process.waitForStarted() ? process.processId() : 0;
    process.waitForFinished();
    return pid;
}
#else
// The pid of a process that has ended and been reaped.
inline qint64 gone_pid()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}
#endif

#pragma once
// A process id that no process has any more, as a crash leaves behind.

#include <QtGlobal>
#include <sys/wait.h>
#include <unistd.h>

// The pid of a process that has ended and been reaped.
inline qint64 gone_pid()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

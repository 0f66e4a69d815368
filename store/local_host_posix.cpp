#include "store/local_host.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <unistd.h>

qint64 local_host_pid()
{
    return ::getpid();
}

QByteArray local_host_name()
{
    char name[HOST_NAME_MAX + 1] = {};
    ::gethostname(name, sizeof name - 1);
    return QByteArray(name);
}

bool local_host_running(qint64 pid)
{
    // EPERM: the process runs, under another user.
    return pid > 0 && pid <= INT_MAX && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

#include "store/process_info.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <unistd.h>

qint64 process_info_id()
{
    return ::getpid();
}

QByteArray process_info_host()
{
    char name[HOST_NAME_MAX + 1] = {};
    ::gethostname(name, sizeof name - 1);
    return QByteArray(name);
}

bool process_info_alive(qint64 pid)
{
    return pid > 0 && pid <= INT_MAX && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

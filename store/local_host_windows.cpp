#include "store/local_host.h"

#include <QString>
#include <QSysInfo>
#include <windows.h>

qint64 local_host_pid()
{
    return GetCurrentProcessId();
}

QByteArray local_host_name()
{
    return QSysInfo::machineHostName().toUtf8();
}

bool local_host_running(qint64 pid)
{
    if (pid <= 0 || pid > qint64(MAXDWORD))
        return false;
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, DWORD(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;   // there, but another user's
    // A process that has ended lives on as long as someone holds a handle to it.
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

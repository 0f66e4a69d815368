#include "store/process_info.h"

#include <QString>
#include <QSysInfo>
#include <windows.h>

qint64 process_info_id()
{
    return GetCurrentProcessId();
}

QByteArray process_info_host()
{
    return QSysInfo::machineHostName().toUtf8();
}

bool process_info_alive(qint64 pid)
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

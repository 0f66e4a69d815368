#pragma once
// This process and its machine, as the programs that share an evaluation folder tell each
// other apart (local_host_posix.cpp, local_host_windows.cpp).

#include <QByteArray>

// This process's id.
qint64 local_host_pid();
// The machine's host name.
QByteArray local_host_name();
// True when a process with this id runs on this machine, one of another user's included.
bool local_host_running(qint64 pid);

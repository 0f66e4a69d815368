#pragma once
// The running program and its machine as the lock names them, on Linux and on Windows.

#include <QByteArray>

qint64 process_info_id();
QByteArray process_info_host();
// True when a process with this id runs on this machine, one of another user's included.
bool process_info_alive(qint64 pid);

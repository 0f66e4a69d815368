#pragma once
// This machine, as the programs that share an evaluation folder tell each other apart.

#include <QByteArray>

// The machine's host name.
QByteArray local_host_name();
// True when a process with this id runs on this machine.
bool local_host_running(qint64 pid);

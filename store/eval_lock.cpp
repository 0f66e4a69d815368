#include "store/eval_lock.h"

#include "store/file_io.h"

#include <QList>
#include <cerrno>
#include <climits>
#include <csignal>
#include <unistd.h>

namespace {

QByteArray lock_path(const QByteArray &folder)
{
    return folder + "/.lumo_test.lock";
}

QByteArray host_name()
{
    char name[HOST_NAME_MAX + 1] = {};
    ::gethostname(name, sizeof name - 1);
    return QByteArray(name);
}

struct lock_owner {
    qint64 pid = 0;
    QByteArray host;
};

lock_owner lock_read(const QByteArray &folder)
{
    QByteArray bytes;
    lock_owner owner;
    if (!file_read_all(lock_path(folder), 4096, &bytes).isEmpty())
        return owner;
    const QList<QByteArray> lines = bytes.split('\n');
    owner.pid = lines.value(0).toLongLong();
    owner.host = lines.value(1);
    return owner;
}

bool process_alive(qint64 pid)
{
    return pid > 0 && pid <= INT_MAX && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

}  // namespace

qint64 eval_lock_holder(const QByteArray &folder)
{
    const lock_owner owner = lock_read(folder);
    if (owner.pid <= 0 || (owner.pid == ::getpid() && owner.host == host_name()))
        return 0;
    // A process on another machine sharing the folder cannot be asked: take it as alive.
    if (owner.host == host_name() && !process_alive(owner.pid))
        return 0;
    return owner.pid;
}

QString eval_lock_take(const QByteArray &folder)
{
    return file_replace(lock_path(folder), QByteArray::number(::getpid()) + '\n' + host_name() + '\n');
}

void eval_lock_release(const QByteArray &folder)
{
    const lock_owner owner = lock_read(folder);
    if (owner.pid == ::getpid() && owner.host == host_name())
        file_remove(lock_path(folder));
}

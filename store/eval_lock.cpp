#include "store/eval_lock.h"

#include "store/file_io.h"
#include "store/process_info.h"

#include <QList>

namespace {

QByteArray lock_path(const QByteArray &folder)
{
    return folder + "/.lumo_test.lock";
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

}  // namespace

qint64 eval_lock_holder(const QByteArray &folder)
{
    const lock_owner owner = lock_read(folder);
    if (owner.pid <= 0 || (owner.pid == process_info_id() && owner.host == process_info_host()))
        return 0;
    // A process on another machine sharing the folder cannot be asked: take it as alive.
    if (owner.host == process_info_host() && !process_info_alive(owner.pid))
        return 0;
    return owner.pid;
}

QString eval_lock_take(const QByteArray &folder)
{
    return file_replace(lock_path(folder), QByteArray::number(process_info_id()) + '\n' + process_info_host() + '\n');
}

void eval_lock_release(const QByteArray &folder)
{
    const lock_owner owner = lock_read(folder);
    if (owner.pid == process_info_id() && owner.host == process_info_host())
        file_remove(lock_path(folder));
}

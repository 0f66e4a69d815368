#include "store/eval_lock.h"

#include "store/file_io.h"
#include "store/local_host.h"
#include "store/local_text.h"

#include <QList>
#include <QObject>

namespace {

QByteArray lock_path(const QByteArray &folder)
{
    return folder + "/.lumo_test.lock";
}

eval_lock_owner lock_read(const QByteArray &folder)
{
    QByteArray bytes;
    eval_lock_owner owner;
    if (!file_read_all(lock_path(folder), 4096, &bytes).isEmpty())
        return owner;
    const QList<QByteArray> lines = bytes.split('\n');
    owner.pid = lines.value(0).toLongLong();
    owner.host = lines.value(1);
    owner.other_host = owner.host != local_host_name();
    return owner;
}

}  // namespace

eval_lock_owner eval_lock_holder(const QByteArray &folder)
{
    const eval_lock_owner owner = lock_read(folder);
    const bool ours = owner.pid == local_host_pid() && !owner.other_host;
    if (owner.pid <= 0 || ours || (!owner.other_host && !local_host_running(owner.pid)))
        return {};
    return owner;
}

QString eval_lock_holder_text(const eval_lock_owner &owner)
{
    if (!owner.other_host)
        return QObject::tr("进程号%1").arg(owner.pid);
    return QObject::tr("计算机“%1”上的进程号%2").arg(local_text_name(owner.host)).arg(owner.pid);
}

QString eval_lock_take(const QByteArray &folder)
{
    const eval_lock_owner holder = eval_lock_holder(folder);
    if (holder.pid != 0)
        return QObject::tr("此评测已由%1打开").arg(eval_lock_holder_text(holder));
    return file_replace(lock_path(folder), QByteArray::number(local_host_pid()) + '\n' + local_host_name() + '\n');
}

void eval_lock_release(const QByteArray &folder)
{
    const eval_lock_owner owner = lock_read(folder);
    if (owner.pid == local_host_pid() && !owner.other_host)
        file_remove(lock_path(folder));
}

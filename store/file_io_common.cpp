// The parts of the file layer the same on every system.

#include "store/file_io_common.h"

#include "store/file_io.h"
#include "store/local_host.h"

#include <QList>
#include <QObject>
#include <atomic>

namespace {

QString size_text(qint64 bytes)
{
    constexpr qint64 megabyte = 1024 * 1024;
    return bytes % megabyte == 0 ? QObject::tr("%1 MB").arg(bytes / megabyte) : QObject::tr("%1字节").arg(bytes);
}

}  // namespace

QString file_read_capped(qint64 size, qint64 max_bytes, const file_read_part &read, QByteArray *contents)
{
    if (size > max_bytes)
        return QObject::tr("文件大小为%1，超过了%2的上限").arg(size_text(size), size_text(max_bytes));
    // One byte more than the file holds, so that the read that finds its end needs no room.
    QByteArray data;
    data.resize(int(size) + 1);
    qint64 done = 0;
    for (;;) {
        if (done == data.size()) {
            // The file grew since it was measured: it may still fit under the cap.
            if (done > max_bytes)
                break;
            data.resize(int(qMin<qint64>(max_bytes + 1, done * 2)));
        }
        QString failure;
        const qint64 got = read(data.data() + done, data.size() - done, &failure);
        if (got < 0)
            return failure;
        if (got == 0)
            break;
        done += got;
    }
    if (done > max_bytes)
        return QObject::tr("文件大小超过了%1的上限").arg(size_text(max_bytes));
    data.resize(int(done));
    *contents = std::move(data);
    return {};
}

QByteArray file_temporary_path(const QByteArray &path)
{
    // Short whatever the target's name, so any name that fits the folder can be replaced.
    static std::atomic<unsigned> counter{0};
    const int slash = path.lastIndexOf('/');
    return path.left(slash + 1) + ".lumo-" + QByteArray::number(local_host_pid()) + '-'
        + QByteArray::number(counter++) + ".tmp";
}

qint64 file_temporary_pid(const QByteArray &name)
{
    static const QByteArray prefix = ".lumo-";
    static const QByteArray suffix = ".tmp";
    if (!name.startsWith(prefix) || !name.endsWith(suffix))
        return 0;
    const QList<QByteArray> numbers = name.mid(prefix.size(), name.size() - prefix.size() - suffix.size()).split('-');
    if (numbers.size() != 2)
        return 0;
    bool pid_ok = false;
    bool counter_ok = false;
    const qint64 pid = numbers[0].toLongLong(&pid_ok);
    numbers[1].toUInt(&counter_ok);
    return pid_ok && counter_ok && pid > 0 && !numbers[0].startsWith('+') ? pid : 0;
}

QString file_commit(const QByteArray &temporary, const QByteArray &path)
{
    QString failure = file_sync(temporary);
    if (failure.isEmpty())
        failure = file_rename(temporary, path);
    if (!failure.isEmpty()) {
        file_remove(temporary);
        return failure;
    }
    return dir_sync(path.left(path.lastIndexOf('/') + 1) + '.');
}

QString file_replace(const QByteArray &path, const QByteArray &contents)
{
    const QByteArray temporary = file_temporary_path(path);
    const QString failure = file_write_new(temporary, contents);
    return failure.isEmpty() ? file_commit(temporary, path) : failure;
}

bool file_stamp::operator==(const file_stamp &other) const
{
    return exists == other.exists && error == other.error && device == other.device && inode == other.inode
        && size == other.size && modified_ns == other.modified_ns;
}

bool file_stamp::same_file(const file_stamp &other) const
{
    return exists && other.exists && device == other.device && inode == other.inode;
}

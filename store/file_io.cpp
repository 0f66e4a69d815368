#include "store/file_io.h"

#include "store/error_text.h"
#include "store/file_io_common.h"

#include <QObject>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes a descriptor at scope exit.
struct fd_guard {
    int fd;
    ~fd_guard()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool write_all(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, std::size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

QString sync_through(const QByteArray &path, int flags, int (*sync)(int))
{
    fd_guard file{::open(path.constData(), flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)};
    if (file.fd < 0)
        return error_text(errno);
    return sync(file.fd) == 0 ? QString() : error_text(errno);
}

// The stamp of a file from the result of stat or fstat (errno set when it failed).
file_stamp stamp_of(int result, const struct stat &info)
{
    file_stamp stamp;
    if (result != 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            stamp.error = errno;
        return stamp;
    }
    stamp.exists = true;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modified_ns = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return stamp;
}

}  // namespace

QString file_read_all(const QByteArray &path, qint64 max_bytes, QByteArray *contents, file_stamp *stamp)
{
    file_stamp unused;
    stamp = stamp ? stamp : &unused;
    fd_guard file{::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)};
    struct stat info;
    *stamp = stamp_of(file.fd >= 0 ? ::fstat(file.fd, &info) : -1, info);
    if (!stamp->exists)
        return error_text(errno);
    if (S_ISDIR(info.st_mode))
        return error_text(EISDIR);
    if (!S_ISREG(info.st_mode))
        return QObject::tr("不是普通文件");
    const auto read = [&](char *data, qint64 n, QString *failure) -> qint64 {
        for (;;) {
            const ssize_t got = ::read(file.fd, data, std::size_t(n));
            if (got >= 0 || errno != EINTR) {
                if (got < 0)
                    *failure = error_text(errno);
                return got;
            }
        }
    };
    return file_read_capped(info.st_size, max_bytes, read, contents);
}

QString file_rename(const QByteArray &from, const QByteArray &to)
{
    return ::rename(from.constData(), to.constData()) == 0 ? QString() : error_text(errno);
}

QString file_link(const QByteArray &from, const QByteArray &to)
{
    return ::link(from.constData(), to.constData()) == 0 ? QString() : error_text(errno);
}

QString file_remove(const QByteArray &path)
{
    return ::unlink(path.constData()) == 0 ? QString() : error_text(errno);
}

QString file_write_new(const QByteArray &path, const QByteArray &contents)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return error_text(errno);
    int error = 0;
    if (!write_all(fd, contents.constData(), contents.size()))
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        file_remove(path);
        return error_text(error);
    }
    return {};
}

QString file_sync(const QByteArray &path)
{
    return sync_through(path, O_RDONLY, ::fsync);
}

QString fs_sync(const QByteArray &path)
{
    return sync_through(path, O_RDONLY, ::syncfs);
}

QString dir_sync(const QByteArray &path)
{
    return sync_through(path, O_RDONLY | O_DIRECTORY, ::fsync);
}

bool dir_exists(const QByteArray &path)
{
    struct stat info;
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

QString dir_searchable(const QByteArray &path)
{
    struct stat info;
    const QByteArray inside = (path.endsWith('/') ? path : path + '/') + '.';
    return ::stat(inside.constData(), &info) == 0 ? QString() : error_text(errno);
}

bool dir_same(const QByteArray &a, const QByteArray &b)
{
    struct stat first;
    struct stat second;
    return ::stat(a.constData(), &first) == 0 && ::stat(b.constData(), &second) == 0
        && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

QByteArray path_resolve(const QByteArray &path)
{
    char *resolved = ::realpath(path.constData(), nullptr);
    const QByteArray result(resolved);
    std::free(resolved);
    return result;
}

int dir_name_max(const QByteArray &path)
{
    const long max = ::pathconf(path.constData(), _PC_NAME_MAX);
    return max > 0 && max < 255 ? int(max) : 255;
}

QString dir_make(const QByteArray &path)
{
    if (::mkdir(path.constData(), 0777) == 0)
        return {};
    const int error = errno;
    if (error == EEXIST && dir_exists(path))
        return {};
    return error_text(error);
}

QString dir_list(const QByteArray &path, dir_entries *entries)
{
    DIR *dir = ::opendir(path.constData());
    if (!dir)
        return error_text(errno);
    const QByteArray prefix = path.endsWith('/') ? path : path + '/';
    *entries = dir_entries();
    errno = 0;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..") {
            errno = 0;
            continue;
        }
        // The entry's type spares a look at it, except for links and where the file system
        // does not tell.
        struct stat info;
        const bool regular = entry->d_type == DT_REG
            || ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) && ::stat((prefix + name).constData(), &info) == 0
                && S_ISREG(info.st_mode));
        (regular ? entries->files : entries->others).push_back(name);
        errno = 0;
    }
    const int error = errno;
    ::closedir(dir);
    return error ? error_text(error) : QString();
}

file_stamp file_stamp_read(const QByteArray &path)
{
    struct stat info;
    return stamp_of(::stat(path.constData(), &info), info);
}

#include "store/file_io.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Closes a descriptor at scope exit unless it was handed over.
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

}  // namespace

QString file_read_all(const QByteArray &path, QByteArray *contents)
{
    fd_guard file{::open(path.constData(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0)
        return reason(errno);
    struct stat info;
    if (::fstat(file.fd, &info) != 0)
        return reason(errno);
    if (S_ISDIR(info.st_mode))
        return reason(EISDIR);

    QByteArray data;
    data.reserve(int(info.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return reason(errno);
        }
        if (got == 0)
            break;
        data.append(chunk, int(got));
    }
    *contents = std::move(data);
    return {};
}

QByteArray file_temporary_path(const QByteArray &path)
{
    static std::atomic<unsigned> counter{0};
    const int slash = path.lastIndexOf('/');
    return path.left(slash + 1) + '.' + path.mid(slash + 1) + ".tmp-" + QByteArray::number(::getpid())
        + '-' + QByteArray::number(counter++);
}

QString file_rename(const QByteArray &from, const QByteArray &to)
{
    return ::rename(from.constData(), to.constData()) == 0 ? QString() : reason(errno);
}

void file_remove(const QByteArray &path)
{
    ::unlink(path.constData());
}

QString file_replace(const QByteArray &path, const QByteArray &contents)
{
    const QByteArray temporary = file_temporary_path(path);
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return reason(errno);
    int error = 0;
    if (!write_all(fd, contents.constData(), contents.size()))
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        file_remove(temporary);
        return reason(error);
    }
    const QString failure = file_rename(temporary, path);
    if (!failure.isEmpty())
        file_remove(temporary);
    return failure;
}

bool file_exists(const QByteArray &path)
{
    struct stat info;
    return ::stat(path.constData(), &info) == 0;
}

bool dir_exists(const QByteArray &path)
{
    struct stat info;
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

QString dir_make(const QByteArray &path)
{
    if (::mkdir(path.constData(), 0777) == 0)
        return {};
    const int error = errno;
    if (error == EEXIST && dir_exists(path))
        return {};
    return reason(error);
}

QString dir_list_files(const QByteArray &path, std::vector<QByteArray> *names)
{
    DIR *dir = ::opendir(path.constData());
    if (!dir)
        return reason(errno);
    const QByteArray prefix = path.endsWith('/') ? path : path + '/';
    names->clear();
    errno = 0;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        struct stat info;
        if (::stat((prefix + name).constData(), &info) == 0 && S_ISREG(info.st_mode))
            names->push_back(name);
        errno = 0;
    }
    const int error = errno;
    ::closedir(dir);
    return error ? reason(error) : QString();
}

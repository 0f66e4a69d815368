#include "store/windows_error.h"

#include "store/error_text.h"

#include <QObject>
#include <cerrno>
#include <windows.h>

namespace {

// ERROR_DISK_QUOTA_EXCEEDED, which MinGW's headers lack.
constexpr DWORD disk_quota_exceeded = 1295;

// The errno value of the same meaning, or 0 when there is none.
int errno_of(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_PATHNAME: return ENOENT;
    case ERROR_ACCESS_DENIED: return EACCES;
    case ERROR_PRIVILEGE_NOT_HELD: return EPERM;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_DIRECTORY: return ENOTDIR;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_DIR_NOT_EMPTY: return ENOTEMPTY;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_FILE_TOO_LARGE: return EFBIG;
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_IO_DEVICE: return EIO;
    case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE: return EBUSY;
    case ERROR_NOT_SAME_DEVICE: return EXDEV;
    case ERROR_CANT_RESOLVE_FILENAME: return ELOOP;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return ENOMEM;
    case ERROR_INVALID_PARAMETER: return EINVAL;
    default: return 0;
    }
}

// The system's own text, in the language of the teacher's Windows.
QString system_text(DWORD error)
{
    wchar_t *text = nullptr;
    const DWORD size = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                          | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    const QString result = size > 0 ? QString::fromWCharArray(text, int(size)).trimmed() : QString::number(error);
    LocalFree(text);
    return result;
}

}  // namespace

QString windows_error_text(unsigned long error)
{
    if (const int same = errno_of(error))
        return error_text(same);
    switch (error) {
    case ERROR_INVALID_NAME: return QObject::tr("文件名中有Windows不允许的字符（\\ / : * ? \" < > |）");
    case disk_quota_exceeded: return QObject::tr("超出了磁盘配额");
    case ERROR_NOT_READY: return QObject::tr("设备未就绪，U盘或光盘可能已经取出");
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_NETNAME_DELETED:
    case ERROR_UNEXP_NET_ERR: return QObject::tr("无法访问网络上的文件夹");
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED: return QObject::tr("这个文件系统不支持这样的操作");
    default: return QObject::tr("系统错误（%1）").arg(system_text(error));
    }
}

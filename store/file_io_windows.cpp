// The file layer on Windows, through the wide calls: a path is UTF-8 here and reaches the
// system as UTF-16, so any name the teacher's Windows shows opens and saves, whatever the ANSI
// code page can hold.

#include "store/file_io.h"

#include "store/error_text.h"
#include "store/file_io_common.h"
#include "store/windows_error.h"

#include <QObject>
#include <algorithm>
#include <cerrno>
#include <mutex>
#include <set>
#include <string>
#include <windows.h>

namespace {

std::wstring wide(const QByteArray &path)
{
    return QString::fromUtf8(path).toStdWString();
}

QString last_error()
{
    return windows_error_text(GetLastError());
}

// Why a call on path failed. Windows reports a name too long as a path not found or a bad
// name, depending on the call and the version; the teacher is told what it is.
QString failure_of(const std::wstring &path)
{
    const DWORD error = GetLastError();
    std::size_t longest = 0;
    for (std::size_t start = 0, end; start <= path.size(); start = end + 1) {
        end = path.find_first_of(L"/\\", start);
        end = end == std::wstring::npos ? path.size() : end;
        longest = std::max(longest, end - start);
    }
    const bool too_long = path.size() >= MAX_PATH || longest > 255;
    return windows_error_text(too_long ? DWORD(ERROR_FILENAME_EXCED_RANGE) : error);
}

// Closes a handle at scope exit.
struct handle_guard {
    HANDLE handle;
    ~handle_guard()
    {
        if (valid())
            CloseHandle(handle);
    }
    bool valid() const { return handle != INVALID_HANDLE_VALUE; }
};

constexpr DWORD share_all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens what path names, a folder too, through links, and lets others read, write, rename and
// remove it meanwhile, as on Linux.
HANDLE open_existing(const std::wstring &path, DWORD access)
{
    return CreateFileW(path.c_str(), access, share_all, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool information_read(const QByteArray &path, BY_HANDLE_FILE_INFORMATION *info)
{
    const handle_guard file{open_existing(wide(path), FILE_READ_ATTRIBUTES)};
    return file.valid() && GetFileInformationByHandle(file.handle, info);
}

bool is_folder(const BY_HANDLE_FILE_INFORMATION &info)
{
    return info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
}

// Flushing takes a handle opened for writing, so Windows flushes one file at a time, and a
// whole volume only for an administrator: fs_sync flushes the files written since.
struct unflushed_files {
    std::mutex mutex;
    std::set<std::wstring> paths;
};

unflushed_files &unflushed()
{
    static unflushed_files files;
    return files;
}

void unflushed_note(const std::wstring &path)
{
    const std::lock_guard<std::mutex> lock(unflushed().mutex);
    unflushed().paths.insert(path);
}

// True when path was written and not flushed yet.
bool unflushed_forget(const std::wstring &path)
{
    const std::lock_guard<std::mutex> lock(unflushed().mutex);
    return unflushed().paths.erase(path) > 0;
}

std::set<std::wstring> unflushed_take()
{
    const std::lock_guard<std::mutex> lock(unflushed().mutex);
    std::set<std::wstring> taken;
    taken.swap(unflushed().paths);
    return taken;
}

// Flushes a file, or a folder's entries, to the disk.
QString flush(const std::wstring &path)
{
    const handle_guard file{open_existing(path, GENERIC_WRITE)};
    if (!file.valid())
        return last_error();
    return FlushFileBuffers(file.handle) ? QString() : last_error();
}

bool write_all(HANDLE file, const char *data, qint64 size)
{
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(file, data, DWORD(qMin<qint64>(size, 1 << 30)), &written, nullptr))
            return false;
        data += written;
        size -= written;
    }
    return true;
}

// The stamp of a file from what GetFileInformationByHandle told.
file_stamp stamp_of(const BY_HANDLE_FILE_INFORMATION &info)
{
    file_stamp stamp;
    stamp.exists = true;
    stamp.device = info.dwVolumeSerialNumber;
    stamp.inode = quint64(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
    stamp.size = qint64(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
    // Ticks of 100 ns since 1601; Unix time's nanoseconds, as on Linux.
    const qint64 ticks = qint64(info.ftLastWriteTime.dwHighDateTime) << 32 | info.ftLastWriteTime.dwLowDateTime;
    constexpr qint64 ticks_to_1970 = 116444736000000000;
    stamp.modified_ns = (ticks - ticks_to_1970) * 100;
    return stamp;
}

// The stamp of a look that failed: absent, or why the file may well exist.
file_stamp stamp_failed(DWORD error)
{
    file_stamp stamp;
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_INVALID_NAME)
        stamp.error = int(error);
    return stamp;
}

// A regular file, or a link that leads to one.
bool is_regular(const QByteArray &path, DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        BY_HANDLE_FILE_INFORMATION info;
        return information_read(path, &info) && !is_folder(info);
    }
    return !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

}  // namespace

QString file_read_all(const QByteArray &path, qint64 max_bytes, QByteArray *contents, file_stamp *stamp)
{
    file_stamp unused;
    stamp = stamp ? stamp : &unused;
    const std::wstring name = wide(path);
    const handle_guard file{open_existing(name, GENERIC_READ)};
    if (!file.valid()) {
        *stamp = stamp_failed(GetLastError());
        return failure_of(name);
    }
    // A device or a pipe (CON, NUL, \\.\pipe\...) is refused before anything waits for it.
    if (GetFileType(file.handle) != FILE_TYPE_DISK) {
        stamp->exists = true;
        return QObject::tr("不是普通文件");
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file.handle, &info)) {
        *stamp = stamp_failed(GetLastError());
        return last_error();
    }
    *stamp = stamp_of(info);
    if (is_folder(info))
        return error_text(EISDIR);
    const auto read = [&](char *data, qint64 n, QString *failure) -> qint64 {
        DWORD got = 0;
        if (ReadFile(file.handle, data, DWORD(qMin<qint64>(n, 1 << 30)), &got, nullptr))
            return got;
        *failure = last_error();
        return -1;
    };
    return file_read_capped(stamp->size, max_bytes, read, contents);
}

QString file_rename(const QByteArray &from, const QByteArray &to)
{
    const std::wstring source = wide(from);
    const std::wstring target = wide(to);
    // Replaces to in one step, as rename() does on Linux; Windows' own rename() would refuse.
    if (!MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return failure_of(target);
    if (unflushed_forget(source))
        unflushed_note(target);
    return {};
}

QString file_link(const QByteArray &from, const QByteArray &to)
{
    return CreateHardLinkW(wide(to).c_str(), wide(from).c_str(), nullptr) ? QString() : last_error();
}

QString file_remove(const QByteArray &path)
{
    const std::wstring name = wide(path);
    unflushed_forget(name);
    return DeleteFileW(name.c_str()) ? QString() : last_error();
}

QString file_write_new(const QByteArray &path, const QByteArray &contents)
{
    const std::wstring name = wide(path);
    const HANDLE file =
        CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failure_of(name);
    DWORD error = 0;
    if (!write_all(file, contents.constData(), contents.size()))
        error = GetLastError();
    if (!CloseHandle(file) && error == 0)
        error = GetLastError();
    if (error != 0) {
        DeleteFileW(name.c_str());
        return windows_error_text(error);
    }
    unflushed_note(name);
    return {};
}

QString file_sync(const QByteArray &path)
{
    const std::wstring name = wide(path);
    unflushed_forget(name);
    return flush(name);
}

QString fs_sync(const QByteArray &)
{
    QString failure;
    for (const std::wstring &name : unflushed_take()) {
        const QString flushed = flush(name);
        if (failure.isEmpty())
            failure = flushed;
    }
    return failure;
}

QString dir_sync(const QByteArray &path)
{
    // NTFS keeps a folder's entries in its journal, and the rename wrote through; where a folder
    // cannot be flushed besides (FAT on a USB stick), the file is in place all the same.
    flush(wide(path));
    return {};
}

bool dir_exists(const QByteArray &path)
{
    BY_HANDLE_FILE_INFORMATION info;
    return information_read(path, &info) && is_folder(info);
}

QString dir_searchable(const QByteArray &path)
{
    // Listing its entries is what a folder's right to be searched amounts to on Windows.
    dir_entries entries;
    return dir_list(path, &entries);
}

bool dir_same(const QByteArray &a, const QByteArray &b)
{
    return file_stamp_read(a).same_file(file_stamp_read(b));
}

QByteArray path_resolve(const QByteArray &path)
{
    const handle_guard file{open_existing(wide(path), FILE_READ_ATTRIBUTES)};
    if (!file.valid())
        return {};
    constexpr DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    std::wstring name(GetFinalPathNameByHandleW(file.handle, nullptr, 0, flags), L'\0');
    const DWORD size = GetFinalPathNameByHandleW(file.handle, name.data(), DWORD(name.size()), flags);
    if (size == 0 || size >= name.size())
        return {};
    name.resize(size);
    // "\\?\C:\x" is C:\x, and "\\?\UNC\server\share" is \\server\share.
    const std::wstring unc = L"\\\\?\\UNC\\";
    if (name.compare(0, unc.size(), unc) == 0)
        name.replace(0, unc.size(), L"\\\\");
    else if (name.compare(0, 4, L"\\\\?\\") == 0)
        name.erase(0, 4);
    return QString::fromStdWString(name).replace(QLatin1Char('\\'), QLatin1Char('/')).toUtf8();
}

int dir_name_max(const QByteArray &)
{
    // 255 UTF-16 units, never fewer than 255 bytes of UTF-8.
    return 255;
}

QString dir_make(const QByteArray &path)
{
    const std::wstring name = wide(path);
    if (CreateDirectoryW(name.c_str(), nullptr))
        return {};
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS && dir_exists(path))
        return {};
    SetLastError(error);
    return failure_of(name);
}

QString dir_list(const QByteArray &path, dir_entries *entries)
{
    const QByteArray prefix = path.endsWith('/') || path.endsWith('\\') ? path : path + '/';
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW(wide(prefix + '*').c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    *entries = dir_entries();
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A drive's root has no "." to find: nothing found there is an empty folder.
        return error == ERROR_FILE_NOT_FOUND && dir_exists(path) ? QString() : windows_error_text(error);
    }
    do {
        const QByteArray name = QString::fromWCharArray(found.cFileName).toUtf8();
        if (name == "." || name == "..")
            continue;
        (is_regular(prefix + name, found.dwFileAttributes) ? entries->files : entries->others).push_back(name);
    } while (FindNextFileW(search, &found));
    const DWORD error = GetLastError();
    FindClose(search);
    return error == ERROR_NO_MORE_FILES ? QString() : windows_error_text(error);
}

file_stamp file_stamp_read(const QByteArray &path)
{
    BY_HANDLE_FILE_INFORMATION info;
    return information_read(path, &info) ? stamp_of(info) : stamp_failed(GetLastError());
}

#pragma once
// File access on 8-bit paths exactly as the file system holds them. Qt's file classes
// take QString paths, which cannot carry a name that is not valid in the locale's
// encoding (a GB18030 name copied from Windows); these calls pass the bytes through.
// On Windows a path is UTF-8 with "/" between folders (file_name_encode makes it so), which
// the calls turn into the system's UTF-16 names.
// Every function that can fail returns "" on success or the reason for the failure.

#include <QByteArray>
#include <QString>
#include <vector>

struct file_stamp;
// Reads a regular file of at most max_bytes. Anything else (a folder, a FIFO, a device) is
// refused without waiting for it, and so is a larger file, before it is read. *stamp, when
// given, is the stamp of what was opened, or says why nothing was.
QString file_read_all(const QByteArray &path, qint64 max_bytes, QByteArray *contents, file_stamp *stamp = nullptr);
// Writes a temporary file beside path, flushes it to the disk and renames it over path, so
// a failed write leaves the previous file as it was and a power cut leaves one or the other.
QString file_replace(const QByteArray &path, const QByteArray &contents);
// Flushes a finished temporary file to the disk and renames it over path, then flushes the
// folder. On failure the temporary file is removed and path is as it was.
QString file_commit(const QByteArray &temporary, const QByteArray &path);
// Creates path, which must not exist yet, with contents; nothing is flushed.
QString file_write_new(const QByteArray &path, const QByteArray &contents);
// A fresh, short name in the same folder as path, for a file later renamed over it:
// ".lumo-<process id>-<n>.tmp".
QByteArray file_temporary_path(const QByteArray &path);
// The process id in such a name, or 0 when name is none of ours.
qint64 file_temporary_pid(const QByteArray &name);
QString file_rename(const QByteArray &from, const QByteArray &to);
// Flushes one file to the disk.
QString file_sync(const QByteArray &path);
// Flushes everything written to the file system that holds path: one call for many files.
QString fs_sync(const QByteArray &path);
// Flushes a folder's entries, so renames in it survive a power cut.
QString dir_sync(const QByteArray &path);
// A second name for an existing file; fails when to exists.
QString file_link(const QByteArray &from, const QByteArray &to);
QString file_remove(const QByteArray &path);
bool dir_exists(const QByteArray &path);
// "" when the names in a folder can be looked up (the folder may be searched), or why not.
QString dir_searchable(const QByteArray &path);
// True when both paths reach the same folder.
bool dir_same(const QByteArray &a, const QByteArray &b);
// The longest file name the folder takes, in bytes of a path, at most 255.
int dir_name_max(const QByteArray &path);
// An existing folder counts as success.
QString dir_make(const QByteArray &path);
// The absolute path the file system reaches through path, links, "." and ".." resolved;
// "" when path does not exist or cannot be resolved.
QByteArray path_resolve(const QByteArray &path);

struct dir_entries {
    std::vector<QByteArray> files;    // regular files, symbolic links to them included
    std::vector<QByteArray> others;   // folders, FIFOs, devices, dangling links, ...
};
QString dir_list(const QByteArray &path, dir_entries *entries);

// What identifies a file's contents without reading them: a change of any of these means
// another program wrote it.
struct file_stamp {
    bool exists = false;
    // The system's error number (errno; GetLastError on Windows) of a look that failed for
    // another reason than the file's absence (no right to search its folder, an I/O error):
    // the file may well exist.
    int error = 0;
    quint64 device = 0;   // the volume's serial number on Windows
    quint64 inode = 0;    // the file's index within its volume on Windows
    qint64 size = 0;
    qint64 modified_ns = 0;

    bool operator==(const file_stamp &other) const;
    bool operator!=(const file_stamp &other) const { return !(*this == other); }
    // The same file or folder, whatever became of its contents.
    bool same_file(const file_stamp &other) const;
    // True unless the file is known to be absent.
    bool maybe_exists() const { return exists || error != 0; }
};
file_stamp file_stamp_read(const QByteArray &path);

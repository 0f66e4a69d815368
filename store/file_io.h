#pragma once
// File access on 8-bit paths exactly as the file system holds them. Qt's file classes
// take QString paths, which cannot carry a name that is not valid in the locale's
// encoding (a GB18030 name copied from Windows); these calls pass the bytes through.
// Every function returns "" on success or the system's reason for the failure.

#include <QByteArray>
#include <QString>
#include <vector>

QString file_read_all(const QByteArray &path, QByteArray *contents);
// Writes a temporary file beside path and renames it over path, so a failed write
// leaves the previous file as it was.
QString file_replace(const QByteArray &path, const QByteArray &contents);
// A fresh name in the same folder as path, for a file that is later renamed over it.
QByteArray file_temporary_path(const QByteArray &path);
QString file_rename(const QByteArray &from, const QByteArray &to);
void file_remove(const QByteArray &path);
bool file_exists(const QByteArray &path);
bool dir_exists(const QByteArray &path);
// An existing folder counts as success.
QString dir_make(const QByteArray &path);
// The names of the regular files in a folder (symbolic links to them included).
QString dir_list_files(const QByteArray &path, std::vector<QByteArray> *names);

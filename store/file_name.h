#pragma once
// A name the teacher picked or typed (a QString) as the 8-bit path the file layer takes, and
// back. On Linux that is the file system's own bytes, as QFile encodes them; on Windows it is
// UTF-8 with "/" between folders, which the file layer turns into the system's UTF-16 names
// (QFile would take the ANSI code page, which cannot hold every name).

#include <QByteArray>
#include <QString>

QByteArray file_name_encode(const QString &name);
QString file_name_decode(const QByteArray &path);

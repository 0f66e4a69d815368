#pragma once
// What the systems' sides of the file layer share.

#include <QByteArray>
#include <QString>
#include <functional>

// Reads an open file that measured size bytes, refused when it holds more than max_bytes:
// before a byte is read when its size says so, and while it is read when it grew since. read
// puts up to n bytes at data and returns how many, 0 at the end, or -1 with why in *failure.
using file_read_part = std::function<qint64(char *data, qint64 n, QString *failure)>;
QString file_read_capped(qint64 size, qint64 max_bytes, const file_read_part &read, QByteArray *contents);

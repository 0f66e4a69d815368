#pragma once
// The BIFF8 "Workbook" stream of an .xls file: the workbook's globals, then each worksheet,
// as records of a 2-byte id, a 2-byte length and at most BIFF_MAX_DATA bytes of data.

#include "results/workbook.h"

#include <QByteArray>
#include <QChar>
#include <QString>

constexpr int BIFF_MAX_DATA = 8224;

// Starts a record and returns where it starts; biff_record_end() fills in its length.
int biff_record_begin(QByteArray &s, quint16 id);
void biff_record_end(QByteArray &s, int at);

// Texts are stored one byte a character when every character fits, else as UTF-16LE.
bool biff_chars_compressible(const QChar *chars, int n);
void biff_chars_put(QByteArray &s, const QChar *chars, int n, bool wide);
// A string with a 1-byte length (ShortXLUnicodeString) or a 2-byte length (XLUnicodeString).
void biff_string_put(QByteArray &s, const QString &text, bool long_length);

// The stream of a workbook that fits the format (see workbook_xls_bytes): its sheets in
// order, the first one active, a sheet without a name called after its place.
QByteArray biff_stream_write(const workbook &book);

#pragma once
// The compound file (OLE2, MS-CFB version 3) an .xls workbook lives in: one stream in
// 512-byte sectors chained through the FAT, the FAT's own sectors listed in the header and,
// past 109 of them, in DIFAT sectors.

#include <QByteArray>
#include <QString>

// Smaller streams belong in a mini stream, which this writer does not make.
constexpr int CFB_MINI_STREAM_CUTOFF = 4096;

// Fills *file with a compound file whose only stream is stream, named name (at most 31
// characters); stream holds at least CFB_MINI_STREAM_CUTOFF bytes.
void cfb_file_write(const QString &name, const QByteArray &stream, QByteArray *file);

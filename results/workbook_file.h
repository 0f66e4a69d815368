#pragma once
// A workbook as a file: the format its name asks for, the one rule that the export and the
// grade's report both name their files by, and the safe save in that format.

#include "results/workbook.h"

#include <QByteArray>
#include <QString>

enum class workbook_format { none, xlsx, xls };

// The format the name's extension names: ".xlsx" or ".xls" in any ASCII case; none otherwise.
workbook_format workbook_file_format(const QByteArray &name);
workbook_format workbook_file_format(const QString &name);

// The name a workbook is saved under: a name of an accepted format stays, anything else gets
// ".xlsx" appended, as a spreadsheet application adds its default extension. .xlsx is always
// accepted, .xls when asked.
QString workbook_file_name(const QString &chosen, bool xls_accepted);

// The extension a file's name ends in, without its dot: ASCII letters and digits, at least
// one a letter, after the name's last dot ("xls" in "年级报告.xls"); "" when it has none
// ("2024.06期末" and "2024.06" have none).
QString workbook_file_extension(const QString &name);

// Writes the workbook in the format its extension names, beside the target first and then
// renamed over it, so a failure leaves an existing file untouched. Returns "" or the reason.
QString workbook_file_save(const QByteArray &path, const workbook &book);

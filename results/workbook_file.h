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

// Writes the workbook in the format its extension names, beside the target first and then
// renamed over it, so a failure leaves an existing file untouched. Returns "" or the reason.
QString workbook_file_save(const QByteArray &path, const workbook &book);

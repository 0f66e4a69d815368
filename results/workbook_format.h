#pragma once
// Which spreadsheet format a workbook's file name asks for, the one rule that the export and
// the grade's report both name their files by.

#include <QByteArray>
#include <QString>

enum class workbook_format { none, xlsx, xls };

// The format the name's extension names: ".xlsx" or ".xls" in any ASCII case; none otherwise.
workbook_format workbook_format_of(const QByteArray &name);
workbook_format workbook_format_of(const QString &name);

// The name a workbook is saved under: a name of an accepted format stays, anything else gets
// ".xlsx" appended, as a spreadsheet application adds its default extension. .xlsx is always
// accepted, .xls when asked.
QString workbook_file_name(const QString &chosen, bool xls_accepted);

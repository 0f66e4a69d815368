#pragma once
// Export of the score table to a spreadsheet workbook.

#include "results/score_sheet.h"
#include "results/workbook.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The worksheet of the score table: the header labels, then one row per student with the
// name as text and every figure as a number cell, rounded to the three decimals the table
// shows, so the teacher can sum and sort.
workbook_sheet score_table_sheet_make(const QStringList &headers, const score_sheet &sheet);
// The exported workbook: the score table, then the exam analysis of the same totals, "成绩分析"
// and "试题分析".
workbook score_workbook_make(const evaluation &eval, const score_sheet &sheet);

// The name the workbook is saved under: ".xls" and ".xlsx" (any case) stay, anything else
// gets ".xlsx" appended, as a spreadsheet application would add its default extension.
QString export_file_name(const QString &chosen);

// Writes the workbook in the format its extension names, beside the target first and then
// renamed over it, so a failure leaves an existing file untouched. Returns "" or the reason.
QString workbook_save(const QByteArray &path, const workbook &book);

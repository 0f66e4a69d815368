#pragma once
// Export of the score table to a spreadsheet workbook.

#include "results/score_sheet.h"
#include "results/workbook.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

// The worksheet of the score table: the header labels, then one row per student with the
// name as text and every figure as a number cell, rounded to the three decimals the table
// shows, so the teacher can sum and sort; the header row frozen, the columns as wide as their
// names and scores.
workbook_sheet score_export_table_sheet(const QStringList &headers, const score_sheet &sheet);
// The exported workbook: the score table, then the exam analysis of the same totals, "成绩分析"
// and "试题分析", each printed with the class's name and the day.
workbook score_export_workbook(const evaluation &eval, const score_sheet &sheet, const QDate &day);

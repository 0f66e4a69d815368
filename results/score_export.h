#pragma once
// Export of the score table to a spreadsheet workbook chosen by the teacher.

#include "results/workbook.h"

#include <QByteArray>
#include <QString>

class QTableWidget;
class QWidget;

// The header labels, then every row's cell texts. Texts in the table's "%.3f" form become
// number cells, so the teacher can sum and sort; a cell without an item stays empty.
workbook_sheet score_table_sheet(const QTableWidget *table);

// The name the workbook is saved under: ".xls" and ".xlsx" (any case) stay, anything else
// gets ".xlsx" appended, as a spreadsheet application would add its default extension.
QString export_file_name(const QString &chosen);

// Writes the workbook in the format its extension names, beside the target first and then
// renamed over it, so a failure leaves an existing file untouched. Returns "" or the reason.
QString workbook_save(const QByteArray &path, const workbook_sheet &sheet);

// The whole operation: asks for the file, writes it, reports a failure.
void score_export_run(QWidget *parent, const QTableWidget *table);

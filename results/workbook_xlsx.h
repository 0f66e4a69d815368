#pragma once

#include "results/workbook.h"

#include <QByteArray>
#include <QString>

// Writes the sheet as the first worksheet of an Excel 2007+ workbook at path (8-bit).
// Returns "" or a Chinese reason for the teacher.
QString xlsx_workbook_write(const QByteArray &path, const workbook_sheet &sheet);

#pragma once

#include "results/workbook.h"

#include <QByteArray>
#include <QString>

// Writes the sheets, in order, as an Excel 2007+ workbook at path (8-bit), with their
// formats, column widths, frozen rows and charts. Returns "" or a Chinese reason.
QString workbook_xlsx_write(const QByteArray &path, const workbook &book);

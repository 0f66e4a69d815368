#pragma once

#include "results/workbook.h"

#include <QByteArray>
#include <QString>

// Writes the sheets, in order, as an Excel 2007+ workbook at path (8-bit), which must not
// exist yet, with their formats, column widths, frozen rows, charts and page set-up. Returns
// "" or a Chinese reason; nothing of libxlsxwriter's own reaches standard error.
QString workbook_xlsx_write(const QByteArray &path, const workbook &book);

#pragma once
// Excel 97-2003 workbook (.xls) writer: one worksheet "Sheet1" of text and number cells,
// written byte for byte as a BIFF8 "Workbook" stream inside an OLE2 compound file, so that
// no spreadsheet application is needed to make the file.

#include "results/workbook.h"

#include <QByteArray>
#include <QString>

// What one .xls worksheet can hold; the .xlsx format holds more rows and columns.
constexpr int XLS_MAX_ROWS = 65536;
constexpr int XLS_MAX_COLUMNS = 256;
constexpr int XLS_MAX_TEXT_LENGTH = 32767;   // UTF-16 code units, the limit of any Excel cell

// Fills *out with the bytes of an .xls file holding the sheet and returns an empty string.
// If the sheet does not fit the format, *out is left empty and the result is a message for
// the teacher saying which limit was hit. Empty texts are written as empty cells, numbers
// with the number format "0.000", and a number that is not finite as the error value #NUM!.
QString xls_workbook_bytes(const workbook_sheet &sheet, QByteArray *out);

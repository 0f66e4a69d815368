#pragma once
// Excel 97-2003 workbook (.xls) writer: the workbook's worksheets of text and number cells,
// written byte for byte as a BIFF8 "Workbook" stream inside an OLE2 compound file, so that
// no spreadsheet application is needed to make the file.

#include "results/workbook.h"

#include <QByteArray>
#include <QString>

// What one .xls worksheet can hold; the .xlsx format holds more rows and columns.
constexpr int XLS_MAX_ROWS = 65536;
constexpr int XLS_MAX_COLUMNS = 256;
constexpr int XLS_MAX_TEXT_LENGTH = 32767;   // UTF-16 code units, the limit of any Excel cell

// Fills *out with the bytes of an .xls file holding the workbook's sheets in order and
// returns an empty string. The first sheet is the one shown when the file is opened; a sheet
// without a name is called "Sheet1", "Sheet2" and so on after its place, and an empty
// workbook is written as one empty "Sheet1".
//
// If the workbook does not fit the format, *out is left empty and the result is a message
// for the teacher saying which limit was hit, naming the sheet when there are several; a
// sheet name Excel would refuse (see sheet_name_check) is refused the same way.
//
// Empty texts are written as empty cells, a number that is not finite as the error value
// #NUM!, and the other numbers in their format: General, "0.000" or "0.0%". Column widths
// are in characters as Excel shows them (positive ones only; columns past the 256th have
// none), and frozen rows stay in view above a frozen split. Charts are .xlsx only: this
// writer leaves them out. A sheet's page set-up is written as BIFF8 has it (orientation,
// fitting, margins, header and footer, the title rows as the name Print_Titles); a sheet
// without one prints with the application's own, in the bytes such sheets always had.
QString workbook_xls_bytes(const workbook &book, QByteArray *out);

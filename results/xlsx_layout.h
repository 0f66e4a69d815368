#pragma once
// What libxlsxwriter writes of a sheet besides its cells.

#include "results/workbook.h"

#include <xlsxwriter.h>

// The sheet's column widths, frozen rows, charts and page set-up, on the worksheet made for
// it: everything but the cells, which constant-memory mode wants after these.
lxw_error xlsx_layout_write(lxw_workbook *workbook, lxw_worksheet *worksheet, const workbook_sheet &sheet);

#pragma once
// The statistics page: the score table and its export.

#include "app/window_state.h"

class QTableWidget;
class QWidget;

// Empties the cells, then gives the table one row per student and the header labels.
void score_page_shape(QTableWidget *table, const evaluation &eval);
// Sets every student row's texts, as "%.3f" for the figures, reusing the cells' items.
void score_page_fill(QTableWidget *table, const score_sheet &sheet);
// Removes every cell and header label: 0 rows, 0 columns.
void score_page_clear(QTableWidget *table);
// Asks for the workbook's name and writes what the table shows into it; reports a failure.
void score_page_export(QWidget *parent, const window_state &state, int rows);

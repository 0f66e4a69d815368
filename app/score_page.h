#pragma once
// The statistics page: the score table and its export.

#include "app/window_state.h"

class QTableWidget;
class QWidget;

// Empties the cells, then gives the table one row per student and the header labels.
void score_page_shape(QTableWidget *table, const evaluation &eval);
// The statistics: sets every student row's texts from the current scores, as "%.3f" for the
// figures, reusing the cells' items.
void score_page_fill(QTableWidget *table, window_state &state);
// Removes every cell and header label: 0 rows, 0 columns.
void score_page_clear(QTableWidget *table);
// Asks for the workbook's name and writes the table into it, first bringing the table up to
// date if a score changed since it was filled. Reports a failure.
void score_page_export(QWidget *parent, QTableWidget *table, window_state &state);

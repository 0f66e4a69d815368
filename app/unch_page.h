#pragma once
// The manual scoring page: one student's answer to one non-choice question at a time.

#include "store/evaluation.h"

class Ui_lumo_test;

// Shows the item under the cursor. The score entry's range is set before its value, so a
// stored score outside 0..full score is shown clamped into it.
void show_unch_item(Ui_lumo_test *ui, const evaluation &eval, const unch_cursor &cursor);
// Stores the entered score for the item under the cursor.
void unch_store(Ui_lumo_test *ui, evaluation &eval, const unch_cursor &cursor);
// Stores, then moves *moving (one of cursor's two) one step within 1..count and shows the
// new item.
void unch_navigate(Ui_lumo_test *ui, evaluation &eval, unch_cursor &cursor, int *moving, int delta,
                   int count);

// Enables the page on item (student 1, question 1) and shows it.
void unch_page_start(Ui_lumo_test *ui, const evaluation &eval, unch_cursor &cursor);
// Disables the page, puts both cursors to 0 and clears every display.
void unch_page_reset(Ui_lumo_test *ui, unch_cursor &cursor);

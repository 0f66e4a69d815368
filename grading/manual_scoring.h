#pragma once
// The manual scoring page: one student's answer to one non-choice question at a time,
// addressed by the cursors cur_stu and cur_pro.

class Ui_lumo_test;

// A cursor moved by delta within 1..count; at a bound it stays where it is (no wrap-around).
int cursor_step(int cursor, int delta, int count);

// Shows the item under the cursors. The score entry's range is set before its value, so a
// stored score outside 0..full score is shown clamped into it.
void show_unch_item(Ui_lumo_test *ui);
// Stores the entered score for the item under the cursors.
void unch_store(Ui_lumo_test *ui);
// Stores, then moves *cursor one step within 1..count and shows the new item.
void unch_navigate(Ui_lumo_test *ui, int *cursor, int delta, int count);

// Enables the page on item (student 1, question 1) and shows it.
void unch_page_start(Ui_lumo_test *ui);
// Disables the page, puts both cursors to 0 and clears every display.
void unch_page_reset(Ui_lumo_test *ui);

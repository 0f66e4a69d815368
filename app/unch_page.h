#pragma once
// The manual scoring page: one student's answer to one non-choice question at a time.

#include "app/window_state.h"

class Ui_lumo_test;

// Shows the item under the cursor. A stored score outside 0..full score is shown clamped
// into it.
void show_unch_item(Ui_lumo_test *ui, window_state &state);
// Stores the entered score for the item under the cursor, as the page's buttons do. A score
// above the question's full score or below 0 is refused with a message and nothing is
// stored: the box takes such a number, so that it is never turned into another one. False
// when refused.
bool unch_store(Ui_lumo_test *ui, window_state &state);
// Stores a score the teacher typed but did not store yet, before the scores are saved, shown
// or exported. A score merely shown (clamped into the range) is left as it is. False when
// the typed score was refused.
bool unch_typed_store(Ui_lumo_test *ui, window_state &state);
// Stores, then moves *moving (one of the cursor's two) one step within 1..count and shows
// the new item. A refused score moves nothing.
void unch_navigate(Ui_lumo_test *ui, window_state &state, int *moving, int delta, int count);

// Enables the page on item (student 1, question 1) and shows it.
void unch_page_start(Ui_lumo_test *ui, window_state &state);
// Disables the page, puts both cursors to 0 and clears every display.
void unch_page_reset(Ui_lumo_test *ui, window_state &state);

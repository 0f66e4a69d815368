#pragma once
// New, open, save and close of an evaluation, as the four top buttons run them.

#include "app/window_state.h"

class Ui_lumo_test;

// Creates the "st" and "sc" sub-folders in a folder the teacher picks.
void lifecycle_new();
// Reads a folder the teacher picks and, unless it is refused, makes it the open evaluation
// and prepares every page for it.
void lifecycle_open(Ui_lumo_test *ui, window_state &state);
// Writes every student's score file; silent unless a file could not be written.
void lifecycle_save(const evaluation &eval);
// After the teacher confirms, returns every page to the state without an evaluation.
void lifecycle_close(Ui_lumo_test *ui, window_state &state);

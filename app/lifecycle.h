#pragma once
// New, open, save and close of an evaluation, as the four top buttons run them, and what
// the window does when it is closed.

#include "app/window_state.h"

class Ui_lumo_test;

// Creates the "st" and "sc" sub-folders in a folder the teacher picks.
void lifecycle_new();
// Reads a folder the teacher picks and, unless it is refused or the teacher keeps the open
// one, makes it the open evaluation and prepares every page for it.
void lifecycle_open(Ui_lumo_test *ui, window_state &state);
// Writes every student's score file, asking first about files another program changed.
// True when every file was written.
bool lifecycle_save(Ui_lumo_test *ui, window_state &state);
// After the teacher confirms, returns every page to the state without an evaluation.
void lifecycle_close(Ui_lumo_test *ui, window_state &state);
// Before the window closes: offers to save unsaved scores. False when the teacher cancels
// or the save failed, and the window must stay.
bool lifecycle_quit(Ui_lumo_test *ui, window_state &state);
// Lets other windows open the evaluation without a warning.
void lifecycle_unlock(const evaluation &eval);

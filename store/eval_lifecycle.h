#pragma once
// New, open, save and close of an evaluation, as the four top buttons run them.

class Ui_lumo_test;

// Creates the "st" and "sc" sub-folders in a folder the teacher picks.
void eval_new();
// Loads a folder the teacher picks and prepares every page for it.
void eval_open(Ui_lumo_test *ui);
// Writes every student's score file; silent unless a file could not be written.
void eval_save();
// After the teacher confirms, returns every page to the state without an evaluation.
void eval_close(Ui_lumo_test *ui);

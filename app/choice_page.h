#pragma once
// The choice page: grading every choice answer, with its log, status and progress bar.

#include "store/evaluation.h"

#include <QString>

class QTextEdit;
class Ui_lumo_test;

// Adds lines ('\n'-terminated) as paragraphs below the log's earlier ones. Handing the
// document all lines at once lets it lay them out lazily; one append per line would take
// minutes for a large class.
void grading_log_append(QTextEdit *log, const QString &lines);

// Grades eval and shows the run: status texts, log and progress bar.
void choice_page_run(Ui_lumo_test *ui, evaluation &eval);

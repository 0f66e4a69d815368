#pragma once
// Grading of every single- and multiple-choice answer against the key.

#include "store/eval_tables.h"

#include <QString>
#include <functional>

class QTextEdit;
class Ui_lumo_test;

// Full score for the key itself, else 0.
double choice_score_single(answer_set answer, const choice_question &question);
// Full score for the key itself, the partial score for a non-empty proper subset of it,
// else 0; an empty answer earns nothing, even against an empty key.
double choice_score_multiple(answer_set answer, const choice_question &question);

// The progress value after question j (1..t) of student s (1..n): ((s-1)*t+j)*100/t/n in
// 32-bit integers, each division truncating; 100 after the last question of the last student.
int grading_progress(int s, int j, int t, int n);

// Appends one log line: the student's file name, then
// " 第 %d 道单选题选择了 %s，答案是 %s 得分 %.3f 分" (or 多选题 for multiple choice).
void grading_log_line(QString *log, const QString &file_name, bool multiple, int q,
                      answer_set answer, answer_set key, double score);

// Grades every student into onech_score and some_score. Appends one log line per question
// to *log, each line ending in '\n', and reports the progress value after each line.
void choice_grade_all(QString *log, const std::function<void(int)> &progress);

// Adds lines ('\n'-terminated) as paragraphs below the log's earlier ones. Handing the
// document all lines at once lets it lay them out lazily; one append per line would take
// minutes for a large class.
void grading_log_append(QTextEdit *log, const QString &lines);

// The whole operation on the choice page: status texts, log and progress bar.
void choice_grading_run(Ui_lumo_test *ui);

#pragma once
// Grading of every single- and multiple-choice answer against the key.

#include "store/evaluation.h"

#include <QString>
#include <functional>

// Full score for the key itself, else 0.
double choice_score_single(answer_set answer, const choice_question &question);
// Full score for the key itself, the partial score for a non-empty proper subset of it,
// else 0; an empty answer earns nothing, even against an empty key.
double choice_score_multiple(answer_set answer, const choice_question &question);

// The progress value after question j (1..t) of student s (1..n): ((s-1)*t+j)*100/t/n in
// 32-bit integers, each division truncating; 100 after the last question of the last student.
int choice_progress(int s, int j, int t, int n);

// Appends one log line: the student's file name, then
// " 第 %d 道单选题选择了 %s，答案是 %s 得分 %.3f 分" (or 多选题 for multiple choice).
void choice_log_line(QString *log, const QString &file_name, bool multiple, int q,
                      answer_set answer, answer_set key, double score);

// Appends the line of an answer that could not be read and so was not graded: its score
// stays as it was loaded.
void choice_log_unread(QString *log, const QString &file_name, bool multiple, int q, double score);

// The outcome of grading every choice answer: a score per student and question, and the
// log's lines, one per question, each ending in '\n'.
struct choice_grades {
    student_table<double> onech_score;
    student_table<double> some_score;
    QString log;
};

// Grades every student of eval: for each student, the single-choice questions, then the
// multiple-choice ones. An answer that could not be read is not graded. Reports the progress
// value after each line.
choice_grades choice_grade_all(const evaluation &eval, const std::function<void(int)> &progress);
// Puts the grades' scores into eval; the log stays with the grades. True when a score changed.
bool choice_grades_apply(evaluation &eval, choice_grades &grades);

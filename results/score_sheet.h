#pragma once
// The statistics: one row per student with the file name, the total and every question's
// score, in the columns 学生文件名, 总分, 单选题1.., 多选题1.., 非选择题1...

#include "store/evaluation.h"

#include <QString>
#include <QStringList>
#include <vector>

struct score_sheet_row {
    QString name;                 // the student's file name as shown, ".stu" included
    double total = 0;
    std::vector<double> scores;   // single choice, then multiple choice, then non-choice
};

struct score_sheet {
    std::vector<score_sheet_row> rows;   // in student order
};

// The header labels for the evaluation's counts.
QStringList score_sheet_headers(const evaluation &eval);
// Student s's row under name, the student's name as evaluation_student_names gives it. The
// total is summed unrounded, single choice first, then multiple choice, then non-choice.
score_sheet_row score_sheet_row_make(const evaluation &eval, int s, const QString &name);
// Every student's row.
score_sheet score_sheet_make(const evaluation &eval);
// The totals of a score sheet as the table shows them, rounded to three decimals, in its
// order: every figure made from totals counts what the teacher sees.
std::vector<double> score_sheet_totals(const score_sheet &sheet);

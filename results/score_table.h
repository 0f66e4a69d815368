#pragma once
// The score table: one row per student with the file name, the total and every
// question's score, in the columns 学生文件名, 总分, 单选题1.., 多选题1.., 非选择题1...

#include <QStringList>

class QTableWidget;

// The header labels for the open evaluation's counts.
QStringList score_table_headers();
// Empties the cells, then gives the table one row per student and the header labels.
void score_table_shape(QTableWidget *table);

// The texts of student s's row: file name, total, then each score, all as "%.3f". The
// total is summed unrounded, single choice first, then multiple choice, then non-choice.
QStringList score_table_row(int s);
// Sets every student row's texts, reusing the cells' items where they exist.
void score_table_fill(QTableWidget *table);

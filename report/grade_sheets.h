#pragma once
// The report's worksheets: 年级汇总, 年级排名 and, per class, its score table and analysis.

#include "report/grade_classes.h"
#include "report/grade_figures.h"
#include "results/workbook.h"

#include <QDate>
#include <QString>
#include <vector>

// 班级 and the exam-analysis figures, one row per summary row, then 中位数, 标准差, the
// class's place by its average and how far its average is above the grade's, with a column
// chart of the classes' averages (the grade's row left out) below them.
workbook_sheet grade_sheets_summary(const std::vector<grade_summary_row> &rows);
// 班级, 学生, 总分, 年级名次, 班级名次, one row per student.
workbook_sheet grade_sheets_ranking(const std::vector<grade_rank_row> &rows);

// The whole report: 年级汇总, 年级排名 when asked for, then per class its score table,
// 成绩分析 and 试题分析 as the window exports them, each sheet named after the class. The
// class's sheets print with the class's name, the grade's with title, all with the day.
workbook grade_sheets_workbook(const std::vector<grade_class> &classes, bool ranking, const QString &title,
                               const QDate &day);

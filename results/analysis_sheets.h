#pragma once
// The exam analysis as the export's second and third worksheets, "成绩分析" and "试题分析".

#include "results/exam_analysis.h"
#include "results/workbook.h"

// Label and value from A1 down, an empty row, then the score bands from the highest to the
// lowest with their count and share, and a column chart of the bands beside them.
workbook_sheet analysis_sheets_class(const class_figures &figures);
// A header row, then one row per question, and a bar chart of the score rates beside them.
workbook_sheet analysis_sheets_questions(const std::vector<question_figures> &questions);

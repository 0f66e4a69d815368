#pragma once
// The exam analysis as the export's second and third worksheets, "成绩分析" and "试题分析".

#include "results/exam_analysis.h"
#include "results/workbook.h"

// Label and value from A1 down, with the thresholds beside the counts they make ("≥90分"),
// an empty row, then the score bands from the highest to the lowest with their count and
// share, and a column chart of the bands, lowest first, beside them.
workbook_sheet analysis_sheets_class(const class_figures &figures);
// A header row, then one row per question, ending in the key's letters of a choice question
// and the question's number on the paper, and a bar chart of the score rates beside them.
workbook_sheet analysis_sheets_questions(const std::vector<question_figures> &questions);

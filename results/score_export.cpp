#include "results/score_export.h"

#include "results/analysis_sheets.h"
#include "store/score_text.h"

#include <cmath>

namespace {

// A score as the table shows it: rounded to three decimals. "-0.000" and values that are not
// finite stay texts, so no sign or infinity is lost.
workbook_cell score_cell(double score)
{
    const double shown = score_text_shown(score);
    if (!std::isfinite(score) || (shown == 0 && std::signbit(shown)))
        return workbook_text(score_text(score));
    return workbook_number(shown, workbook_cell::style::score);
}

}  // namespace

workbook_sheet score_export_table_sheet(const QStringList &headers, const score_sheet &figures)
{
    workbook_sheet sheet;
    sheet.rows.reserve(figures.rows.size() + 1);

    workbook_row header;
    header.reserve(std::size_t(headers.size()));
    for (const QString &label : headers)
        header.push_back(workbook_text(label));
    sheet.rows.push_back(std::move(header));

    for (const score_sheet_row &student : figures.rows) {
        workbook_row row;
        row.reserve(student.scores.size() + 2);
        row.push_back(workbook_text(student.name));
        row.push_back(score_cell(student.total));
        for (const double score : student.scores)
            row.push_back(score_cell(score));
        sheet.rows.push_back(std::move(row));
    }
    return sheet;
}

workbook score_export_workbook(const evaluation &eval, const score_sheet &sheet)
{
    const std::vector<double> totals = score_sheet_totals(sheet);
    return {score_export_table_sheet(score_sheet_headers(eval), sheet),
            analysis_sheets_class(exam_analysis_class(totals, evaluation_total(eval))),
            analysis_sheets_questions(exam_analysis_questions(eval, totals))};
}

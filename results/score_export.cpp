#include "results/score_export.h"

#include "results/analysis_sheets.h"
#include "results/column_width.h"
#include "results/workbook_print.h"
#include "store/score_text.h"

#include <algorithm>
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

// The characters of a score shown as "0.000": sign, whole part, point and three decimals.
double score_width(double score)
{
    double whole = std::fabs(score);
    int digits = 1;
    for (; whole >= 10 && digits < 400; whole /= 10)
        ++digits;
    return (score < 0 ? 1 : 0) + digits + 4;
}

// Each column as wide as its header and the widest name or score under it, with a
// character's room to spare; a name is cut in print beyond 60.
void widths_fit(workbook_sheet &sheet)
{
    for (const workbook_row &row : sheet.rows) {
        if (sheet.widths.size() < row.size())
            sheet.widths.resize(row.size(), 0);
        for (std::size_t c = 0; c < row.size(); ++c) {
            const workbook_cell &cell = row[c];
            const double width = cell.kind == workbook_cell::type::text ? column_width_measure(cell.text)
                                 : cell.kind == workbook_cell::type::number ? score_width(cell.number)
                                                                            : 0;
            sheet.widths[c] = std::max(sheet.widths[c], std::min(width + 1, 60.0));
        }
    }
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
    widths_fit(sheet);
    sheet.frozen_rows = 1;
    return sheet;
}

workbook score_export_workbook(const evaluation &eval, const score_sheet &sheet, const QDate &day)
{
    const std::vector<double> totals = score_sheet_totals(sheet);
    workbook book{score_export_table_sheet(score_sheet_headers(eval), sheet),
                  analysis_sheets_class(exam_analysis_class(totals, evaluation_total(eval))),
                  analysis_sheets_questions(exam_analysis_questions(eval, totals))};
    const QString name = evaluation_class_name(evaluation_folder(eval));
    for (workbook_sheet &printed : book)
        workbook_print_set(printed, name, day);
    return book;
}

#include "results/score_export.h"

#include "results/analysis_sheets.h"
#include "results/workbook_format.h"
#include "results/workbook_xls.h"
#include "results/workbook_xlsx.h"
#include "store/file_io.h"
#include "store/score_text.h"

#include <cmath>

namespace {

// A score as the table shows it: rounded to three decimals. "-0.000" and values that are not
// finite stay texts, so no sign or infinity is lost.
workbook_cell score_cell(double score)
{
    const double shown = score_shown(score);
    if (!std::isfinite(score) || (shown == 0 && std::signbit(shown)))
        return workbook_text(score_text(score));
    return workbook_number(shown, workbook_cell::style::score);
}

}  // namespace

workbook_sheet score_table_sheet_make(const QStringList &headers, const score_sheet &figures)
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

workbook score_workbook_make(const evaluation &eval, const score_sheet &sheet)
{
    const std::vector<double> totals = score_sheet_totals(sheet);
    return {score_table_sheet_make(score_sheet_headers(eval), sheet),
            class_analysis_sheet(class_figures_make(totals, evaluation_total(eval))),
            question_analysis_sheet(question_figures_make(eval, totals))};
}

QString export_file_name(const QString &chosen)
{
    return workbook_file_name(chosen, true);
}

QString workbook_save(const QByteArray &path, const workbook &book)
{
    if (workbook_format_of(path) == workbook_format::xls) {
        QByteArray bytes;
        const QString failure = xls_workbook_bytes(book, &bytes);
        return failure.isEmpty() ? file_replace(path, bytes) : failure;
    }
    const QByteArray temporary = file_temporary_path(path);
    const QString failure = xlsx_workbook_write(temporary, book);
    if (failure.isEmpty())
        return file_commit(temporary, path);
    file_remove(temporary);
    return failure;
}

#include "results/score_export.h"

#include "results/workbook_xls.h"
#include "results/workbook_xlsx.h"
#include "store/file_io.h"
#include "store/score_text.h"

#include <charconv>
#include <cmath>

namespace {

// A score as the table shows it: rounded to three decimals. "-0.000" and values that are not
// finite stay texts, so no sign or infinity is lost.
workbook_cell score_cell(double score)
{
    workbook_cell cell;
    char buffer[400];   // room for the widest double in fixed notation
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, score, std::chars_format::fixed, 3);
    double shown = 0;
    std::from_chars(buffer, written.ptr, shown, std::chars_format::fixed);
    if (!std::isfinite(score) || (shown == 0 && std::signbit(shown))) {
        cell.kind = workbook_cell::type::text;
        cell.text = score_text(score);
        return cell;
    }
    cell.kind = workbook_cell::type::number;
    cell.number = shown;
    return cell;
}

workbook_cell text_cell(const QString &text)
{
    workbook_cell cell;
    cell.kind = workbook_cell::type::text;
    cell.text = text;
    return cell;
}

bool is_xls(const QString &name)
{
    return name.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive);
}

bool is_xls(const QByteArray &path)
{
    return path.toLower().endsWith(".xls");
}

}  // namespace

workbook_sheet score_workbook_sheet(const QStringList &headers, int rows, const score_sheet *filled)
{
    workbook_sheet sheet;
    const std::size_t width = std::size_t(headers.size());
    sheet.rows.reserve(std::size_t(rows) + 1);

    workbook_row header;
    header.reserve(width);
    for (const QString &label : headers)
        header.push_back(text_cell(label));
    sheet.rows.push_back(std::move(header));

    for (int r = 0; r < rows; ++r) {
        workbook_row row(width);
        if (filled && std::size_t(r) < filled->rows.size() && width >= 2) {
            const score_sheet_row &figures = filled->rows[std::size_t(r)];
            row[0] = text_cell(figures.name);
            row[1] = score_cell(figures.total);
            for (std::size_t c = 2; c < width && c - 2 < figures.scores.size(); ++c)
                row[c] = score_cell(figures.scores[c - 2]);
        }
        sheet.rows.push_back(std::move(row));
    }
    return sheet;
}

QString export_file_name(const QString &chosen)
{
    if (is_xls(chosen) || chosen.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return chosen;
    return chosen + QLatin1String(".xlsx");
}

QString workbook_save(const QByteArray &path, const workbook_sheet &sheet)
{
    if (is_xls(path)) {
        QByteArray bytes;
        const QString failure = xls_workbook_bytes(sheet, &bytes);
        return failure.isEmpty() ? file_replace(path, bytes) : failure;
    }
    const QByteArray temporary = file_temporary_path(path);
    QString failure = xlsx_workbook_write(temporary, sheet);
    if (failure.isEmpty())
        failure = file_rename(temporary, path);
    if (!failure.isEmpty())
        file_remove(temporary);
    return failure;
}

#include "results/score_export.h"

#include "results/workbook_xls.h"
#include "results/workbook_xlsx.h"
#include "store/file_io.h"
#include "store/score_text.h"
#include "ui/dialogs.h"

#include <QDir>
#include <QFile>
#include <QObject>
#include <QTableWidget>
#include <charconv>
#include <cmath>

namespace {

// The number a text stands for when it is exactly what "%.3f" writes for it. Parsed by
// hand rather than with a regular expression per cell, which took a fifth of a large export.
bool score_text_parse(const QString &text, double *value)
{
    const QByteArray chars = text.toLatin1();
    double parsed = 0;
    const auto result = std::from_chars(chars.begin(), chars.end(), parsed, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != chars.end() || !std::isfinite(parsed)
        || score_text(parsed) != text)
        return false;
    *value = parsed;
    return true;
}

workbook_cell cell_from_text(const QString &text)
{
    workbook_cell cell;
    double value = 0;
    // A "-0.000" stays text: as a number it would lose its sign.
    if (score_text_parse(text, &value) && !(value == 0 && std::signbit(value))) {
        cell.kind = workbook_cell::type::number;
        cell.number = value;
        return cell;
    }
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

workbook_sheet score_table_sheet(const QTableWidget *table)
{
    workbook_sheet sheet;
    const int columns = table->columnCount();
    const int rows = table->rowCount();
    const std::size_t width = std::size_t(columns);
    sheet.rows.reserve(std::size_t(rows) + 1);

    workbook_row header(width);
    for (int c = 0; c < columns; ++c) {
        if (const QTableWidgetItem *label = table->horizontalHeaderItem(c)) {
            header[std::size_t(c)].kind = workbook_cell::type::text;
            header[std::size_t(c)].text = label->text();
        }
    }
    sheet.rows.push_back(std::move(header));

    for (int r = 0; r < rows; ++r) {
        workbook_row row(width);
        for (int c = 0; c < columns; ++c) {
            if (const QTableWidgetItem *item = table->item(r, c))
                row[std::size_t(c)] = cell_from_text(item->text());
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

void score_export_run(QWidget *parent, const QTableWidget *table)
{
    const QString chosen = dialog_save_file(parent, QObject::tr("指定导出成绩表格文件"), QStringLiteral("."),
                                            QObject::tr("Excel(*.xls *.xlsx)"));
    if (chosen.isEmpty())
        return;
    const QString name = export_file_name(chosen);
    const QString failure = workbook_save(QFile::encodeName(name), score_table_sheet(table));
    if (!failure.isEmpty())
        dialog_message(QObject::tr("成绩表格未能导出到%1：\n%2").arg(QDir::toNativeSeparators(name), failure));
}

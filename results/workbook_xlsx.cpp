#include "results/workbook_xlsx.h"

#include <QObject>
#include <xlsxwriter.h>

namespace {

constexpr std::size_t max_rows = LXW_ROW_MAX;
constexpr std::size_t max_columns = LXW_COL_MAX;

QString limits_failure(const workbook_sheet &sheet)
{
    if (sheet.rows.size() > max_rows)
        return QObject::tr("成绩表有%1行，超出了 .xlsx 工作表最多%2行的上限").arg(sheet.rows.size()).arg(max_rows);
    for (const workbook_row &row : sheet.rows) {
        if (row.size() > max_columns)
            return QObject::tr("成绩表有%1列，超出了 .xlsx 工作表最多%2列的上限").arg(row.size()).arg(max_columns);
    }
    return {};
}

}  // namespace

QString xlsx_workbook_write(const QByteArray &path, const workbook_sheet &sheet)
{
    const QString too_big = limits_failure(sheet);
    if (!too_big.isEmpty())
        return too_big;

    // Rows are written in order, so each can go to disk as soon as it is done.
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *workbook = workbook_new_opt(path.constData(), &options);
    if (!workbook)
        return QObject::tr("无法创建工作簿");
    lxw_worksheet *worksheet = workbook_add_worksheet(workbook, nullptr);
    lxw_format *score_format = workbook_add_format(workbook);
    format_set_num_format(score_format, "0.000");

    lxw_error error = worksheet ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    for (std::size_t r = 0; r < sheet.rows.size() && error == LXW_NO_ERROR; ++r) {
        const workbook_row &row = sheet.rows[r];
        for (std::size_t c = 0; c < row.size() && error == LXW_NO_ERROR; ++c) {
            const workbook_cell &cell = row[c];
            const auto at_row = lxw_row_t(r);
            const auto at_column = lxw_col_t(c);
            if (cell.kind == workbook_cell::type::text)
                error = worksheet_write_string(worksheet, at_row, at_column, cell.text.toUtf8().constData(), nullptr);
            else if (cell.kind == workbook_cell::type::number)
                error = worksheet_write_number(worksheet, at_row, at_column, cell.number, score_format);
        }
    }
    const lxw_error close_error = workbook_close(workbook);
    if (error == LXW_NO_ERROR)
        error = close_error;
    if (error == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED)
        return QObject::tr("有一个单元格的文字超出了 .xlsx 单元格最多32767个字符的上限");
    if (error != LXW_NO_ERROR)
        return QObject::tr("写入 .xlsx 工作簿失败（%1）").arg(QString::fromUtf8(lxw_strerror(error)));
    return {};
}

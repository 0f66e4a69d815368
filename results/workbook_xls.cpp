#include "results/workbook_xls.h"

#include "results/biff_stream.h"
#include "results/cfb_file.h"
#include "results/le_bytes.h"
#include "results/sheet_name.h"

#include <algorithm>

namespace {

// The limits of one sheet; the messages name the sheet, unless named is empty: a workbook of
// one sheet is just "the score table" to the teacher.
QString xls_sheet_check(const workbook_sheet &sheet, const QString &named)
{
    int columns = 0;
    for (const workbook_row &row : sheet.rows)
        columns = std::max(columns, int(row.size()));
    if (columns > XLS_MAX_COLUMNS && named.isEmpty())
        return QStringLiteral("Excel 97-2003 工作簿（.xls）最多只能容纳%1列，当前成绩表有%2列，"
                              "请改为导出 .xlsx 文件。")
            .arg(XLS_MAX_COLUMNS)
            .arg(columns);
    if (columns > XLS_MAX_COLUMNS)
        return QStringLiteral("工作表“%1”有%2列，超出了 .xls 工作表最多%3列的上限，"
                              "请改为导出 .xlsx 文件。")
            .arg(named, QString::number(columns), QString::number(XLS_MAX_COLUMNS));
    if (sheet.rows.size() > size_t(XLS_MAX_ROWS) && named.isEmpty())
        return QStringLiteral("Excel 97-2003 工作簿（.xls）最多只能容纳%1行，当前成绩表有%2行，"
                              "请改为导出 .xlsx 文件。")
            .arg(XLS_MAX_ROWS)
            .arg(sheet.rows.size());
    if (sheet.rows.size() > size_t(XLS_MAX_ROWS))
        return QStringLiteral("工作表“%1”有%2行，超出了 .xls 工作表最多%3行的上限，"
                              "请改为导出 .xlsx 文件。")
            .arg(named, QString::number(sheet.rows.size()), QString::number(XLS_MAX_ROWS));
    return QString();
}

// Checks the texts of one sheet and adds an upper bound of the sheet's size in the Workbook
// stream to *bytes.
QString xls_texts_check(const workbook_sheet &sheet, const QString &named, qint64 *bytes)
{
    *bytes += 4096 + 16 * qint64(sheet.widths.size());
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        const workbook_row &row = sheet.rows[r];
        *bytes += 32;
        for (size_t c = 0; c < row.size(); ++c) {
            const workbook_cell &cell = row[c];
            if (cell.kind == workbook_cell::type::number) {
                *bytes += 18;
            } else if (cell.kind == workbook_cell::type::text) {
                // Excel 2007 and later have the same limit, so .xlsx is no way out.
                if (cell.text.size() > XLS_MAX_TEXT_LENGTH && named.isEmpty())
                    return QStringLiteral("Excel 的一个单元格最多只能容纳%1个字符，成绩表第%2行"
                                          "第%3列的文字有%4个字符，无法导出。")
                        .arg(XLS_MAX_TEXT_LENGTH)
                        .arg(r + 1)
                        .arg(c + 1)
                        .arg(cell.text.size());
                if (cell.text.size() > XLS_MAX_TEXT_LENGTH)
                    return QStringLiteral("Excel 的一个单元格最多只能容纳%1个字符，工作表“%2”"
                                          "第%3行第%4列的文字有%5个字符，无法导出。")
                        .arg(QString::number(XLS_MAX_TEXT_LENGTH), named,
                             QString::number(r + 1), QString::number(c + 1),
                             QString::number(cell.text.size()));
                *bytes += 32 + 2 * qint64(cell.text.size());
            }
        }
    }
    return QString();
}

QString xls_check(const workbook &book)
{
    const QString names = sheet_name_check(book);
    if (!names.isEmpty())
        return names;
    // An upper bound of the Workbook stream's size, kept well below what a QByteArray holds.
    qint64 bytes = 16384;
    for (size_t i = 0; i < book.size(); ++i) {
        const QString named = book.size() > 1 ? sheet_name_shown(book, i) : QString();
        QString problem = xls_sheet_check(book[i], named);
        if (problem.isEmpty())
            problem = xls_texts_check(book[i], named, &bytes);
        if (!problem.isEmpty())
            return problem;
    }
    if (bytes > (qint64(1) << 30))
        return QStringLiteral("%1的内容超过了 1 GB，无法写成 Excel 97-2003 工作簿（.xls）。")
            .arg(book.size() > 1 ? QStringLiteral("工作簿") : QStringLiteral("成绩表"));
    return QString();
}

}   // namespace

QString workbook_xls_bytes(const workbook &book, QByteArray *out)
{
    Q_ASSERT(out);
    out->clear();
    // Excel opens no workbook without a sheet.
    const workbook one_empty_sheet(1);
    const workbook &sheets = book.empty() ? one_empty_sheet : book;
    const QString problem = xls_check(sheets);
    if (!problem.isEmpty())
        return problem;

    QByteArray stream = biff_stream_write(sheets);
    // Zeros after the last EOF are never read, so padding a short stream keeps it out of the
    // mini stream.
    if (stream.size() < CFB_MINI_STREAM_CUTOFF)
        le_put_zeros(stream, CFB_MINI_STREAM_CUTOFF - stream.size());
    cfb_file_write(QStringLiteral("Workbook"), stream, out);
    return QString();
}

#include "results/workbook_xlsx.h"

#include "results/sheet_name.h"
#include "results/xlsx_layout.h"
#include "store/error_text.h"
#include "store/file_io.h"

#include <QObject>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

namespace {

#ifdef _WIN32
const char null_device[] = "NUL";
// No program is started while a workbook is written, so the copy need not be kept from one.
int stderr_copy()
{
    return ::dup(STDERR_FILENO);
}
constexpr int no_inherit = O_NOINHERIT;
#else
const char null_device[] = "/dev/null";
int stderr_copy()
{
    return ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
}
constexpr int no_inherit = O_CLOEXEC;
#endif

// libxlsxwriter prints its own English "[ERROR] ..." lines on stderr when it fails, beside the
// Chinese reason we return. While one lives, stderr leads to the null device and is restored
// after, however the write ends. The programs are single-threaded while they write, so
// nothing else of theirs is lost meanwhile.
class stderr_silenced
{
public:
    stderr_silenced()
    {
        std::fflush(stderr);
        m_saved = stderr_copy();
        const int null = ::open(null_device, O_WRONLY | no_inherit);
        if (m_saved >= 0 && null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
    }
    ~stderr_silenced()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
    }
    stderr_silenced(const stderr_silenced &) = delete;
    stderr_silenced &operator=(const stderr_silenced &) = delete;

private:
    int m_saved;
};

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

// One format per number style, made once per workbook.
struct number_formats {
    explicit number_formats(lxw_workbook *workbook)
        : score(workbook_add_format(workbook)), percent(workbook_add_format(workbook))
    {
        format_set_num_format(score, "0.000");
        format_set_num_format(percent, "0.0%");
    }
    lxw_format *of(workbook_cell::style style) const
    {
        switch (style) {
        case workbook_cell::style::general: return nullptr;
        case workbook_cell::style::score: return score;
        case workbook_cell::style::percent: return percent;
        }
        return nullptr;
    }
    lxw_format *score;
    lxw_format *percent;
};

// Writes one sheet, row by row, as constant-memory mode wants it.
lxw_error sheet_write(lxw_workbook *workbook, const workbook_sheet &sheet, const number_formats &formats)
{
    const QByteArray name = sheet.name.toUtf8();
    lxw_worksheet *worksheet = workbook_add_worksheet(workbook, sheet.name.isEmpty() ? nullptr : name.constData());
    if (!worksheet)
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    lxw_error error = xlsx_layout_write(workbook, worksheet, sheet);
    for (std::size_t r = 0; r < sheet.rows.size() && error == LXW_NO_ERROR; ++r) {
        const workbook_row &row = sheet.rows[r];
        for (std::size_t c = 0; c < row.size() && error == LXW_NO_ERROR; ++c) {
            const workbook_cell &cell = row[c];
            const auto at_row = lxw_row_t(r);
            const auto at_column = lxw_col_t(c);
            if (cell.kind == workbook_cell::type::text)
                error = worksheet_write_string(worksheet, at_row, at_column, cell.text.toUtf8().constData(), nullptr);
            else if (cell.kind == workbook_cell::type::number)
                error = worksheet_write_number(worksheet, at_row, at_column, cell.number, formats.of(cell.format));
        }
    }
    return error;
}

// libxlsxwriter's errors in Chinese; its own texts are English. A file that could not be
// written is told by the system's reason, when the system gave one.
QString xlsx_error_text(lxw_error error, int system_error)
{
    switch (error) {
    case LXW_NO_ERROR: return {};
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return QObject::tr("有一个单元格的文字超出了 .xlsx 单元格最多32767个字符的上限");
    case LXW_ERROR_MEMORY_MALLOC_FAILED: return QObject::tr("内存不足");
    case LXW_ERROR_CREATING_XLSX_FILE:
        return system_error ? error_text(system_error) : QObject::tr("无法创建 .xlsx 文件");
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE: return QObject::tr("无法使用临时文件，临时文件夹可能已满或不可写");
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return system_error ? error_text(system_error) : QObject::tr("写入 .xlsx 文件时出错，磁盘可能已满");
    default:
        return QObject::tr("写入 .xlsx 工作簿失败（%1）").arg(QString::fromUtf8(lxw_strerror(error)));
    }
}

}  // namespace

QString workbook_xlsx_write(const QByteArray &path, const workbook &book)
{
    // libxlsxwriter checks fewer of Excel's rules, and only as it adds each sheet.
    const QString names = sheet_name_check(book);
    if (!names.isEmpty())
        return names;
    for (const workbook_sheet &sheet : book) {
        const QString too_big = limits_failure(sheet);
        if (!too_big.isEmpty())
            return too_big;
    }

    // Made here first, so that a file that cannot be made is told by the system's reason:
    // libxlsxwriter only says that it could not.
    const QString not_made = file_write_new(path, QByteArray());
    if (!not_made.isEmpty())
        return not_made;

    const stderr_silenced quiet;
    // Rows are written in order, so each can go to disk as soon as it is done.
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *workbook = workbook_new_opt(path.constData(), &options);
    if (!workbook)
        return QObject::tr("无法创建工作簿");
    const number_formats formats(workbook);
    lxw_error error = LXW_NO_ERROR;
    for (std::size_t i = 0; i < book.size() && error == LXW_NO_ERROR; ++i)
        error = sheet_write(workbook, book[i], formats);
    errno = 0;
    const lxw_error close_error = workbook_close(workbook);
    const int system_error = errno;
    if (error == LXW_NO_ERROR)
        error = close_error;
    return xlsx_error_text(error, system_error);
}

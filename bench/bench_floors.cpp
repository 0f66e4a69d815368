#include "bench_floors.h"

#include "bench_measure.h"
#include "grading/choice_grading.h"
#include "results/score_export.h"
#include "results/score_sheet.h"
#include "results/xlsx_layout.h"
#include "store/eval_marks.h"
#include "store/file_io.h"

#include <QCoreApplication>
#include <QDate>
#include <QTextBrowser>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include <xlsxwriter.h>

namespace {

using file_buffers = std::vector<std::unique_ptr<char[]>>;

std::string failure_of(const std::string &path)
{
    return path + ": " + std::strerror(errno);
}

// Reads the file at path into a buffer of its own, appended to *contents.
std::string file_read(const std::string &path, file_buffers *contents, read_floor *floor)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return failure_of(path);
    struct stat info;
    std::string failure;
    if (::fstat(fd, &info) != 0)
        failure = failure_of(path);
    else {
        const auto size = std::size_t(info.st_size);
        contents->emplace_back(new char[size]);   // left unset: read fills it
        char *buffer = contents->back().get();
        std::size_t done = 0;
        while (done < size) {
            const ssize_t got = ::read(fd, buffer + done, size - done);
            if (got <= 0) {
                failure = failure_of(path);
                break;
            }
            done += std::size_t(got);
        }
        floor->bytes += info.st_size;
        ++floor->files;
    }
    ::close(fd);
    return failure;
}

std::string folder_read(const std::string &folder, file_buffers *contents, read_floor *floor)
{
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return failure_of(folder);
    std::vector<std::string> files;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string path = folder + '/' + entry->d_name;
        struct stat info;
        if (entry->d_type == DT_REG
            || (entry->d_type == DT_UNKNOWN && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)))
            files.push_back(path);
    }
    ::closedir(dir);
    for (const std::string &file : files) {
        const std::string failure = file_read(file, contents, floor);
        if (!failure.empty())
            return failure;
    }
    return {};
}

void row_write(const evaluation &eval, lxw_worksheet *sheet, lxw_format *format, int s)
{
    const auto row = lxw_row_t(s);
    worksheet_write_string(sheet, row, 0, eval.stu_file[std::size_t(s)].constData(), nullptr);
    double total = 0;
    lxw_col_t column = 2;
    for (const auto &kind : {std::make_pair(eval.onech_cnt, eval.onech_score[s]),
                             std::make_pair(eval.some_cnt, eval.some_score[s]),
                             std::make_pair(eval.unch_cnt, eval.unch_score[s])}) {
        for (int q = 1; q <= kind.first; ++q) {
            worksheet_write_number(sheet, row, column++, kind.second[q], format);
            total += kind.second[q];
        }
    }
    worksheet_write_number(sheet, row, 1, total, format);
}

// A sheet's cells made ready beforehand: the floor only writes them.
struct ready_cell {
    lxw_row_t row;
    lxw_col_t column;
    QByteArray text;   // empty for a number
    double number;
    bool percent;
};

struct ready_sheet {
    QByteArray name;
    std::vector<ready_cell> cells;
    const workbook_sheet *layout;   // its widths, frozen rows, charts and page set-up
};

ready_sheet sheet_ready(const workbook_sheet &sheet)
{
    ready_sheet ready{sheet.name.toUtf8(), {}, &sheet};
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
        for (std::size_t c = 0; c < sheet.rows[r].size(); ++c) {
            const workbook_cell &cell = sheet.rows[r][c];
            if (cell.kind != workbook_cell::type::empty)
                ready.cells.push_back({lxw_row_t(r), lxw_col_t(c), cell.text.toUtf8(), cell.number,
                                       cell.format == workbook_cell::style::percent});
        }
    }
    return ready;
}

void ready_sheets_add(lxw_workbook *workbook, const std::vector<ready_sheet> &sheets, lxw_format *format,
                      lxw_format *percent)
{
    for (const ready_sheet &ready : sheets) {
        lxw_worksheet *next = workbook_add_worksheet(workbook, ready.name.constData());
        xlsx_layout_write(workbook, next, *ready.layout);
        for (const ready_cell &cell : ready.cells) {
            if (!cell.text.isEmpty())
                worksheet_write_string(next, cell.row, cell.column, cell.text.constData(), nullptr);
            else
                worksheet_write_number(next, cell.row, cell.column, cell.number, cell.percent ? percent : format);
        }
    }
}

// The grid that the statistics show, straight from the evaluation, with the score table's
// layout, then the analysis sheets: what the export writes.
lxw_error grid_write(const evaluation &eval, const workbook_sheet &table, const std::vector<ready_sheet> &analysis,
                     const std::string &path)
{
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *workbook = workbook_new_opt(path.c_str(), &options);
    if (!workbook)
        return LXW_ERROR_CREATING_XLSX_FILE;
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
    xlsx_layout_write(workbook, sheet, table);
    lxw_format *format = workbook_add_format(workbook);
    format_set_num_format(format, "0.000");
    lxw_format *percent = workbook_add_format(workbook);
    format_set_num_format(percent, "0.0%");
    const QStringList headers = score_sheet_headers(eval);
    for (int c = 0; c < headers.size(); ++c)
        worksheet_write_string(sheet, 0, lxw_col_t(c), headers[c].toUtf8().constData(), nullptr);
    for (int s = 1; s <= eval.stu_cnt; ++s)
        row_write(eval, sheet, format, s);
    ready_sheets_add(workbook, analysis, format, percent);
    return workbook_close(workbook);
}

// Only the sheets made ready, as a workbook whose every cell is worked out beforehand.
lxw_error sheets_write(const std::vector<ready_sheet> &sheets, const std::string &path)
{
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *workbook = workbook_new_opt(path.c_str(), &options);
    if (!workbook)
        return LXW_ERROR_CREATING_XLSX_FILE;
    lxw_format *format = workbook_add_format(workbook);
    format_set_num_format(format, "0.000");
    lxw_format *percent = workbook_add_format(workbook);
    format_set_num_format(percent, "0.0%");
    ready_sheets_add(workbook, sheets, format, percent);
    return workbook_close(workbook);
}

// The fastest of a few calls of measure(), which returns the seconds that its timed part
// took: a floor is a lower bound.
template <typename F>
double fastest_of(F &&measure)
{
    double fastest = measure();
    for (int i = 1; i < 3; ++i)
        fastest = std::min(fastest, measure());
    return fastest;
}

// The fastest of a few writes of a workbook to path by write(), each flushed to the disk as
// the export flushes the workbook the teacher keeps. Returns "" or what failed.
template <typename W>
std::string workbook_floor(const std::string &path, double *seconds, W &&write)
{
    lxw_error error = LXW_NO_ERROR;
    *seconds = fastest_of([&] {
        lxw_error this_try = LXW_NO_ERROR;
        const double taken = bench_measure_seconds([&] {
            this_try = write();
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            ::fsync(fd);
            ::close(fd);
        });
        if (error == LXW_NO_ERROR)
            error = this_try;
        return taken;
    });
    return error == LXW_NO_ERROR ? std::string() : path + ": " + lxw_strerror(error);
}

}  // namespace

std::string bench_floor_read(const std::string &folder, read_floor *floor)
{
    std::string failure;
    floor->seconds = fastest_of([&] {
        file_buffers contents;
        floor->bytes = 0;
        floor->files = 0;
        return bench_measure_seconds([&] {
            for (const char *sub : {"", "/st", "/sc"}) {
                if (failure.empty())
                    failure = folder_read(folder + sub, &contents, floor);
            }
        });
    });
    return failure;
}

double bench_floor_log(const evaluation &eval)
{
    return fastest_of([&] { return bench_measure_seconds([&] { choice_grade_all(eval, [](int) {}); }); });
}

std::string bench_floor_save(const evaluation &eval, double *seconds)
{
    std::vector<std::string> paths;
    file_buffers contents;
    read_floor unused;
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        paths.push_back((eval.sc_path + eval.stu_file[std::size_t(s)]).toStdString());
        const std::string failure = file_read(paths.back(), &contents, &unused);
        if (!failure.empty())
            return failure;
    }
    std::vector<std::size_t> sizes;
    for (const std::string &path : paths) {
        struct stat info;
        sizes.push_back(::stat(path.c_str(), &info) == 0 ? std::size_t(info.st_size) : 0);
    }
    const std::string folder = eval.sc_path.toStdString();
    std::string failure;
    *seconds = fastest_of([&] {
        return bench_measure_seconds([&] {
            for (std::size_t i = 0; i < paths.size(); ++i) {
                const std::string temporary = paths[i] + ".floor";
                const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
                if (fd < 0 || ::write(fd, contents[i].get(), sizes[i]) != ssize_t(sizes[i]))
                    failure = failure_of(temporary);
                ::close(fd);
            }
            const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            ::syncfs(dir);
            for (const std::string &path : paths) {
                if (::rename((path + ".floor").c_str(), path.c_str()) != 0)
                    failure = failure_of(path);
            }
            ::fsync(dir);
            ::close(dir);
        });
    });
    return failure;
}

std::string bench_floor_xlsx(const evaluation &eval, const std::string &path, double *seconds)
{
    const workbook book = score_export_workbook(eval, score_sheet_make(eval), QDate::currentDate());
    std::vector<ready_sheet> analysis;
    for (std::size_t i = 1; i < book.size(); ++i)
        analysis.push_back(sheet_ready(book[i]));
    return workbook_floor(path, seconds, [&] { return grid_write(eval, book[0], analysis, path); });
}

std::string bench_floor_xlsx_cells(const workbook &book, const std::string &path, double *seconds)
{
    std::vector<ready_sheet> sheets;
    for (const workbook_sheet &sheet : book)
        sheets.push_back(sheet_ready(sheet));
    return workbook_floor(path, seconds, [&] { return sheets_write(sheets, path); });
}

std::string bench_marks_save(const evaluation &eval, std::vector<operation_result> *operations)
{
    // What the save adds for it: the record made and written beside the score files, and its
    // rename; the flush is the score files'.
    QString failure;
    const QByteArray path = eval_marks_path(eval);
    const double seconds = fastest_of([&] {
        return bench_measure_seconds([&] {
            const QByteArray temporary = file_temporary_path(path);
            failure = file_write_new(temporary, eval_marks_format(eval));
            if (failure.isEmpty())
                failure = file_rename(temporary, path);
        });
    });
    if (!failure.isEmpty())
        return "writing the record of answers scored by hand: " + failure.toStdString();
    operation_result marks;
    marks.key = "save_marks_s";
    marks.name = "save: the record of answers scored by hand";
    marks.seconds = seconds;
    marks.peak_mb = bench_measure_peak_mb();
    operations->push_back(marks);
    return {};
}

double bench_floor_show(const QString &text, const QSize &size)
{
    QTextBrowser browser;
    browser.resize(size);
    browser.show();
    QCoreApplication::processEvents();
    return fastest_of([&] {
        browser.clear();
        return bench_measure_seconds([&] { browser.setPlainText(text); });
    });
}

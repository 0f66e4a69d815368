#include "bench_floors.h"

#include "bench_measure.h"
#include "grading/choice_grading.h"
#include "results/score_sheet.h"

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

// The grid that the statistics show and the export writes, straight from the evaluation.
lxw_error grid_write(const evaluation &eval, const std::string &path)
{
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *workbook = workbook_new_opt(path.c_str(), &options);
    if (!workbook)
        return LXW_ERROR_CREATING_XLSX_FILE;
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_format *format = workbook_add_format(workbook);
    format_set_num_format(format, "0.000");
    const QStringList headers = score_sheet_headers(eval);
    for (int c = 0; c < headers.size(); ++c)
        worksheet_write_string(sheet, 0, lxw_col_t(c), headers[c].toUtf8().constData(), nullptr);
    for (int s = 1; s <= eval.stu_cnt; ++s)
        row_write(eval, sheet, format, s);
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

}  // namespace

std::string floor_read(const std::string &folder, read_floor *floor)
{
    std::string failure;
    floor->seconds = fastest_of([&] {
        file_buffers contents;
        floor->bytes = 0;
        floor->files = 0;
        return seconds_of([&] {
            for (const char *sub : {"", "/st", "/sc"}) {
                if (failure.empty())
                    failure = folder_read(folder + sub, &contents, floor);
            }
        });
    });
    return failure;
}

double floor_log_s(const evaluation &eval)
{
    return fastest_of([&] { return seconds_of([&] { choice_grade_all(eval, [](int) {}); }); });
}

std::string floor_xlsx(const evaluation &eval, const std::string &path, double *seconds)
{
    lxw_error error = LXW_NO_ERROR;
    *seconds = fastest_of([&] {
        lxw_error this_try = LXW_NO_ERROR;
        const double taken = seconds_of([&] { this_try = grid_write(eval, path); });
        if (error == LXW_NO_ERROR)
            error = this_try;
        return taken;
    });
    return error == LXW_NO_ERROR ? std::string() : path + ": " + lxw_strerror(error);
}

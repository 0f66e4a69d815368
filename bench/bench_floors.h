#pragma once
// The floors the operations are compared with: the least work that any program doing the
// same job has to do, measured on the same data in the same run. Each is the fastest of a
// few tries, as a floor is a lower bound.

#include "bench_workflow.h"
#include "results/workbook.h"
#include "store/evaluation.h"

#include <QSize>
#include <QString>
#include <string>

struct read_floor {
    double seconds = 0;
    long long bytes = 0;
    int files = 0;
};

// Lists the evaluation folder and reads every file in it into a buffer of its own, all held
// at the end: the bytes that any open has to bring into memory.
// Returns "" or what could not be read.
std::string bench_floor_read(const std::string &folder, read_floor *floor);

// Grades and formats every line of the grading log of eval, without any widget.
double bench_floor_log(const evaluation &eval);

// libxlsxwriter writing the statistics' grid (header, names, totals, scores) of eval straight
// to path, then the cells of the two analysis sheets (worked out beforehand, untimed), with
// the export's options, column widths, frozen rows, charts and page set-up, and the file
// flushed to the disk. Returns "" or what failed.
std::string bench_floor_xlsx(const evaluation &eval, const std::string &path, double *seconds);

// libxlsxwriter writing every cell of book's sheets straight to path, with the export's
// options, number formats and each sheet's layout (widths, frozen rows, charts, page set-up),
// and the file flushed to the disk: the floor of a workbook whose cells are worked out
// beforehand (untimed). Returns "" or what failed.
std::string bench_floor_xlsx_cells(const workbook &book, const std::string &path, double *seconds);

// Writes the score files of eval's sc folder again as a save must: each to a new file, one
// flush of the file system, each renamed over its file, the folder flushed. Returns "" or
// what failed.
std::string bench_floor_save(const evaluation &eval, double *seconds);

// The part of a save that writes the record of answers scored by hand, timed alone (fastest
// of three), added to the operations as a share of the save.
std::string bench_marks_save(const evaluation &eval, std::vector<operation_result> *operations);

// A text browser of the given size, shown, laying out text as plain text: the floor of showing
// that many characters of an ordinary answer on the scoring page.
double bench_floor_show(const QString &text, const QSize &size);

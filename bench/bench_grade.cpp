#include "bench_grade.h"

#include "bench_measure.h"
#include "report/grade_report.h"
#include "report/grade_sheets.h"

#include <QDate>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

std::string bench_grade_run(const std::string &base, bench_run *run)
{
    std::vector<QByteArray> folders;
    for (int c = 1; c <= run->options.classes; ++c) {
        char name[32];
        std::snprintf(name, sizeof name, "/class%02d", c);
        folders.push_back(QByteArray((base + name).c_str()));
        const std::string failure = eval_generator_write(folders.back().toStdString(), run->options.size);
        if (!failure.empty())
            return failure;
    }
    // On disk before anything is timed, as the classes' folders are: no writeback meanwhile.
    ::sync();
    run->read = {};
    for (const QByteArray &folder : folders) {
        read_floor one;
        const std::string failure = bench_floor_read(folder.toStdString(), &one);
        if (!failure.empty())
            return failure;
        run->read.seconds += one.seconds;
        run->read.bytes += one.bytes;
        run->read.files += one.files;
    }

    const QByteArray out = QByteArray(base.c_str()) + "/grade.xlsx";
    // The fastest of three runs, as for the floors: on a shared machine one run's time is
    // mostly the neighbours' and the disk's flush.
    operation_result report{"report_s", "grade report (lumo_report --rank), fastest of 3", 0, {}, 0};
    for (int attempt = 0; attempt < 3; ++attempt) {
        grade_report_outcome outcome;
        const double taken = bench_measure_seconds([&] { outcome = grade_report_write(folders, true, out, nullptr); });
        if (outcome.failure.what != grade_report_failure::kind::none)
            return "the report failed: " + outcome.failure.reason.toStdString();
        report.seconds = attempt == 0 ? taken : std::min(report.seconds, taken);
    }
    report.peak_mb = bench_measure_peak_mb();
    run->operations.push_back(report);

    // The same workbook, its cells worked out untimed, for libxlsxwriter alone.
    std::vector<grade_class> classes;
    for (const QByteArray &folder : folders)
        classes.push_back(grade_classes_read(folder).cls);
    return bench_floor_xlsx_cells(grade_sheets_workbook(classes, true, QStringLiteral("grade"), QDate::currentDate()), base + "/floor.xlsx", &run->xlsx_floor_s);
}

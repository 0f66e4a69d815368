// lumo_bench: the teacher's whole workflow on a generated evaluation folder, timed in the
// real window against the floors of its heaviest operations; or, with the grade preset, the
// exam office's report of a whole grade.

#include "bench_floors.h"
#include "bench_grade.h"
#include "bench_options.h"
#include "bench_report.h"
#include "bench_workflow.h"
#include "eval_generator.h"
#include "store/eval_open.h"
#include "store/file_name.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int fail(const std::string &what)
{
    std::fprintf(stderr, "lumo_bench: %s\n", what.c_str());
    return 1;
}

// Generates base/eval, times the window's workflow on it and then the floors.
std::string workflow_bench(const std::string &base, bench_run *run)
{
    const std::string folder = base + "/eval";
    std::string failure = eval_generator_write(folder, run->options.size);
    // On disk before anything is timed, as a teacher's folder is: no writeback meanwhile.
    ::sync();
    if (failure.empty())
        failure = bench_floor_read(folder, &run->read);
    const std::string long_folder = base + "/long";
    if (failure.empty())
        failure = eval_generator_write_long(long_folder);
    if (failure.empty())
        failure = bench_workflow_run(folder, long_folder, base, run->options.size, &run->operations, &run->show_floor_s);
    // The workflow saved its scores, so the floors work on the evaluation just graded.
    if (failure.empty()) {
        const eval_open_result graded = eval_open(QByteArray(folder.c_str()));
        failure = graded.refusal.toStdString();
        if (failure.empty()) {
            run->log_floor_s = bench_floor_log(graded.eval);
            failure = bench_floor_xlsx(graded.eval, base + "/floor.xlsx", &run->xlsx_floor_s);
            if (failure.empty())
                failure = bench_floor_save(graded.eval, &run->save_floor_s);
            if (failure.empty() && graded.eval.unch_cnt > 0)
                failure = bench_marks_save(graded.eval, &run->operations);
        }
    }
    return failure;
}

}  // namespace

int main(int argc, char **argv)
{
    bench_run run;
    const std::string wrong = bench_options_parse(argc, argv, &run.options);
    if (!wrong.empty()) {
        std::fprintf(stderr, "lumo_bench: %s\n%s", wrong.c_str(), bench_usage);
        return 2;
    }
    // The window is shown as for a teacher, but no screen is needed for it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::unique_ptr<QTemporaryDir> temporary;
    std::string base = run.options.dir;
    if (base.empty()) {
        temporary = std::make_unique<QTemporaryDir>();
        if (!temporary->isValid())
            return fail("cannot create a temporary folder");
        base = file_name_encode(temporary->path()).toStdString();
    } else if (::mkdir(base.c_str(), 0777) != 0 && errno != EEXIST) {
        return fail(base + ": cannot create the folder");
    }
    // The grade preset times the report alone; the window's workflow is for the others.
    const std::string failure = run.options.classes > 0 ? bench_grade_run(base, &run) : workflow_bench(base, &run);
    if (!failure.empty())
        return fail(failure);

    // With --json, standard output carries the JSON object alone.
    if (run.options.json) {
        std::fputs(bench_report_markdown(run).c_str(), stderr);
        std::fputs(bench_report_json(run).c_str(), stdout);
    } else {
        std::fputs(bench_report_markdown(run).c_str(), stdout);
    }
    return 0;
}

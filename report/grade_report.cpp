#include "report/grade_report.h"

#include "report/grade_sheets.h"
#include "results/score_export.h"
#include "results/workbook_format.h"
#include "store/local_text.h"

QString grade_report_file_name(const QString &chosen)
{
    return workbook_file_name(chosen, false);
}

grade_report_outcome grade_report_write(const std::vector<QByteArray> &folders, bool ranking,
                                        const QByteArray &out, const grade_report_progress &progress)
{
    grade_report_outcome outcome;
    grade_report_failure &failure = outcome.failure;
    std::vector<grade_class> classes;
    classes.reserve(folders.size());
    for (std::size_t k = 0; k < folders.size(); ++k) {
        if (progress)
            progress(int(k) + 1, int(folders.size()), folders[k]);
        grade_class_read read = grade_class_read_folder(folders[k]);
        if (!read.refusal.isEmpty()) {
            failure = {grade_report_failure::kind::refused, {local_name_text(folders[k])}, read.refusal};
            return outcome;
        }
        if (!read.problems.items.isEmpty())
            outcome.warnings.emplace_back(local_name_text(folders[k]), read.problems);
        classes.push_back(std::move(read.cls));
    }
    const std::vector<int> differing = grade_papers_differing(classes);
    if (!differing.empty()) {
        failure.what = grade_report_failure::kind::papers_differ;
        failure.folders << local_name_text(classes.front().folder);
        for (const int c : differing)
            failure.folders << local_name_text(classes[std::size_t(c)].folder);
        return outcome;
    }
    const QString not_saved = workbook_save(out, grade_workbook_make(classes, ranking));
    if (!not_saved.isEmpty())
        failure = {grade_report_failure::kind::not_saved, {}, not_saved};
    return outcome;
}

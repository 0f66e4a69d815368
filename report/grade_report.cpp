#include "report/grade_report.h"

#include "report/grade_sheets.h"
#include "results/score_export.h"
#include "results/workbook_file.h"
#include "store/local_text.h"

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
        grade_class_read read = grade_classes_read(folders[k]);
        if (!read.refusal.isEmpty()) {
            failure = {grade_report_failure::kind::refused, {local_text_name(folders[k])}, read.refusal};
            return outcome;
        }
        if (!read.problems.items.isEmpty())
            outcome.warnings.emplace_back(local_text_name(folders[k]), read.problems);
        classes.push_back(std::move(read.cls));
    }
    const std::vector<int> differing = grade_classes_differing(classes);
    if (!differing.empty()) {
        failure.what = grade_report_failure::kind::papers_differ;
        failure.folders << local_text_name(classes.front().folder);
        for (const int c : differing)
            failure.folders << local_text_name(classes[std::size_t(c)].folder);
        return outcome;
    }
    const QString not_saved = workbook_file_save(out, grade_sheets_workbook(classes, ranking));
    if (!not_saved.isEmpty())
        failure = {grade_report_failure::kind::not_saved, {}, not_saved};
    return outcome;
}

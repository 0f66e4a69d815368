#include "report/grade_report.h"

#include "report/grade_papers.h"
#include "report/grade_sheets.h"
#include "results/workbook_file.h"
#include "store/local_text.h"

#include <QDate>
#include <QObject>

namespace {

// Refuses papers that differ from the one most classes share, naming each side; warns of
// texts that differ. Returns whether the classes may be reported together.
bool papers_check(const std::vector<grade_class> &classes, grade_report_outcome &outcome)
{
    const int reference = grade_papers_reference(classes);
    if (reference < 0)
        return true;
    const grade_class &shared = classes[std::size_t(reference)];
    grade_report_failure &failure = outcome.failure;
    for (const grade_class &cls : classes) {
        const QString difference = grade_papers_difference(shared.eval, cls.eval);
        if (difference.isEmpty())
            failure.folders << local_text_name(cls.folder);
        else
            failure.differing << QObject::tr("%1：%2").arg(local_text_name(cls.folder), difference);
    }
    if (!failure.differing.isEmpty()) {
        failure.what = grade_report_failure::kind::papers_differ;
        return false;
    }
    failure.folders.clear();
    for (const grade_class &cls : classes) {
        const QStringList texts = grade_papers_text_differences(shared.eval, cls.eval);
        if (!texts.isEmpty())
            outcome.class_warnings << QObject::tr("%1：试卷文字与%2不同（仍按同一份试卷汇总）：%3")
                                          .arg(cls.name, shared.name, texts.join(QObject::tr("、")));
    }
    return true;
}

// The report's own title in its printed header: its file's name without ".xlsx".
QString report_title(const QByteArray &out)
{
    QString name = local_text_name(out.mid(out.lastIndexOf('/') + 1));
    if (name.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        name.chop(5);
    return name;
}

}  // namespace

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
        if (read.missing || !read.refusal.isEmpty()) {
            failure = {read.missing ? grade_report_failure::kind::missing : grade_report_failure::kind::refused,
                       {local_text_name(folders[k])}, read.refusal, {}};
            return outcome;
        }
        if (!read.problems.items.isEmpty())
            outcome.warnings.emplace_back(local_text_name(folders[k]), read.problems);
        outcome.class_warnings << grade_classes_warnings(read.cls);
        classes.push_back(std::move(read.cls));
    }
    if (!papers_check(classes, outcome))
        return outcome;
    const QString not_saved =
        workbook_file_save(out, grade_sheets_workbook(classes, ranking, report_title(out), QDate::currentDate()));
    if (!not_saved.isEmpty())
        failure = {grade_report_failure::kind::not_saved, {}, not_saved, {}};
    return outcome;
}

#include "report/grade_classes.h"

#include "grading/choice_grading.h"
#include "store/eval_open.h"
#include "store/file_io.h"
#include "store/eval_lock.h"
#include "store/local_text.h"

#include <QObject>

namespace {

// Students by their file's name without ".stu"; past ten, how many more there are.
QString names_listed(const QStringList &names)
{
    constexpr int shown = 10;
    const QString listed = names.mid(0, shown).join(QObject::tr("、"));
    return names.size() > shown ? QObject::tr("%1等%2名").arg(listed).arg(names.size()) : listed;
}

QString student_name(const evaluation &eval, int s)
{
    QString name = local_text_name(eval.stu_file[std::size_t(s)]);
    if (name.endsWith(QLatin1String(".stu"), Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

}  // namespace

grade_class_read grade_classes_read(const QByteArray &folder)
{
    grade_class_read read;
    if (!file_stamp_read(folder).maybe_exists()) {
        read.missing = true;
        return read;
    }
    eval_open_result opened = eval_open(folder);
    if (!opened.refusal.isEmpty()) {
        read.refusal = opened.refusal;
        return read;
    }
    if (!opened.problems.isEmpty())
        read.problems = eval_open_problems_message(opened);
    grade_class &cls = read.cls;
    cls.name = evaluation_class_name(folder);
    cls.folder = folder;
    cls.eval = std::move(opened.eval);
    choice_grades grades = choice_grade_all(cls.eval, [](int) {});
    choice_grades_apply(cls.eval, grades);
    cls.sheet = score_sheet_make(cls.eval);
    return read;
}

QStringList grade_classes_warnings(const grade_class &cls)
{
    const evaluation &eval = cls.eval;
    QStringList without_scores;
    QStringList not_scored;
    int answers = 0;
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        if (!eval.sc_stamp[std::size_t(s)].exists)
            without_scores << student_name(eval, s);
        int open = 0;
        for (int q = 1; eval.marks_known && q <= eval.unch_cnt; ++q)
            open += !eval.unch_scored[s][q];
        if (open > 0)
            not_scored << student_name(eval, s);
        answers += open;
    }
    QStringList warnings;
    if (!without_scores.isEmpty())
        warnings << QObject::tr("%1：%2名学生没有成绩文件（按0分计）：%3")
                        .arg(cls.name)
                        .arg(without_scores.size())
                        .arg(names_listed(without_scores));
    if (answers > 0)
        warnings << QObject::tr("%1：%2份非选择题答卷尚未由老师评分，涉及%3名学生：%4")
                        .arg(cls.name)
                        .arg(answers)
                        .arg(not_scored.size())
                        .arg(names_listed(not_scored));
    const eval_lock_owner holder = eval_lock_holder(cls.folder);
    if (holder.pid != 0)
        warnings << QObject::tr("%1：正在另一个窗口中打开（%2），最新的成绩可能尚未保存")
                        .arg(cls.name, eval_lock_holder_text(holder));
    return warnings;
}

int grade_classes_repeated(const std::vector<QByteArray> &folders, int *earlier)
{
    std::vector<file_stamp> stamps;
    for (const QByteArray &folder : folders) {
        const file_stamp stamp = file_stamp_read(folder);
        for (std::size_t e = 0; stamp.exists && e < stamps.size(); ++e) {
            if (stamps[e].same_file(stamp)) {
                *earlier = int(e);
                return int(stamps.size());
            }
        }
        stamps.push_back(stamp);
    }
    return -1;
}

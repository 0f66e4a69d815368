#include "store/eval_save.h"

#include "store/eval_format.h"
#include "store/eval_marks.h"
#include "store/file_io.h"
#include "store/local_text.h"

#include <QObject>
#include <algorithm>

namespace {

QString shown_name(const QStringList &names, int s)
{
    return QObject::tr("sc/%1").arg(names[s]);
}

struct backup {
    QByteArray name;      // in the sc folder; empty when none could be made
    bool moved = false;   // the file itself moved there: nothing is left at its own name
};

// Keeps the bytes of student s's score file under the first free name of "<name>.bak",
// "<name>.bak2", ..., each cut short where the folder would not take it whole.
backup backup_make(const evaluation &eval, int s)
{
    const QByteArray &name = eval.stu_file[std::size_t(s)];
    const QByteArray path = eval.sc_path + name;
    const int max = dir_name_max(eval.sc_path);
    for (int n = 1; n <= 100; ++n) {
        const QByteArray suffix = ".bak" + (n > 1 ? QByteArray::number(n) : QByteArray());
        const QByteArray backup_name = local_text_cut(name, max - suffix.size(), eval.text_utf8) + suffix;
        if (file_stamp_read(eval.sc_path + backup_name).maybe_exists())
            continue;
        // A second name costs nothing and leaves the file in place; where the file system has
        // no links, the file itself moves aside.
        if (file_link(path, eval.sc_path + backup_name).isEmpty())
            return {backup_name, false};
        if (file_rename(path, eval.sc_path + backup_name).isEmpty())
            return {backup_name, true};
        return {};
    }
    return {};
}

}  // namespace

QString eval_save_folder_check(const evaluation &eval)
{
    if (dir_same(eval.st_path, eval.sc_path))
        return QObject::tr("所选择的文件夹下的st和sc现在是同一个文件夹，保存成绩会覆盖学生的答卷，成绩未保存");
    if (!file_stamp_read(eval.sc_path).same_file(eval.sc_folder))
        return QObject::tr("打开评测之后，sc文件夹被移走、删除或替换了。为免把成绩写到别处，成绩未保存");
    return {};
}

save_report write_scores(evaluation &eval, const std::vector<int> &left_alone)
{
    save_report report;
    const QStringList names = evaluation_student_names(eval);
    const auto failed = [&](int s, const QString &failure) {
        report.failures << QObject::tr("%1：%2").arg(shown_name(names, s), failure);
        report.failure_names << shown_name(names, s).size();
    };
    const auto marks_failed = [&](const QString &failure) {
        report.failures << QObject::tr("%1：%2").arg(QLatin1String(EVAL_MARKS_NAME), failure);
        report.failure_names << int(sizeof EVAL_MARKS_NAME - 1);
    };
    // The record of answers scored by hand goes with the score files: written beside them,
    // flushed with them, renamed after them.
    const QByteArray marks_path = eval_marks_path(eval);
    QByteArray marks_temporary;
    if (eval.unch_cnt > 0) {
        marks_temporary = file_temporary_path(marks_path);
        const QString failure = file_write_new(marks_temporary, eval_marks_format(eval));
        if (!failure.isEmpty()) {
            marks_failed(failure);
            marks_temporary.clear();
        }
    }
    std::vector<QByteArray> contents(std::size_t(eval.stu_cnt) + 1);
    std::vector<QByteArray> temporaries(std::size_t(eval.stu_cnt) + 1);
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        if (std::find(left_alone.begin(), left_alone.end(), s) != left_alone.end())
            continue;
        const QByteArray temporary = file_temporary_path(eval.sc_path);
        contents[std::size_t(s)] = eval_format_write_scores(eval, s);
        const QString failure = file_write_new(temporary, contents[std::size_t(s)]);
        if (failure.isEmpty())
            temporaries[std::size_t(s)] = temporary;
        else
            failed(s, failure);
    }
    // One flush for all the files: a power cut after the renames finds each file whole.
    const QString flush_failure = fs_sync(eval.sc_path);
    std::vector<QByteArray> backups;
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        const QByteArray &temporary = temporaries[std::size_t(s)];
        if (temporary.isEmpty())
            continue;
        const QByteArray path = eval.sc_path + eval.stu_file[std::size_t(s)];
        QString failure = flush_failure;
        backup kept;
        if (failure.isEmpty() && eval.sc_suspect[std::size_t(s)] && file_stamp_read(path).maybe_exists()) {
            kept = backup_make(eval, s);
            if (kept.name.isEmpty())
                failure = QObject::tr("无法为读取有误的原文件做备份");
        }
        if (failure.isEmpty())
            failure = file_rename(temporary, path);
        if (!failure.isEmpty()) {
            file_remove(temporary);
            // Moved aside for nothing: back to its own name, or said where it is.
            if (kept.moved && !file_rename(eval.sc_path + kept.name, path).isEmpty()) {
                failure = QObject::tr("%1；原来的文件现在名为sc/%2").arg(failure, local_text_name(kept.name, eval.text_utf8));
                report.moved_away = true;
                backups.push_back(kept.name);
            } else if (!kept.moved && !kept.name.isEmpty()) {
                backups.push_back(kept.name);
            }
            failed(s, failure);
            continue;
        }
        if (!kept.name.isEmpty())
            backups.push_back(kept.name);
        eval.sc_suspect[std::size_t(s)] = false;
        eval.sc_stamp[std::size_t(s)] = file_stamp_read(path);
        eval.sc_base[std::size_t(s)] = std::move(contents[std::size_t(s)]);
    }
    dir_sync(eval.sc_path);
    for (const QString &name : local_text_names(backups, eval.text_utf8))
        report.backups << QObject::tr("sc/%1").arg(name);
    if (!marks_temporary.isEmpty()) {
        QString failure = flush_failure;
        if (failure.isEmpty())
            failure = file_rename(marks_temporary, marks_path);
        if (failure.isEmpty()) {
            eval.marks_known = true;
            dir_sync(evaluation_folder(eval));
        } else {
            file_remove(marks_temporary);
            marks_failed(failure);
        }
    }
    return report;
}

listed_message eval_save_failure_message(const save_report &report)
{
    const QString head = report.moved_away ? QObject::tr("下列成绩文件未能保存，除注明的以外，原有的文件保持不变：")
                                           : QObject::tr("下列成绩文件未能保存，原有的文件保持不变：");
    return {head, report.failures, {}, report.failure_names};
}

listed_message eval_save_backup_message(const QStringList &backups)
{
    return {QObject::tr("下列成绩文件打开时未能完整读取，它们原来的内容已另存为："), backups, {}, {}};
}

listed_message eval_save_changed_question(const QStringList &changed)
{
    return {QObject::tr("下列成绩文件在本窗口读取之后被其他程序改动过："), changed,
            QObject::tr("是否用本窗口中的成绩覆盖它们？"), {}};
}

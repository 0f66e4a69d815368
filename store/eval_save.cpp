#include "store/eval_save.h"

#include "store/eval_format.h"
#include "store/eval_marks.h"
#include "store/file_io.h"
#include "store/local_text.h"

#include <QObject>

namespace {

QString shown_name(const evaluation &eval, int s)
{
    return QObject::tr("sc/%1").arg(local_text_name(eval.stu_file[std::size_t(s)]));
}

// Keeps the bytes at path under the first free name of path.bak, path.bak2, ...; returns that
// name or "" when none could be made.
QByteArray backup_make(const QByteArray &path)
{
    for (int n = 1; n <= 100; ++n) {
        const QByteArray backup = path + ".bak" + (n > 1 ? QByteArray::number(n) : QByteArray());
        if (file_exists(backup))
            continue;
        // A second name costs nothing and leaves the file in place; where the file system has
        // no links, the file itself moves aside.
        if (file_link(path, backup).isEmpty() || file_rename(path, backup).isEmpty())
            return backup;
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

QStringList eval_save_changed_files(const evaluation &eval)
{
    QStringList changed;
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        if (file_stamp_read(eval.sc_path + eval.stu_file[std::size_t(s)]) != eval.sc_stamp[std::size_t(s)])
            changed << shown_name(eval, s);
    }
    return changed;
}

save_report write_scores(evaluation &eval)
{
    save_report report;
    // The record of answers scored by hand goes with the score files: written beside them,
    // flushed with them, renamed after them.
    const QByteArray marks_path = eval_marks_path(eval);
    QByteArray marks_temporary;
    if (eval.unch_cnt > 0) {
        marks_temporary = file_temporary_path(marks_path);
        const QString failure = file_write_new(marks_temporary, eval_marks_format(eval));
        if (!failure.isEmpty()) {
            report.failures << QObject::tr("%1：%2").arg(QLatin1String(EVAL_MARKS_NAME), failure);
            marks_temporary.clear();
        }
    }
    std::vector<QByteArray> temporaries(std::size_t(eval.stu_cnt) + 1);
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        const QByteArray temporary = file_temporary_path(eval.sc_path);
        const QString failure = file_write_new(temporary, eval_format_write_scores(eval, s));
        if (failure.isEmpty())
            temporaries[std::size_t(s)] = temporary;
        else
            report.failures << QObject::tr("%1：%2").arg(shown_name(eval, s), failure);
    }
    // One flush for all the files: a power cut after the renames finds each file whole.
    const QString flush_failure = fs_sync(eval.sc_path);
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        const QByteArray &temporary = temporaries[std::size_t(s)];
        if (temporary.isEmpty())
            continue;
        const QByteArray path = eval.sc_path + eval.stu_file[std::size_t(s)];
        QString failure = flush_failure;
        if (failure.isEmpty() && eval.sc_suspect[std::size_t(s)] && file_exists(path)) {
            const QByteArray backup = backup_make(path);
            if (backup.isEmpty())
                failure = QObject::tr("无法为读取有误的原文件做备份");
            else
                report.backups << QObject::tr("sc/%1").arg(local_text_name(backup.mid(eval.sc_path.size())));
        }
        if (failure.isEmpty())
            failure = file_rename(temporary, path);
        if (!failure.isEmpty()) {
            file_remove(temporary);
            report.failures << QObject::tr("%1：%2").arg(shown_name(eval, s), failure);
            continue;
        }
        eval.sc_suspect[std::size_t(s)] = false;
        eval.sc_stamp[std::size_t(s)] = file_stamp_read(path);
    }
    dir_sync(eval.sc_path);
    if (!marks_temporary.isEmpty()) {
        QString failure = flush_failure;
        if (failure.isEmpty())
            failure = file_rename(marks_temporary, marks_path);
        if (failure.isEmpty()) {
            eval.marks_known = true;
            dir_sync(evaluation_folder(eval));
        } else {
            file_remove(marks_temporary);
            report.failures << QObject::tr("%1：%2").arg(QLatin1String(EVAL_MARKS_NAME), failure);
        }
    }
    return report;
}

listed_message eval_save_failure_message(const QStringList &failures)
{
    return {QObject::tr("下列成绩文件未能保存，原有的文件保持不变："), failures, {}};
}

listed_message eval_save_backup_message(const QStringList &backups)
{
    return {QObject::tr("下列成绩文件打开时未能完整读取，它们原来的内容已另存为："), backups, {}};
}

listed_message eval_save_changed_question(const QStringList &changed)
{
    return {QObject::tr("下列成绩文件在本窗口读取之后被其他程序改动过："), changed,
            QObject::tr("是否用本窗口中的成绩覆盖它们？")};
}

#include "store/eval_open.h"

#include "store/eval_format.h"
#include "store/file_io.h"
#include "store/local_text.h"
#include "store/student_list.h"

#include <QObject>
#include <vector>

namespace {

// Reads one of a student's files into the evaluation; returns the report line or "".
QString student_file_read(evaluation &eval, const char *folder_name, const QByteArray &dir, int s,
                          QString (*parse)(const QByteArray &, evaluation *, int), bool missing_is_normal)
{
    const QByteArray &name = eval.stu_file[std::size_t(s)];
    const QByteArray path = dir + name;
    if (missing_is_normal && !file_exists(path))
        return {};
    QByteArray bytes;
    QString failure = file_read_all(path, &bytes);
    if (failure.isEmpty())
        failure = parse(bytes, &eval, s);
    if (failure.isEmpty())
        return {};
    return QObject::tr("%1/%2：%3").arg(QLatin1String(folder_name), local_text_decode(name), failure);
}

QString folder_check(const evaluation &eval, QByteArray *paper_bytes, QByteArray *key_bytes)
{
    if (!file_read_all(eval.prb_path, paper_bytes).isEmpty())
        return QObject::tr("所选择的文件夹下缺少problem.prb文件");
    if (!file_read_all(eval.ans_path, key_bytes).isEmpty())
        return QObject::tr("所选择的文件夹下缺少answer.ans文件");
    if (!dir_exists(eval.st_path))
        return QObject::tr("所选择的文件夹下缺少st文件夹");
    if (!dir_exists(eval.sc_path))
        return QObject::tr("所选择的文件夹下缺少sc文件夹");
    return {};
}

QString students_check(const QString &listing_failure, std::size_t count)
{
    if (!listing_failure.isEmpty())
        return QObject::tr("无法读取所选择的st文件夹：%1").arg(listing_failure);
    if (count == 0)
        return QObject::tr("所选择的st文件夹下缺少.stu文件夹");
    if (count > std::size_t(MAX_STUDENTS))
        return QObject::tr("所选择的st文件夹下有%1个.stu文件，超出了最多%2名学生的上限")
            .arg(count).arg(MAX_STUDENTS);
    return {};
}

}  // namespace

eval_open_result eval_open(const QByteArray &folder)
{
    eval_open_result result;
    evaluation &eval = result.eval;
    eval.st_path = folder + "/st/";
    eval.sc_path = folder + "/sc/";
    eval.prb_path = folder + "/problem.prb";
    eval.ans_path = folder + "/answer.ans";

    QByteArray paper_bytes;
    QByteArray key_bytes;
    result.refusal = folder_check(eval, &paper_bytes, &key_bytes);
    if (result.refusal.isEmpty())
        result.refusal = paper_parse(paper_bytes, &eval);
    if (result.refusal.isEmpty())
        result.refusal = key_parse(key_bytes, &eval);
    if (!result.refusal.isEmpty())
        return result;

    std::vector<QByteArray> students;
    const QString listing_failure = list_students(eval.st_path, &students);
    result.refusal = students_check(listing_failure, students.size());
    if (!result.refusal.isEmpty())
        return result;

    eval.stu_cnt = int(students.size());
    eval.stu_file.resize(1);
    eval.stu_file.insert(eval.stu_file.end(), students.begin(), students.end());
    evaluation_tables_reset(eval);
    // Every answer file is read before the first score file.
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        const QString line = student_file_read(eval, "st", eval.st_path, s, student_parse, false);
        if (!line.isEmpty())
            result.incomplete << line;
    }
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        const QString line = student_file_read(eval, "sc", eval.sc_path, s, scores_parse, true);
        if (!line.isEmpty())
            result.incomplete << line;
    }
    return result;
}

QString eval_incomplete_message(const QStringList &incomplete)
{
    return QObject::tr("下列文件未能完整读取，未读到的项及其后各项按0分或空白处理：\n%1")
        .arg(incomplete.join(QLatin1Char('\n')));
}

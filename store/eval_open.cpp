#include "store/eval_open.h"

#include "store/eval_format.h"
#include "store/eval_lock.h"
#include "store/eval_marks.h"
#include "store/file_io.h"
#include "store/local_host.h"
#include "store/local_text.h"
#include "store/student_list.h"

#include <QObject>
#include <algorithm>
#include <vector>

namespace {

// Adds the line "name：what" to the problems, remembering where its name ends.
void problem_add(eval_open_result &result, const QString &name, const QString &what)
{
    result.problems << QObject::tr("%1：%2").arg(name, what);
    result.problem_names << name.size();
}

// What a file's line says: the items not read, then the notes; "" when nothing.
QString report_text(const file_report &report)
{
    QStringList parts = report.notes;
    if (!report.failure.isEmpty())
        parts.prepend(report.failure);
    return parts.join(QObject::tr("；"));
}

// Reads the paper or the key: the check's message when there is no such file, another when
// it cannot be read.
QString paper_file_read(const QByteArray &path, const QString &missing, const char *name, QByteArray *bytes)
{
    // A folder of that name is no paper either.
    if (!file_stamp_read(path).maybe_exists() || dir_exists(path))
        return missing;
    const QString failure = file_read_all(path, MAX_PAPER_BYTES, bytes);
    if (failure.isEmpty())
        return {};
    return QObject::tr("无法读取所选择的文件夹下的%1文件：%2").arg(QLatin1String(name), failure);
}

QString folder_check(const evaluation &eval, QByteArray *paper_bytes, QByteArray *key_bytes)
{
    QString refusal = paper_file_read(eval.prb_path, QObject::tr("所选择的文件夹下缺少problem.prb文件"),
                                      "problem.prb", paper_bytes);
    if (refusal.isEmpty())
        refusal = paper_file_read(eval.ans_path, QObject::tr("所选择的文件夹下缺少answer.ans文件"),
                                  "answer.ans", key_bytes);
    if (!refusal.isEmpty())
        return refusal;
    if (!dir_exists(eval.st_path))
        return QObject::tr("所选择的文件夹下缺少st文件夹");
    if (!dir_exists(eval.sc_path))
        return QObject::tr("所选择的文件夹下缺少sc文件夹");
    // Saving would write the score files over the students' answers.
    if (dir_same(eval.st_path, eval.sc_path))
        return QObject::tr("所选择的文件夹下的st和sc是同一个文件夹，保存成绩会覆盖学生的答卷");
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

// Reads the students' files, counting every byte against the folder's cap.
class students_reader
{
public:
    students_reader(eval_open_result &result, qint64 budget)
        : m_result(result), m_eval(result.eval), m_names(evaluation_student_names(result.eval)), m_budget(budget)
    {
        // Looking up its files would fail one by one for the same reason: one line says it.
        const QString unsearchable = dir_searchable(m_eval.sc_path);
        m_sc_listed = unsearchable.isEmpty();
        if (!m_sc_listed)
            problem_add(m_result, QObject::tr("sc"),
                        QObject::tr("无法读取这个文件夹：%1，其中的成绩都未读入").arg(unsearchable));
    }

    // Returns "" or the refusal when the folder holds more than an open reads.
    QString answers_read(int s)
    {
        QByteArray bytes;
        file_report report;
        report.failure = file_read_all(path(m_eval.st_path, s), MAX_ANSWER_BYTES, &bytes);
        if (report.failure.isEmpty()) {
            report = eval_format_read_student(bytes, &m_eval, s);
        } else {
            unsigned char *unread = m_eval.choice_unread[s];
            std::fill(unread + 1, unread + 1 + m_eval.onech_cnt + m_eval.some_cnt, 1);
        }
        note("st", s, report_text(report));
        return spend(bytes.size());
    }

    QString scores_read(int s)
    {
        QByteArray bytes;
        file_report report;
        file_stamp &stamp = m_eval.sc_stamp[std::size_t(s)];
        report.failure = file_read_all(path(m_eval.sc_path, s), MAX_SCORES_BYTES, &bytes, &stamp);
        // A missing score file is a student not scored yet.
        if (!stamp.maybe_exists())
            return {};
        if (report.failure.isEmpty()) {
            report = eval_format_read_scores(bytes, &m_eval, s);
            m_eval.sc_base[std::size_t(s)] = bytes;
        }
        const QString text = report_text(report);
        m_eval.sc_suspect[std::size_t(s)] = !text.isEmpty();
        // Scores outside their range are kept as they are: no backup needed.
        QStringList parts = eval_format_scores_outside(m_eval, s);
        if (!text.isEmpty())
            parts.prepend(text);
        if (m_sc_listed)
            note("sc", s, parts.join(QObject::tr("；")));
        return spend(bytes.size());
    }

private:
    QByteArray path(const QByteArray &dir, int s) const { return dir + m_eval.stu_file[std::size_t(s)]; }

    void note(const char *folder, int s, const QString &text)
    {
        if (!text.isEmpty())
            problem_add(m_result, QObject::tr("%1/%2").arg(QLatin1String(folder), m_names[s]), text);
    }

    QString spend(qint64 bytes)
    {
        m_budget -= bytes;
        if (m_budget >= 0)
            return {};
        return QObject::tr("所选择的文件夹中的文件共超过了%1 MB的上限").arg(MAX_FOLDER_BYTES / (1024 * 1024));
    }

    eval_open_result &m_result;
    evaluation &m_eval;
    const QStringList m_names;
    bool m_sc_listed = true;
    qint64 m_budget;
};

// Removes the stale temporary files of ours in one folder; returns their names.
std::vector<QByteArray> temporaries_remove(const QByteArray &dir)
{
    dir_entries entries;
    std::vector<QByteArray> removed;
    if (!dir_list(dir, &entries).isEmpty())
        return removed;
    for (const QByteArray &name : entries.files) {
        const qint64 pid = file_temporary_pid(name);
        if (pid != 0 && !local_host_running(pid) && file_remove(dir + name).isEmpty())
            removed.push_back(name);
    }
    return removed;
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
    if (!result.refusal.isEmpty())
        return result;
    eval.sc_folder = file_stamp_read(eval.sc_path);
    const file_report paper = eval_format_read_paper(paper_bytes, &eval);
    result.refusal = paper.failure;
    if (result.refusal.isEmpty()) {
        const file_report key = eval_format_read_key(key_bytes, &eval);
        result.refusal = key.failure;
        for (const auto &[name, report] : {std::make_pair("problem.prb", paper), std::make_pair("answer.ans", key)}) {
            const QString text = report_text(report);
            if (!text.isEmpty())
                problem_add(result, QLatin1String(name), text);
        }
    }
    if (!result.refusal.isEmpty())
        return result;

    std::vector<QByteArray> students;
    std::vector<QByteArray> others;
    const QString listing_failure = list_students(eval.st_path, &students, &others);
    result.refusal = students_check(listing_failure, students.size());
    if (!result.refusal.isEmpty())
        return result;
    for (const QString &other : local_text_names(others, eval.text_utf8))
        problem_add(result, QObject::tr("st/%1").arg(other), QObject::tr("不是普通文件，未作为学生读入"));

    eval.stu_cnt = int(students.size());
    eval.stu_file.resize(1);
    eval.stu_file.insert(eval.stu_file.end(), students.begin(), students.end());
    evaluation_tables_reset(eval);
    students_reader reader(result, MAX_FOLDER_BYTES - paper_bytes.size() - key_bytes.size());
    // Every answer file is read before the first score file.
    for (int s = 1; s <= eval.stu_cnt && result.refusal.isEmpty(); ++s)
        result.refusal = reader.answers_read(s);
    for (int s = 1; s <= eval.stu_cnt && result.refusal.isEmpty(); ++s)
        result.refusal = reader.scores_read(s);
    const QString marks = eval_marks_read(&eval);
    if (!marks.isEmpty())
        problem_add(result, QLatin1String(EVAL_MARKS_NAME), QObject::tr("%1，已忽略").arg(marks));
    return result;
}

void eval_open_clean(eval_open_result &result)
{
    const QByteArray folder = evaluation_folder(result.eval);
    // Another machine's processes cannot be asked whether they still write.
    if (eval_lock_holder(folder).other_host)
        return;
    for (const auto &[dir, shown] : {std::make_pair(folder + '/', QString()), std::make_pair(result.eval.sc_path, QStringLiteral("sc/"))}) {
        for (const QByteArray &name : temporaries_remove(dir))
            problem_add(result, shown + QString::fromLatin1(name), QObject::tr("上次保存中断时留下的临时文件，已删除"));
    }
}

listed_message eval_open_problems_message(const eval_open_result &result)
{
    const evaluation &eval = result.eval;
    bool answers_unread = false;
    for (int s = 1; s <= eval.stu_cnt && !answers_unread; ++s) {
        const unsigned char *unread = eval.choice_unread[s];
        answers_unread = std::any_of(unread + 1, unread + 1 + eval.onech_cnt + eval.some_cnt, [](unsigned char u) { return u != 0; });
    }
    const bool backups = std::find(eval.sc_suspect.begin(), eval.sc_suspect.end(), true) != eval.sc_suspect.end();
    QStringList sentences;
    if (answers_unread)
        sentences << QObject::tr("未读到的选择题答案不予评分，原有得分保持不变");
    if (backups)
        sentences << QObject::tr("未读到的成绩按0分处理，保存时会先把原成绩文件另存为同名的“.bak”文件");
    const QString tail = sentences.isEmpty() ? QString() : sentences.join(QObject::tr("；")) + QObject::tr("。");
    return {QObject::tr("打开评测时，下列文件未能完整读取或内容有误："), result.problems, tail, result.problem_names};
}

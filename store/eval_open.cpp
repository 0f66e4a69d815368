#include "store/eval_open.h"

#include "store/eval_format.h"
#include "store/eval_marks.h"
#include "store/file_io.h"
#include "store/local_text.h"
#include "store/student_list.h"

#include <QObject>
#include <vector>

namespace {

QString problem_line(const QString &file, const file_report &report)
{
    QStringList parts = report.notes;
    if (!report.failure.isEmpty())
        parts.prepend(report.failure);
    return parts.isEmpty() ? QString() : QObject::tr("%1：%2").arg(file, parts.join(QObject::tr("；")));
}

// Reads the paper or the key: the check's message when it cannot be opened, another when it
// is no file to read.
QString paper_file_read(const QByteArray &path, const QString &missing, const char *name, QByteArray *bytes)
{
    if (!file_openable(path) || dir_exists(path))
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
    students_reader(evaluation &eval, QStringList &problems, qint64 budget)
        : m_eval(eval), m_problems(problems), m_budget(budget)
    {
    }

    // Returns "" or the refusal when the folder holds more than an open reads.
    QString answers_read(int s)
    {
        QByteArray bytes;
        file_report report;
        report.failure = file_read_all(path(m_eval.st_path, s), MAX_ANSWER_BYTES, &bytes);
        if (report.failure.isEmpty())
            report = eval_format_read_student(bytes, &m_eval, s);
        else
            m_eval.ans_read[std::size_t(s)] = 0;
        note("st", s, report);
        return spend(bytes.size());
    }

    QString scores_read(int s)
    {
        const QByteArray file = path(m_eval.sc_path, s);
        m_eval.sc_stamp[std::size_t(s)] = file_stamp_read(file);
        // A missing score file is a student not scored yet.
        if (!m_eval.sc_stamp[std::size_t(s)].exists)
            return {};
        QByteArray bytes;
        file_report report;
        report.failure = file_read_all(file, MAX_SCORES_BYTES, &bytes);
        if (report.failure.isEmpty())
            report = eval_format_read_scores(bytes, &m_eval, s);
        m_eval.sc_suspect[std::size_t(s)] = note("sc", s, report);
        return spend(bytes.size());
    }

private:
    QByteArray path(const QByteArray &dir, int s) const { return dir + m_eval.stu_file[std::size_t(s)]; }

    bool note(const char *folder, int s, const file_report &report)
    {
        const QString name = QObject::tr("%1/%2").arg(QLatin1String(folder),
                                                      local_text_name(m_eval.stu_file[std::size_t(s)]));
        const QString line = problem_line(name, report);
        if (!line.isEmpty())
            m_problems << line;
        return !line.isEmpty();
    }

    QString spend(qint64 bytes)
    {
        m_budget -= bytes;
        if (m_budget >= 0)
            return {};
        return QObject::tr("所选择的文件夹中的文件共超过了%1 MB的上限").arg(MAX_FOLDER_BYTES / (1024 * 1024));
    }

    evaluation &m_eval;
    QStringList &m_problems;
    qint64 m_budget;
};

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
            const QString line = problem_line(QLatin1String(name), report);
            if (!line.isEmpty())
                result.problems << line;
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
    for (const QByteArray &other : others)
        result.problems << QObject::tr("st/%1：不是普通文件，未作为学生读入").arg(local_text_name(other));

    eval.stu_cnt = int(students.size());
    eval.stu_file.resize(1);
    eval.stu_file.insert(eval.stu_file.end(), students.begin(), students.end());
    evaluation_tables_reset(eval);
    students_reader reader(eval, result.problems, MAX_FOLDER_BYTES - paper_bytes.size() - key_bytes.size());
    // Every answer file is read before the first score file.
    for (int s = 1; s <= eval.stu_cnt && result.refusal.isEmpty(); ++s)
        result.refusal = reader.answers_read(s);
    for (int s = 1; s <= eval.stu_cnt && result.refusal.isEmpty(); ++s)
        result.refusal = reader.scores_read(s);
    const QString marks = eval_marks_read(&eval);
    if (!marks.isEmpty())
        result.problems << QObject::tr("%1：%2，已忽略").arg(QLatin1String(EVAL_MARKS_NAME), marks);
    return result;
}

listed_message eval_open_problems_message(const QStringList &problems)
{
    return {QObject::tr("打开评测时，下列文件未能完整读取或内容有误："), problems,
            QObject::tr("未读到的选择题答案不予评分，原有得分保持不变；未读到的成绩按0分处理，"
                        "保存时会先把原成绩文件另存为同名的“.bak”文件。")};
}

#include "store/eval_load.h"

#include "store/eval_format.h"
#include "store/eval_tables.h"
#include "store/file_io.h"
#include "store/local_text.h"
#include "store/student_list.h"

#include <QObject>
#include <vector>

namespace {

struct folder_paths {
    QByteArray st, sc, prb, ans;
};

void tables_commit(const folder_paths &paths, const paper_data &paper,
                   const std::vector<QByteArray> &students)
{
    st_path = paths.st;
    sc_path = paths.sc;
    prb_path = paths.prb;
    ans_path = paths.ans;
    onech_cnt = paper.onech_cnt;
    some_cnt = paper.some_cnt;
    unch_cnt = paper.unch_cnt;
    std::copy(paper.onech.begin(), paper.onech.end(), onech_questions + 1);
    std::copy(paper.some.begin(), paper.some.end(), some_questions + 1);
    std::copy(paper.unch.begin(), paper.unch.end(), unch_questions + 1);
    stu_cnt = int(students.size());
    std::copy(students.begin(), students.end(), stu_file + 1);
}

// Reads one of a student's files into the tables; returns the report line or "".
QString student_file_read(const QByteArray &folder_name, const QByteArray &dir, int s,
                          QString (*parse)(const QByteArray &, int), bool missing_is_normal)
{
    const QByteArray path = dir + stu_file[s];
    if (missing_is_normal && !file_exists(path))
        return {};
    QByteArray bytes;
    QString failure = file_read_all(path, &bytes);
    if (failure.isEmpty())
        failure = parse(bytes, s);
    if (failure.isEmpty())
        return {};
    return QObject::tr("%1/%2：%3").arg(QString::fromLatin1(folder_name), local_text_decode(stu_file[s]), failure);
}

}  // namespace

eval_load_result eval_load(const QByteArray &folder)
{
    eval_load_result result;
    const folder_paths paths{folder + "/st/", folder + "/sc/", folder + "/problem.prb", folder + "/answer.ans"};

    QByteArray paper_bytes;
    QByteArray key_bytes;
    if (!file_read_all(paths.prb, &paper_bytes).isEmpty()) {
        result.refusal = QObject::tr("所选择的文件夹下缺少problem.prb文件");
        return result;
    }
    if (!file_read_all(paths.ans, &key_bytes).isEmpty()) {
        result.refusal = QObject::tr("所选择的文件夹下缺少answer.ans文件");
        return result;
    }
    if (!dir_exists(paths.st)) {
        result.refusal = QObject::tr("所选择的文件夹下缺少st文件夹");
        return result;
    }
    if (!dir_exists(paths.sc)) {
        result.refusal = QObject::tr("所选择的文件夹下缺少sc文件夹");
        return result;
    }

    paper_data paper;
    result.refusal = paper_parse(paper_bytes, &paper);
    if (result.refusal.isEmpty())
        result.refusal = key_parse(key_bytes, &paper);
    if (!result.refusal.isEmpty())
        return result;

    std::vector<QByteArray> students;
    const QString listing_failure = list_students(paths.st, &students);
    if (!listing_failure.isEmpty()) {
        result.refusal = QObject::tr("无法读取所选择的st文件夹：%1").arg(listing_failure);
        return result;
    }
    if (students.empty()) {
        result.refusal = QObject::tr("所选择的st文件夹下缺少.stu文件夹");
        return result;
    }
    if (students.size() > std::size_t(MAX_STUDENTS)) {
        result.refusal = QObject::tr("所选择的st文件夹下有%1个.stu文件，超出了最多%2名学生的上限")
                             .arg(students.size()).arg(MAX_STUDENTS);
        return result;
    }

    tables_commit(paths, paper, students);
    result.total = paper.total;
    // Every answer file is read before the first score file.
    for (int s = 1; s <= stu_cnt; ++s) {
        student_row_reset(s);
        const QString line = student_file_read("st", st_path, s, student_parse, false);
        if (!line.isEmpty())
            result.incomplete << line;
    }
    for (int s = 1; s <= stu_cnt; ++s) {
        const QString line = student_file_read("sc", sc_path, s, scores_parse, true);
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

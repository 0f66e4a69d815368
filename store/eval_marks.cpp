#include "store/eval_marks.h"

#include "store/file_io.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <algorithm>
#include <vector>

namespace {

// The first line; a file that does not begin with it is not ours.
const QByteArray format_line = "lumo_test scored by hand 1";
// Far above any class's file (1002 students, 1003 open questions each: about 1 MB).
constexpr qint64 max_marks_bytes = 32 * 1024 * 1024;

bool is_marks(const QByteArray &marks)
{
    return std::all_of(marks.begin(), marks.end(), [](char c) { return c == '0' || c == '1'; });
}

}  // namespace

QByteArray eval_marks_format(const evaluation &eval)
{
    QByteArray out = format_line + '\n';
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        QByteArray marks(std::max(0, eval.unch_cnt), '0');
        for (int q = 1; q <= eval.unch_cnt; ++q) {
            if (eval.unch_scored[s][q])
                marks[q - 1] = '1';
        }
        if (marks.contains('1'))
            out += eval.stu_file[std::size_t(s)].toPercentEncoding() + ' ' + marks + '\n';
    }
    return out;
}

QString eval_marks_parse(const QByteArray &bytes, evaluation *eval)
{
    const QString damaged = QObject::tr("不是本程序写的评分记录，或已损坏");
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.value(0) != format_line || !lines.last().isEmpty())
        return damaged;
    lines.removeFirst();
    lines.removeLast();
    // Every line is checked before any mark is taken: a damaged file gives none.
    std::vector<std::pair<QByteArray, QByteArray>> students;
    students.reserve(std::size_t(lines.size()));
    for (const QByteArray &line : lines) {
        const int space = line.indexOf(' ');
        const QByteArray marks = line.mid(space + 1);
        if (space < 1 || !is_marks(marks))
            return damaged;
        students.emplace_back(QByteArray::fromPercentEncoding(line.left(space)), marks);
    }
    QHash<QByteArray, int> row_of;
    for (int s = 1; s <= eval->stu_cnt; ++s)
        row_of.insert(eval->stu_file[std::size_t(s)], s);
    for (const auto &[name, marks] : students) {
        const int s = row_of.value(name, 0);
        for (int q = 1; s > 0 && q <= std::min(eval->unch_cnt, marks.size()); ++q)
            eval->unch_scored[s][q] |= marks[q - 1] == '1';
    }
    return {};
}

QString eval_marks_read(evaluation *eval)
{
    const QByteArray path = eval_marks_path(*eval);
    eval->marks_known = false;
    if (!file_stamp_read(path).maybe_exists())
        return {};
    QByteArray bytes;
    QString failure = file_read_all(path, max_marks_bytes, &bytes);
    if (failure.isEmpty())
        failure = eval_marks_parse(bytes, eval);
    eval->marks_known = failure.isEmpty();
    return failure;
}

QByteArray eval_marks_path(const evaluation &eval)
{
    return evaluation_folder(eval) + '/' + EVAL_MARKS_NAME;
}

int eval_marks_count(const evaluation &eval)
{
    int count = 0;
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        for (int q = 1; q <= eval.unch_cnt; ++q)
            count += eval.unch_scored[s][q] != 0;
    }
    return count;
}

#include "store/eval_merge.h"

#include "store/eval_format.h"
#include "store/eval_marks.h"
#include "store/eval_open.h"
#include "store/file_io.h"
#include "store/score_text.h"

#include <QObject>

namespace {

// Equal as the score file writes them. Most scores compare equal as numbers already: a score
// read back from the same text is the same number.
bool same_as_written(double a, double b)
{
    return a == b || score_text(a) == score_text(b);
}

// Row s's scores in the order of its score file.
std::vector<double> row_of(const evaluation &eval, int s)
{
    std::vector<double> row;
    row.reserve(std::size_t(eval.onech_cnt + eval.some_cnt + eval.unch_cnt));
    for (const auto &[table, count] : {std::make_pair(&eval.onech_score, eval.onech_cnt),
                                       std::make_pair(&eval.some_score, eval.some_cnt),
                                       std::make_pair(&eval.unch_score, eval.unch_cnt)})
        row.insert(row.end(), (*table)[s] + 1, (*table)[s] + 1 + count);
    return row;
}

void row_put(evaluation &eval, int s, const std::vector<double> &row)
{
    auto at = row.begin();
    for (const auto &[table, count] : {std::make_pair(&eval.onech_score, eval.onech_cnt),
                                       std::make_pair(&eval.some_score, eval.some_cnt),
                                       std::make_pair(&eval.unch_score, eval.unch_cnt)}) {
        std::copy(at, at + count, (*table)[s] + 1);
        at += count;
    }
}

enum class parsed { whole, unreadable, unfitting };

// How many numbers a score file holds: its words, however they are spaced.
int words_count(const QByteArray &bytes)
{
    int words = 0;
    bool in_word = false;
    for (const char c : bytes) {
        const bool space = c == ' ' || (c >= '\t' && c <= '\r');
        words += !space && !in_word;
        in_word = !space;
    }
    return words;
}

// A score file's scores, when every one of them can be read and there are as many as the
// paper has questions.
parsed scores_parse(const evaluation &eval, const QByteArray &bytes, std::vector<double> *row)
{
    if (words_count(bytes) != eval.onech_cnt + eval.some_cnt + eval.unch_cnt)
        return parsed::unfitting;
    evaluation scratch;
    scratch.onech_cnt = eval.onech_cnt;
    scratch.some_cnt = eval.some_cnt;
    scratch.unch_cnt = eval.unch_cnt;
    scratch.stu_cnt = 1;
    scratch.stu_file.push_back(QByteArray());
    evaluation_tables_reset(scratch);
    if (!eval_format_read_scores(bytes, &scratch, 1).failure.isEmpty())
        return parsed::unreadable;
    *row = row_of(scratch, 1);
    return parsed::whole;
}

}  // namespace

score_row_merge eval_merge_row(const std::vector<double> &base, const std::vector<double> &ours,
                               const std::vector<double> &disk)
{
    score_row_merge row;
    row.merged = ours;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        if (same_as_written(disk[i], base[i]))
            continue;   // unchanged on disk: this window's score stands
        if (same_as_written(ours[i], base[i]))
            row.merged[i] = disk[i];
        else if (!same_as_written(ours[i], disk[i]))
            row.conflicts.push_back(int(i));
    }
    return row;
}

eval_merge eval_merge_read(const evaluation &eval)
{
    eval_merge merge;
    QStringList names;
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        const QByteArray path = eval.sc_path + eval.stu_file[std::size_t(s)];
        const file_stamp now = file_stamp_read(path);
        if (now == eval.sc_stamp[std::size_t(s)])
            continue;
        QByteArray bytes;
        const bool readable = now.exists && file_read_all(path, MAX_SCORES_BYTES, &bytes).isEmpty();
        const std::optional<QByteArray> &base_bytes = eval.sc_base[std::size_t(s)];
        if (readable && base_bytes && bytes == *base_bytes)
            continue;   // written again with the same bytes: no change
        if (names.isEmpty())
            names = evaluation_student_names(eval);
        // What this window read: the file's scores, or none yet (all 0) where it had none.
        std::vector<double> base(std::size_t(eval.onech_cnt + eval.some_cnt + eval.unch_cnt), 0.0);
        std::vector<double> disk;
        const bool base_known = base_bytes ? scores_parse(eval, *base_bytes, &base) == parsed::whole
                                           : !eval.sc_stamp[std::size_t(s)].maybe_exists();
        const parsed read = readable ? scores_parse(eval, bytes, &disk) : parsed::unreadable;
        if (!base_known || read == parsed::unreadable) {
            merge.unreadable << QObject::tr("sc/%1").arg(names[s]);
            continue;
        }
        if (read == parsed::unfitting) {
            merge.conflicts.push_back({s, -1, 0, 0});
            continue;
        }
        const std::vector<double> ours = row_of(eval, s);
        score_row_merge row = eval_merge_row(base, ours, disk);
        for (const int position : row.conflicts)
            merge.conflicts.push_back({s, position, ours[std::size_t(position)], disk[std::size_t(position)]});
        merge.rows.emplace_back(s, std::move(row.merged));
    }
    return merge;
}

std::vector<int> eval_merge_apply(evaluation &eval, const eval_merge &merge, bool ours, bool *taken)
{
    *taken = false;
    for (const auto &[s, row] : merge.rows) {
        std::vector<double> decided = row;
        for (const score_conflict &conflict : merge.conflicts) {
            if (conflict.student == s && conflict.position >= 0 && !ours)
                decided[std::size_t(conflict.position)] = conflict.theirs;
        }
        const std::vector<double> before = row_of(eval, s);
        for (std::size_t i = 0; i < decided.size(); ++i)
            *taken |= !same_as_written(before[i], decided[i]);
        row_put(eval, s, decided);
    }
    const int marks_before = eval_marks_count(eval);
    eval_marks_read(&eval);
    *taken |= eval_marks_count(eval) != marks_before;
    std::vector<int> left_alone;
    for (const score_conflict &conflict : merge.conflicts) {
        if (conflict.position < 0 && !ours)
            left_alone.push_back(conflict.student);
    }
    return left_alone;
}

listed_message eval_merge_conflict_question(const evaluation &eval, const eval_merge &merge)
{
    const QStringList names = evaluation_student_names(eval);
    listed_message question{QObject::tr("下列成绩在本窗口读取之后，本窗口和其他窗口（或程序）都改过，而且改得不同："),
                            {}, QObject::tr("保存时用哪一边的成绩？选“取消”则什么也不保存。"), {}};
    QStringList &items = question.items;
    for (const score_conflict &conflict : merge.conflicts) {
        const QString &name = names[conflict.student];
        question.name_sizes << name.size();
        if (conflict.position < 0)
            items << QObject::tr("%1：文件中的成绩个数与试卷不符").arg(name);
        else
            items << QObject::tr("%1 %2：本窗口%3，文件中%4")
                         .arg(name, eval_format_score_name(eval, conflict.position), score_text(conflict.ours),
                              score_text(conflict.theirs));
    }
    return question;
}

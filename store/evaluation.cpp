#include "store/evaluation.h"

#include "store/file_io.h"
#include "store/local_text.h"

QByteArray evaluation_folder(const evaluation &eval)
{
    return eval.st_path.left(eval.st_path.size() - int(sizeof "/st/" - 1));
}

QString evaluation_class_name(const QByteArray &folder)
{
    QByteArray path = folder;
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    const int slash = path.lastIndexOf('/');
    const QByteArray last = slash < 0 ? path : path.mid(slash + 1);
    // "." or ".." name no class; the folder they stand for does.
    if (last.isEmpty() || last == "." || last == "..") {
        const QByteArray resolved = path_resolve(path);
        if (!resolved.isEmpty() && resolved != path)
            return evaluation_class_name(resolved);
    }
    return local_text_name(last);
}

void evaluation_tables_reset(evaluation &eval)
{
    const int n = eval.stu_cnt;
    eval.onech_ans.reset(n, eval.onech_cnt);
    eval.some_ans.reset(n, eval.some_cnt);
    eval.unch_ans.reset(n, eval.unch_cnt);
    eval.onech_score.reset(n, eval.onech_cnt);
    eval.some_score.reset(n, eval.some_cnt);
    eval.unch_score.reset(n, eval.unch_cnt);
    eval.unch_scored.reset(n, eval.unch_cnt);
    const std::size_t rows = std::size_t(n < 0 ? 0 : n) + 1;
    eval.ans_read.assign(rows, eval.onech_cnt + eval.some_cnt + eval.unch_cnt);
    eval.sc_stamp.assign(rows, file_stamp());
    eval.sc_suspect.assign(rows, false);
}

double evaluation_total(const evaluation &eval)
{
    double total = 0;
    for (int q = 1; q <= eval.onech_cnt; ++q)
        total += eval.onech_questions[std::size_t(q)].full_score;
    for (int q = 1; q <= eval.some_cnt; ++q)
        total += eval.some_questions[std::size_t(q)].full_score;
    for (int q = 1; q <= eval.unch_cnt; ++q)
        total += eval.unch_questions[std::size_t(q)].full_score;
    return total;
}

QString answer_letters(answer_set set)
{
    QString letters;
    for (int e = 0; e < 6; ++e) {
        if (set & (1 << e))
            letters += QChar('A' + e);
    }
    return letters;
}

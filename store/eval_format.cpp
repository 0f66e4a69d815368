#include "store/eval_format.h"

#include "store/eval_scanner.h"
#include "store/local_text.h"
#include "store/score_text.h"

#include <QObject>

namespace {

enum class kind { onech, some, unch };

QString kind_name(kind k)
{
    switch (k) {
    case kind::onech: return QObject::tr("单选题");
    case kind::some: return QObject::tr("多选题");
    case kind::unch: return QObject::tr("非选择题");
    }
    return {};
}

QString item_name(kind k, int q, const QString &field)
{
    return QObject::tr("第%1道%2的%3").arg(q).arg(kind_name(k), field);
}

QString failure_text(eval_scanner::status status, const QString &item)
{
    switch (status) {
    case eval_scanner::status::ok: break;
    case eval_scanner::status::no_number: return QObject::tr("%1无法读取").arg(item);
    case eval_scanner::status::no_at: return QObject::tr("%1缺少开头的“@”").arg(item);
    case eval_scanner::status::no_dollar: return QObject::tr("%1缺少结尾的“$”").arg(item);
    }
    return {};
}

QString paper_failure(eval_scanner::status status, const QString &item)
{
    return QObject::tr("problem.prb文件有误：%1").arg(failure_text(status, item));
}

QString key_failure(eval_scanner::status status, const QString &item)
{
    return QObject::tr("answer.ans文件有误：%1").arg(failure_text(status, item));
}

QString count_refusal(kind k, int count)
{
    if (count < 0)
        return QObject::tr("problem.prb中的%1数量为%2，题目数量不能为负数").arg(kind_name(k)).arg(count);
    if (count > MAX_QUESTIONS_PER_KIND)
        return QObject::tr("problem.prb中的%1数量为%2，超出了每种题型最多%3道的上限")
            .arg(kind_name(k)).arg(count).arg(MAX_QUESTIONS_PER_KIND);
    return {};
}

// Reads questions[1..] of one choice kind: full score, partial score (multiple choice), text.
QString choice_questions_parse(eval_scanner &in, kind k, std::vector<choice_question> &questions)
{
    for (std::size_t q = 1; q < questions.size(); ++q) {
        choice_question &question = questions[q];
        auto status = in.read_real(&question.full_score);
        if (status != eval_scanner::status::ok)
            return paper_failure(status, item_name(k, int(q), QObject::tr("满分")));
        // Single-choice questions have no partial score; whatever follows is skipped as text.
        if (k == kind::some) {
            status = in.read_real(&question.part_score);
            if (status != eval_scanner::status::ok)
                return paper_failure(status, item_name(k, int(q), QObject::tr("部分得分")));
        }
        QString discarded;
        status = in.read_marked(&discarded);
        if (status != eval_scanner::status::ok)
            return paper_failure(status, item_name(k, int(q), QObject::tr("题面")));
    }
    return {};
}

QString choice_keys_parse(eval_scanner &in, kind k, std::vector<choice_question> &questions)
{
    for (std::size_t q = 1; q < questions.size(); ++q) {
        const auto status = in.read_int(&questions[q].key);
        if (status != eval_scanner::status::ok)
            return key_failure(status, item_name(k, int(q), QObject::tr("答案")));
    }
    return {};
}

eval_scanner::status number_read(eval_scanner &in, answer_set *value)
{
    return in.read_int(value);
}

eval_scanner::status number_read(eval_scanner &in, double *value)
{
    return in.read_real(value);
}

// Reads count numbers (answer sets or scores) into row[1..count]; returns what failed.
template <typename T>
QString numbers_parse(eval_scanner &in, kind k, int count, T *row, const QString &field)
{
    for (int q = 1; q <= count; ++q) {
        const auto status = number_read(in, &row[q]);
        if (status != eval_scanner::status::ok)
            return failure_text(status, item_name(k, q, field));
    }
    return {};
}

void scores_row_format(QByteArray &out, int count, const double *row)
{
    for (int q = 1; q <= count; ++q) {
        out += score_text(row[q]).toLatin1();
        out += '\n';
    }
}

}  // namespace

QString paper_parse(const QByteArray &bytes, evaluation *eval)
{
    eval_scanner in(local_text_decode(bytes));
    int *const counts[] = {&eval->onech_cnt, &eval->some_cnt, &eval->unch_cnt};
    const kind kinds[] = {kind::onech, kind::some, kind::unch};
    for (int i = 0; i < 3; ++i) {
        const auto status = in.read_int(counts[i]);
        if (status != eval_scanner::status::ok)
            return paper_failure(status, QObject::tr("%1数量").arg(kind_name(kinds[i])));
        const QString refusal = count_refusal(kinds[i], *counts[i]);
        if (!refusal.isEmpty())
            return refusal;
    }

    eval->onech_questions.assign(std::size_t(eval->onech_cnt) + 1, choice_question());
    eval->some_questions.assign(std::size_t(eval->some_cnt) + 1, choice_question());
    eval->unch_questions.assign(std::size_t(eval->unch_cnt) + 1, unch_question());
    QString failure = choice_questions_parse(in, kind::onech, eval->onech_questions);
    if (failure.isEmpty())
        failure = choice_questions_parse(in, kind::some, eval->some_questions);
    if (!failure.isEmpty())
        return failure;
    for (int q = 1; q <= eval->unch_cnt; ++q) {
        unch_question &question = eval->unch_questions[std::size_t(q)];
        auto status = in.read_real(&question.full_score);
        if (status != eval_scanner::status::ok)
            return paper_failure(status, item_name(kind::unch, q, QObject::tr("满分")));
        status = in.read_marked(&question.text);
        if (status != eval_scanner::status::ok)
            return paper_failure(status, item_name(kind::unch, q, QObject::tr("题面")));
    }
    return {};
}

QString key_parse(const QByteArray &bytes, evaluation *eval)
{
    eval_scanner in(local_text_decode(bytes));
    QString failure = choice_keys_parse(in, kind::onech, eval->onech_questions);
    if (failure.isEmpty())
        failure = choice_keys_parse(in, kind::some, eval->some_questions);
    if (!failure.isEmpty())
        return failure;
    for (int q = 1; q <= eval->unch_cnt; ++q) {
        const auto status = in.read_marked(&eval->unch_questions[std::size_t(q)].ref_answer);
        if (status != eval_scanner::status::ok)
            return key_failure(status, item_name(kind::unch, q, QObject::tr("参考答案")));
    }
    return {};
}

QString student_parse(const QByteArray &bytes, evaluation *eval, int s)
{
    eval_scanner in(local_text_decode(bytes));
    const QString answer = QObject::tr("答案");
    QString failure = numbers_parse(in, kind::onech, eval->onech_cnt, eval->onech_ans[s], answer);
    if (failure.isEmpty())
        failure = numbers_parse(in, kind::some, eval->some_cnt, eval->some_ans[s], answer);
    if (!failure.isEmpty())
        return failure;
    for (int q = 1; q <= eval->unch_cnt; ++q) {
        const auto status = in.read_marked(&eval->unch_ans[s][q]);
        if (status != eval_scanner::status::ok)
            return failure_text(status, item_name(kind::unch, q, answer));
    }
    return {};
}

QString scores_parse(const QByteArray &bytes, evaluation *eval, int s)
{
    eval_scanner in(local_text_decode(bytes));
    const QString score = QObject::tr("得分");
    QString failure = numbers_parse(in, kind::onech, eval->onech_cnt, eval->onech_score[s], score);
    if (failure.isEmpty())
        failure = numbers_parse(in, kind::some, eval->some_cnt, eval->some_score[s], score);
    if (failure.isEmpty())
        failure = numbers_parse(in, kind::unch, eval->unch_cnt, eval->unch_score[s], score);
    return failure;
}

QByteArray scores_format(const evaluation &eval, int s)
{
    QByteArray out;
    out.reserve((eval.onech_cnt + eval.some_cnt + eval.unch_cnt) * 8);
    scores_row_format(out, eval.onech_cnt, eval.onech_score[s]);
    scores_row_format(out, eval.some_cnt, eval.some_score[s]);
    scores_row_format(out, eval.unch_cnt, eval.unch_score[s]);
    return out;
}

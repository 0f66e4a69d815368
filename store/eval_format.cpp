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

QString choice_questions_parse(eval_scanner &in, kind k, std::vector<choice_question> &questions,
                               double *total)
{
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const int q = int(i) + 1;
        choice_question &question = questions[i];
        auto status = in.read_real(&question.full_score);
        if (status != eval_scanner::status::ok)
            return paper_failure(status, item_name(k, q, QObject::tr("满分")));
        // Single-choice questions have no partial score; whatever follows is skipped as text.
        if (k == kind::some) {
            status = in.read_real(&question.part_score);
            if (status != eval_scanner::status::ok)
                return paper_failure(status, item_name(k, q, QObject::tr("部分得分")));
        }
        QString discarded;
        status = in.read_marked(&discarded);
        if (status != eval_scanner::status::ok)
            return paper_failure(status, item_name(k, q, QObject::tr("题面")));
        *total += question.full_score;
    }
    return {};
}

QString choice_keys_parse(eval_scanner &in, kind k, std::vector<choice_question> &questions)
{
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const auto status = in.read_int(&questions[i].key);
        if (status != eval_scanner::status::ok)
            return key_failure(status, item_name(k, int(i) + 1, QObject::tr("答案")));
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

QString paper_parse(const QByteArray &bytes, paper_data *paper)
{
    eval_scanner in(local_text_decode(bytes));
    int *const counts[] = {&paper->onech_cnt, &paper->some_cnt, &paper->unch_cnt};
    const kind kinds[] = {kind::onech, kind::some, kind::unch};
    for (int i = 0; i < 3; ++i) {
        const auto status = in.read_int(counts[i]);
        if (status != eval_scanner::status::ok)
            return paper_failure(status, QObject::tr("%1数量").arg(kind_name(kinds[i])));
        const QString refusal = count_refusal(kinds[i], *counts[i]);
        if (!refusal.isEmpty())
            return refusal;
    }

    paper->total = 0;
    paper->onech.assign(std::size_t(paper->onech_cnt), choice_question());
    paper->some.assign(std::size_t(paper->some_cnt), choice_question());
    paper->unch.assign(std::size_t(paper->unch_cnt), unch_question());
    QString failure = choice_questions_parse(in, kind::onech, paper->onech, &paper->total);
    if (failure.isEmpty())
        failure = choice_questions_parse(in, kind::some, paper->some, &paper->total);
    if (!failure.isEmpty())
        return failure;
    for (std::size_t i = 0; i < paper->unch.size(); ++i) {
        const int q = int(i) + 1;
        unch_question &question = paper->unch[i];
        auto status = in.read_real(&question.full_score);
        if (status != eval_scanner::status::ok)
            return paper_failure(status, item_name(kind::unch, q, QObject::tr("满分")));
        status = in.read_marked(&question.text);
        if (status != eval_scanner::status::ok)
            return paper_failure(status, item_name(kind::unch, q, QObject::tr("题面")));
        paper->total += question.full_score;
    }
    return {};
}

QString key_parse(const QByteArray &bytes, paper_data *paper)
{
    eval_scanner in(local_text_decode(bytes));
    QString failure = choice_keys_parse(in, kind::onech, paper->onech);
    if (failure.isEmpty())
        failure = choice_keys_parse(in, kind::some, paper->some);
    if (!failure.isEmpty())
        return failure;
    for (std::size_t i = 0; i < paper->unch.size(); ++i) {
        const auto status = in.read_marked(&paper->unch[i].ref_answer);
        if (status != eval_scanner::status::ok)
            return key_failure(status, item_name(kind::unch, int(i) + 1, QObject::tr("参考答案")));
    }
    return {};
}

void student_row_reset(int s)
{
    for (int q = 1; q <= onech_cnt; ++q) {
        onech_ans[s][q] = 0;
        onech_score[s][q] = 0;
    }
    for (int q = 1; q <= some_cnt; ++q) {
        some_ans[s][q] = 0;
        some_score[s][q] = 0;
    }
    for (int q = 1; q <= unch_cnt; ++q) {
        unch_ans[s][q].clear();
        unch_score[s][q] = 0;
    }
}

QString student_parse(const QByteArray &bytes, int s)
{
    eval_scanner in(local_text_decode(bytes));
    const QString answer = QObject::tr("答案");
    QString failure = numbers_parse(in, kind::onech, onech_cnt, onech_ans[s], answer);
    if (failure.isEmpty())
        failure = numbers_parse(in, kind::some, some_cnt, some_ans[s], answer);
    if (!failure.isEmpty())
        return failure;
    for (int q = 1; q <= unch_cnt; ++q) {
        const auto status = in.read_marked(&unch_ans[s][q]);
        if (status != eval_scanner::status::ok)
            return failure_text(status, item_name(kind::unch, q, answer));
    }
    return {};
}

QString scores_parse(const QByteArray &bytes, int s)
{
    eval_scanner in(local_text_decode(bytes));
    const QString score = QObject::tr("得分");
    QString failure = numbers_parse(in, kind::onech, onech_cnt, onech_score[s], score);
    if (failure.isEmpty())
        failure = numbers_parse(in, kind::some, some_cnt, some_score[s], score);
    if (failure.isEmpty())
        failure = numbers_parse(in, kind::unch, unch_cnt, unch_score[s], score);
    return failure;
}

QByteArray scores_format(int s)
{
    QByteArray out;
    out.reserve((onech_cnt + some_cnt + unch_cnt) * 8);
    scores_row_format(out, onech_cnt, onech_score[s]);
    scores_row_format(out, some_cnt, some_score[s]);
    scores_row_format(out, unch_cnt, unch_score[s]);
    return out;
}

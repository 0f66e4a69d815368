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

// The longest texts an evaluation takes, in bytes of the file's encoding.
constexpr int max_question_text_bytes = 200000;
constexpr int max_answer_text_bytes = 100000;

// A decoded file and what its reading noticed on the way.
struct file_reading {
    explicit file_reading(const QByteArray &bytes)
        : decoded(local_text_decode(bytes)), in(decoded.text)
    {
        if (decoded.invalid > 0)
            report.notes << QObject::tr("有%1处无法识别的字节，已显示为“%2”")
                                .arg(decoded.invalid).arg(QChar(QChar::ReplacementCharacter));
    }

    // Notes a text longer than an evaluation takes; the text is kept whole.
    void text_check(const QString &text, int limit, const QString &item)
    {
        // Neither encoding takes more than four bytes a character: most texts need no count.
        if (text.size() <= limit / 4 || local_text_size(text, decoded.utf8) <= limit)
            return;
        report.notes << QObject::tr("%1超过了%2字节的上限").arg(item).arg(limit);
    }

    // Notes anything left after the last item the paper asks for.
    void surplus_check()
    {
        if (!in.at_end())
            report.notes << QObject::tr("内容多于试卷的题目数，多出的部分未读入");
    }

    decoded_text decoded;
    eval_scanner in;
    file_report report;
};

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
// *read counts the numbers read.
template <typename T>
QString numbers_parse(eval_scanner &in, kind k, int count, T *row, const QString &field, int *read)
{
    for (int q = 1; q <= count; ++q) {
        const auto status = number_read(in, &row[q]);
        if (status != eval_scanner::status::ok)
            return failure_text(status, item_name(k, q, field));
        ++*read;
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

file_report eval_format_read_paper(const QByteArray &bytes, evaluation *eval)
{
    file_reading file(bytes);
    eval_scanner &in = file.in;
    int counts[3] = {};
    const kind kinds[] = {kind::onech, kind::some, kind::unch};
    for (int i = 0; i < 3; ++i) {
        const auto status = in.read_int(&counts[i]);
        if (status != eval_scanner::status::ok)
            file.report.failure = paper_failure(status, QObject::tr("%1数量").arg(kind_name(kinds[i])));
        else
            file.report.failure = count_refusal(kinds[i], counts[i]);
        if (!file.report.failure.isEmpty())
            return file.report;
    }
    // The counts go in together with tables of their size, never without them.
    eval->onech_cnt = counts[0];
    eval->some_cnt = counts[1];
    eval->unch_cnt = counts[2];

    eval->onech_questions.assign(std::size_t(eval->onech_cnt) + 1, choice_question());
    eval->some_questions.assign(std::size_t(eval->some_cnt) + 1, choice_question());
    eval->unch_questions.assign(std::size_t(eval->unch_cnt) + 1, unch_question());
    file.report.failure = choice_questions_parse(in, kind::onech, eval->onech_questions);
    if (file.report.failure.isEmpty())
        file.report.failure = choice_questions_parse(in, kind::some, eval->some_questions);
    for (int q = 1; q <= eval->unch_cnt && file.report.failure.isEmpty(); ++q) {
        unch_question &question = eval->unch_questions[std::size_t(q)];
        auto status = in.read_real(&question.full_score);
        if (status != eval_scanner::status::ok) {
            file.report.failure = paper_failure(status, item_name(kind::unch, q, QObject::tr("满分")));
            break;
        }
        status = in.read_marked(&question.text);
        if (status != eval_scanner::status::ok) {
            file.report.failure = paper_failure(status, item_name(kind::unch, q, QObject::tr("题面")));
            break;
        }
        file.text_check(question.text, max_question_text_bytes, item_name(kind::unch, q, QObject::tr("题面")));
    }
    return file.report;
}

file_report eval_format_read_key(const QByteArray &bytes, evaluation *eval)
{
    file_reading file(bytes);
    file.report.failure = choice_keys_parse(file.in, kind::onech, eval->onech_questions);
    if (file.report.failure.isEmpty())
        file.report.failure = choice_keys_parse(file.in, kind::some, eval->some_questions);
    for (int q = 1; q <= eval->unch_cnt && file.report.failure.isEmpty(); ++q) {
        QString &answer = eval->unch_questions[std::size_t(q)].ref_answer;
        const auto status = file.in.read_marked(&answer);
        const QString item = item_name(kind::unch, q, QObject::tr("参考答案"));
        if (status != eval_scanner::status::ok) {
            file.report.failure = key_failure(status, item);
            break;
        }
        file.text_check(answer, max_question_text_bytes, item);
    }
    return file.report;
}

file_report eval_format_read_student(const QByteArray &bytes, evaluation *eval, int s)
{
    file_reading file(bytes);
    eval_scanner &in = file.in;
    const QString answer = QObject::tr("答案");
    int &read = eval->ans_read[std::size_t(s)];
    read = 0;
    file.report.failure = numbers_parse(in, kind::onech, eval->onech_cnt, eval->onech_ans[s], answer, &read);
    if (file.report.failure.isEmpty())
        file.report.failure = numbers_parse(in, kind::some, eval->some_cnt, eval->some_ans[s], answer, &read);
    for (int q = 1; q <= eval->unch_cnt && file.report.failure.isEmpty(); ++q) {
        const auto status = in.read_marked(&eval->unch_ans[s][q]);
        if (status != eval_scanner::status::ok) {
            file.report.failure = failure_text(status, item_name(kind::unch, q, answer));
            break;
        }
        ++read;
        file.text_check(eval->unch_ans[s][q], max_answer_text_bytes, item_name(kind::unch, q, answer));
    }
    if (file.report.failure.isEmpty())
        file.surplus_check();
    return file.report;
}

file_report eval_format_read_scores(const QByteArray &bytes, evaluation *eval, int s)
{
    file_reading file(bytes);
    eval_scanner &in = file.in;
    const QString score = QObject::tr("得分");
    int read = 0;
    file.report.failure = numbers_parse(in, kind::onech, eval->onech_cnt, eval->onech_score[s], score, &read);
    if (file.report.failure.isEmpty())
        file.report.failure = numbers_parse(in, kind::some, eval->some_cnt, eval->some_score[s], score, &read);
    if (file.report.failure.isEmpty())
        file.report.failure = numbers_parse(in, kind::unch, eval->unch_cnt, eval->unch_score[s], score, &read);
    if (file.report.failure.isEmpty())
        file.surplus_check();
    return file.report;
}

QByteArray eval_format_write_scores(const evaluation &eval, int s)
{
    QByteArray out;
    out.reserve((eval.onech_cnt + eval.some_cnt + eval.unch_cnt) * 8);
    scores_row_format(out, eval.onech_cnt, eval.onech_score[s]);
    scores_row_format(out, eval.some_cnt, eval.some_score[s]);
    scores_row_format(out, eval.unch_cnt, eval.unch_score[s]);
    return out;
}

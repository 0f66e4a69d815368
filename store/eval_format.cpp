#include "store/eval_format.h"

#include "store/eval_scanner.h"
#include "store/local_text.h"
#include "store/score_text.h"

#include <QLocale>
#include <QObject>
#include <algorithm>

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
    file_reading(const QByteArray &bytes, bool prefer_utf8)
        : decoded(local_text_decode(bytes, prefer_utf8)), in(decoded.text)
    {
        if (decoded.invalid > 0)
            report.notes << QObject::tr("有%1处无法识别的字节，已显示为“%2”")
                                .arg(decoded.invalid).arg(QChar(QChar::ReplacementCharacter));
    }

    // Notes a text longer than an evaluation takes, the field of open question q; the text is
    // kept whole.
    void text_check(const QString &text, int limit, int q, const QString &field)
    {
        // Neither encoding takes more than four bytes a character: most texts need no count.
        if (text.size() <= limit / 4 || local_text_size(text, decoded.utf8) <= limit)
            return;
        report.notes << QObject::tr("%1超过了%2字节的上限").arg(item_name(kind::unch, q, field)).arg(limit);
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

// A number as the teacher wrote it: "10", "7.5".
QString score_shown(double score)
{
    return QLocale::c().toString(score, 'g', QLocale::FloatingPointShortest);
}

// The most points a question may carry: far above any paper's, far below what would make a
// total or a rate meaningless.
constexpr double max_question_score = 10000;

// Reads one of a question's scores; the refusal when it cannot be read or is impossible.
QString paper_score_parse(eval_scanner &in, kind k, int q, const QString &field, double *score)
{
    const auto status = in.read_real(score);
    if (status != eval_scanner::status::ok)
        return paper_failure(status, item_name(k, q, field));
    if (*score >= 0 && *score <= max_question_score)
        return {};
    return QObject::tr("problem.prb中%1为%2，分数应在0到%3之间")
        .arg(item_name(k, q, field), score_shown(*score), score_shown(max_question_score));
}

// Reads questions[1..] of one choice kind: full score, partial score (multiple choice), text.
QString choice_questions_parse(eval_scanner &in, kind k, std::vector<choice_question> &questions)
{
    for (std::size_t q = 1; q < questions.size(); ++q) {
        choice_question &question = questions[q];
        QString refusal = paper_score_parse(in, k, int(q), QObject::tr("满分"), &question.full_score);
        if (!refusal.isEmpty())
            return refusal;
        // Single-choice questions have no partial score; whatever follows is skipped as text.
        if (k == kind::some) {
            refusal = paper_score_parse(in, k, int(q), QObject::tr("部分得分"), &question.part_score);
            if (!refusal.isEmpty())
                return refusal;
        }
        QString discarded;
        const auto status = in.read_marked(&discarded);
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

// Reads count numbers (answer sets or scores) into row[1..count], clearing unread[q] (when
// given) for each one read. One that cannot be read is named in *failures and passed over;
// false when the text ended, and nothing after can be read.
template <typename T>
bool numbers_parse(eval_scanner &in, kind k, int count, T *row, const QString &field, QStringList *failures,
                   unsigned char *unread, bool texts_follow)
{
    for (int q = 1; q <= count; ++q) {
        const auto status = number_read(in, &row[q]);
        if (status == eval_scanner::status::ok) {
            if (unread)
                unread[q] = 0;
            continue;
        }
        *failures << failure_text(status, item_name(k, q, field));
        if (in.at_end())
            return false;
        in.skip_item(texts_follow);
    }
    return true;
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
    file_reading file(bytes, true);
    eval->text_utf8 = file.decoded.utf8;
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
        file.report.failure = paper_score_parse(in, kind::unch, q, QObject::tr("满分"), &question.full_score);
        if (!file.report.failure.isEmpty())
            break;
        const auto status = in.read_marked(&question.text);
        if (status != eval_scanner::status::ok) {
            file.report.failure = paper_failure(status, item_name(kind::unch, q, QObject::tr("题面")));
            break;
        }
        file.text_check(question.text, max_question_text_bytes, q, QObject::tr("题面"));
    }
    return file.report;
}

file_report eval_format_read_key(const QByteArray &bytes, evaluation *eval)
{
    file_reading file(bytes, eval->text_utf8);
    file.report.failure = choice_keys_parse(file.in, kind::onech, eval->onech_questions);
    if (file.report.failure.isEmpty())
        file.report.failure = choice_keys_parse(file.in, kind::some, eval->some_questions);
    for (int q = 1; q <= eval->unch_cnt && file.report.failure.isEmpty(); ++q) {
        QString &answer = eval->unch_questions[std::size_t(q)].ref_answer;
        const auto status = file.in.read_marked(&answer);
        if (status != eval_scanner::status::ok) {
            file.report.failure = key_failure(status, item_name(kind::unch, q, QObject::tr("参考答案")));
            break;
        }
        file.text_check(answer, max_question_text_bytes, q, QObject::tr("参考答案"));
    }
    return file.report;
}

file_report eval_format_read_student(const QByteArray &bytes, evaluation *eval, int s)
{
    file_reading file(bytes, eval->text_utf8);
    eval_scanner &in = file.in;
    const QString answer = QObject::tr("答案");
    unsigned char *unread = eval->choice_unread[s];
    std::fill(unread + 1, unread + 1 + eval->onech_cnt + eval->some_cnt, 1);
    QStringList failures;
    bool more = numbers_parse(in, kind::onech, eval->onech_cnt, eval->onech_ans[s], answer, &failures, unread, true)
        && numbers_parse(in, kind::some, eval->some_cnt, eval->some_ans[s], answer, &failures,
                         unread + eval->onech_cnt, true);
    for (int q = 1; q <= eval->unch_cnt && more; ++q) {
        // A text that cannot be read runs to the end of the file.
        const auto status = in.read_marked(&eval->unch_ans[s][q]);
        if (status != eval_scanner::status::ok) {
            failures << failure_text(status, item_name(kind::unch, q, answer));
            more = false;
            break;
        }
        file.text_check(eval->unch_ans[s][q], max_answer_text_bytes, q, answer);
    }
    if (more)
        file.surplus_check();
    file.report.failure = failures.join(QObject::tr("；"));
    return file.report;
}

file_report eval_format_read_scores(const QByteArray &bytes, evaluation *eval, int s)
{
    file_reading file(bytes, eval->text_utf8);
    eval_scanner &in = file.in;
    const QString score = QObject::tr("得分");
    QStringList failures;
    const bool more = numbers_parse(in, kind::onech, eval->onech_cnt, eval->onech_score[s], score, &failures, nullptr, false)
        && numbers_parse(in, kind::some, eval->some_cnt, eval->some_score[s], score, &failures, nullptr, false)
        && numbers_parse(in, kind::unch, eval->unch_cnt, eval->unch_score[s], score, &failures, nullptr, false);
    if (more)
        file.surplus_check();
    file.report.failure = failures.join(QObject::tr("；"));
    return file.report;
}

QStringList eval_format_scores_outside(const evaluation &eval, int s)
{
    QStringList outside;
    const auto check = [&](kind k, const double *row, const auto &questions) {
        for (std::size_t q = 1; q < questions.size(); ++q) {
            const double full = questions[q].full_score;
            if (row[q] < 0 || row[q] > full)
                outside << QObject::tr("%1为%2，不在0到满分%3之间")
                               .arg(item_name(k, int(q), QObject::tr("得分")), score_shown(row[q]), score_shown(full));
        }
    };
    check(kind::onech, eval.onech_score[s], eval.onech_questions);
    check(kind::some, eval.some_score[s], eval.some_questions);
    check(kind::unch, eval.unch_score[s], eval.unch_questions);
    return outside;
}

QString eval_format_score_name(const evaluation &eval, int position)
{
    int q = position + 1;
    for (const auto &[k, count] : {std::make_pair(kind::onech, eval.onech_cnt), std::make_pair(kind::some, eval.some_cnt)}) {
        if (q <= count)
            return QObject::tr("第%1道%2").arg(q).arg(kind_name(k));
        q -= count;
    }
    return QObject::tr("第%1道%2").arg(q).arg(kind_name(kind::unch));
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

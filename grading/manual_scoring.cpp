#include "grading/manual_scoring.h"

#include <QLocale>
#include <QObject>
#include <algorithm>
#include <cmath>

int manual_scoring_step(int cursor, int delta, int count)
{
    const int moved = cursor + delta;
    return moved >= 1 && moved <= count ? moved : cursor;
}

bool manual_scoring_forward(unch_cursor &cursor, int students, int questions)
{
    if (cursor.cur_stu < students) {
        ++cursor.cur_stu;
        return true;
    }
    if (cursor.cur_pro < questions) {
        ++cursor.cur_pro;
        cursor.cur_stu = 1;
        return true;
    }
    return false;
}

bool manual_scoring_backward(unch_cursor &cursor, int students, int questions)
{
    if (cursor.cur_stu > 1) {
        --cursor.cur_stu;
        return true;
    }
    if (cursor.cur_pro > 1 && cursor.cur_pro <= questions) {
        --cursor.cur_pro;
        cursor.cur_stu = students;
        return true;
    }
    return false;
}

QString manual_scoring_refusal(double score, double full_score)
{
    if (score < 0)
        return QObject::tr("得分不能小于0分");
    if (score > std::max(0.0, std::round(full_score * 1000) / 1000))
        return QObject::tr("本题满分为%1分，得分不能超过满分")
            .arg(QLocale::c().toString(full_score, 'g', QLocale::FloatingPointShortest));
    return {};
}

QString manual_scoring_text_refusal(const QString &text, double full_score)
{
    const QString typed = text.trimmed();
    if (typed.startsWith(QLatin1Char('-')))
        return manual_scoring_refusal(-1, full_score);
    // Digits and a point only: the box refuses anything else without a word, as ever.
    const bool plain = std::all_of(typed.begin(), typed.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.');
    });
    bool number = false;
    const double score = QLocale::c().toDouble(typed, &number);
    return plain && number ? manual_scoring_refusal(score, full_score) : QString();
}

std::vector<int> manual_scoring_alike(const evaluation &eval, int s, int q)
{
    const QString answer = eval.unch_ans[s][q].trimmed();
    std::vector<int> alike;
    for (int other = 1; other <= eval.stu_cnt; ++other) {
        const QString &text = eval.unch_ans[other][q];
        // Most answers differ in length already; trimming is for those that might not.
        if (other != s && text.size() >= answer.size() && text.trimmed() == answer)
            alike.push_back(other);
    }
    return alike;
}

bool manual_scoring_next_unscored(const evaluation &eval, unch_cursor &cursor)
{
    const long answers = long(eval.stu_cnt) * eval.unch_cnt;
    const long from = long(cursor.cur_pro - 1) * eval.stu_cnt + (cursor.cur_stu - 1);
    for (long k = 0; k < answers; ++k) {
        const long at = (from + k) % answers;
        const int q = int(at / eval.stu_cnt) + 1;
        const int s = int(at % eval.stu_cnt) + 1;
        if (!eval.unch_scored[s][q]) {
            cursor = {s, q};
            return true;
        }
    }
    return false;
}

#include "grading/choice_grading.h"

#include "store/score_text.h"

#include <QObject>

double choice_score_single(answer_set answer, const choice_question &question)
{
    return answer == question.key ? question.full_score : 0;
}

double choice_score_multiple(answer_set answer, const choice_question &question)
{
    double score = 0;
    if (answer == question.key)
        score = question.full_score;
    else if ((answer | question.key) == question.key)
        score = question.part_score;
    return answer == 0 ? 0 : score;
}

int choice_progress(int s, int j, int t, int n)
{
    return ((s - 1) * t + j) * 100 / t / n;
}

void choice_log_line(QString *log, const QString &file_name, bool multiple, int q,
                      answer_set answer, answer_set key, double score)
{
    static const QString single_head = QObject::tr(" 第 ");
    static const QString single_kind = QObject::tr(" 道单选题选择了 ");
    static const QString multiple_kind = QObject::tr(" 道多选题选择了 ");
    static const QString key_head = QObject::tr("，答案是 ");
    static const QString score_head = QObject::tr(" 得分 ");
    static const QString score_tail = QObject::tr(" 分");
    *log += file_name;
    *log += single_head;
    *log += QString::number(q);
    *log += multiple ? multiple_kind : single_kind;
    *log += answer_letters(answer);
    *log += key_head;
    *log += answer_letters(key);
    *log += score_head;
    *log += score_text(score);
    *log += score_tail;
    *log += QLatin1Char('\n');
}

void choice_log_unread(QString *log, const QString &file_name, bool multiple, int q, double score)
{
    *log += QObject::tr("%1 第 %2 道%3的答案未能读取，不评分，得分保持 %4 分\n")
                .arg(file_name).arg(q).arg(multiple ? QObject::tr("多选题") : QObject::tr("单选题"), score_text(score));
}

choice_grades choice_grade_all(const evaluation &eval, const std::function<void(int)> &progress)
{
    choice_grades grades;
    grades.onech_score.reset(eval.stu_cnt, eval.onech_cnt);
    grades.some_score.reset(eval.stu_cnt, eval.some_cnt);
    const int t = eval.onech_cnt + eval.some_cnt;
    const QStringList names = evaluation_student_names(eval);
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        const QString &name = names[s];
        const unsigned char *unread = eval.choice_unread[s];
        for (int i = 1; i <= eval.onech_cnt; ++i) {
            const answer_set answer = eval.onech_ans[s][i];
            const choice_question &question = eval.onech_questions[std::size_t(i)];
            double &score = grades.onech_score[s][i];
            if (unread[i]) {
                score = eval.onech_score[s][i];
                choice_log_unread(&grades.log, name, false, i, score);
            } else {
                score = choice_score_single(answer, question);
                choice_log_line(&grades.log, name, false, i, answer, question.key, score);
            }
            progress(choice_progress(s, i, t, eval.stu_cnt));
        }
        for (int i = 1; i <= eval.some_cnt; ++i) {
            const answer_set answer = eval.some_ans[s][i];
            const choice_question &question = eval.some_questions[std::size_t(i)];
            double &score = grades.some_score[s][i];
            if (unread[eval.onech_cnt + i]) {
                score = eval.some_score[s][i];
                choice_log_unread(&grades.log, name, true, i, score);
            } else {
                score = choice_score_multiple(answer, question);
                choice_log_line(&grades.log, name, true, i, answer, question.key, score);
            }
            progress(choice_progress(s, eval.onech_cnt + i, t, eval.stu_cnt));
        }
    }
    return grades;
}

bool choice_grades_apply(evaluation &eval, choice_grades &grades)
{
    bool changed = false;
    for (int s = 1; s <= eval.stu_cnt && !changed; ++s) {
        for (int i = 1; i <= eval.onech_cnt && !changed; ++i)
            changed = grades.onech_score[s][i] != eval.onech_score[s][i];
        for (int i = 1; i <= eval.some_cnt && !changed; ++i)
            changed = grades.some_score[s][i] != eval.some_score[s][i];
    }
    eval.onech_score = std::move(grades.onech_score);
    eval.some_score = std::move(grades.some_score);
    return changed;
}

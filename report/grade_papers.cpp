#include "report/grade_papers.h"

#include <QObject>

namespace {

QString count_difference(const char *kind, int a, int b)
{
    return QObject::tr("%1的数量不同（%2道与%3道）").arg(QObject::tr(kind)).arg(a).arg(b);
}

QString choice_difference(const char *kind, const std::vector<choice_question> &a,
                          const std::vector<choice_question> &b)
{
    for (std::size_t q = 1; q < a.size() && q < b.size(); ++q) {
        const char *what = a[q].full_score != b[q].full_score   ? "分值"
                           : a[q].part_score != b[q].part_score ? "部分得分"
                           : a[q].key != b[q].key               ? "答案"
                                                                : nullptr;
        if (what)
            return QObject::tr("第%1道%2的%3不同").arg(q).arg(QObject::tr(kind), QObject::tr(what));
    }
    return {};
}

}  // namespace

QString grade_papers_difference(const evaluation &a, const evaluation &b)
{
    if (a.onech_cnt != b.onech_cnt)
        return count_difference("单选题", a.onech_cnt, b.onech_cnt);
    if (a.some_cnt != b.some_cnt)
        return count_difference("多选题", a.some_cnt, b.some_cnt);
    if (a.unch_cnt != b.unch_cnt)
        return count_difference("非选择题", a.unch_cnt, b.unch_cnt);
    QString difference = choice_difference("单选题", a.onech_questions, b.onech_questions);
    if (difference.isEmpty())
        difference = choice_difference("多选题", a.some_questions, b.some_questions);
    for (std::size_t q = 1; difference.isEmpty() && q < a.unch_questions.size() && q < b.unch_questions.size(); ++q) {
        if (a.unch_questions[q].full_score != b.unch_questions[q].full_score)
            difference = QObject::tr("第%1道非选择题的分值不同").arg(q);
    }
    return difference;
}

QStringList grade_papers_text_differences(const evaluation &a, const evaluation &b)
{
    QStringList differing;
    for (std::size_t q = 1; q < a.unch_questions.size() && q < b.unch_questions.size(); ++q) {
        if (a.unch_questions[q].text != b.unch_questions[q].text)
            differing << QObject::tr("第%1道非选择题的题目").arg(q);
        if (a.unch_questions[q].ref_answer != b.unch_questions[q].ref_answer)
            differing << QObject::tr("第%1道非选择题的参考答案").arg(q);
    }
    return differing;
}

int grade_papers_reference(const std::vector<grade_class> &classes)
{
    int reference = -1;
    int most = 0;
    for (std::size_t c = 0; c < classes.size(); ++c) {
        int sharing = 0;
        for (const grade_class &other : classes)
            sharing += grade_papers_difference(classes[c].eval, other.eval).isEmpty();
        if (sharing > most) {
            most = sharing;
            reference = int(c);
        }
    }
    return reference;
}

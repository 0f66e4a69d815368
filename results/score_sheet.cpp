#include "results/score_sheet.h"

#include "store/local_text.h"
#include "store/score_text.h"

#include <QObject>

namespace {

void add_scores(score_sheet_row &row, int count, const double *scores)
{
    for (int k = 1; k <= count; ++k) {
        row.scores.push_back(scores[k]);
        row.total += scores[k];
    }
}

void add_headers(QStringList &labels, const QString &kind, int count)
{
    for (int k = 1; k <= count; ++k)
        labels << kind.arg(k);
}

}  // namespace

QStringList score_sheet_headers(const evaluation &eval)
{
    QStringList labels{QObject::tr("学生文件名"), QObject::tr("总分")};
    add_headers(labels, QObject::tr("单选题%1"), eval.onech_cnt);
    add_headers(labels, QObject::tr("多选题%1"), eval.some_cnt);
    add_headers(labels, QObject::tr("非选择题%1"), eval.unch_cnt);
    return labels;
}

score_sheet_row score_sheet_row_make(const evaluation &eval, int s, const QString &name)
{
    score_sheet_row row;
    row.name = name;
    row.scores.reserve(std::size_t(qMax(0, eval.onech_cnt) + qMax(0, eval.some_cnt) + qMax(0, eval.unch_cnt)));
    add_scores(row, eval.onech_cnt, eval.onech_score[s]);
    add_scores(row, eval.some_cnt, eval.some_score[s]);
    add_scores(row, eval.unch_cnt, eval.unch_score[s]);
    return row;
}

score_sheet score_sheet_make(const evaluation &eval)
{
    score_sheet sheet;
    sheet.rows.reserve(std::size_t(qMax(0, eval.stu_cnt)));
    const QStringList names = evaluation_student_names(eval);
    for (int s = 1; s <= eval.stu_cnt; ++s)
        sheet.rows.push_back(score_sheet_row_make(eval, s, names[s]));
    return sheet;
}

std::vector<double> score_sheet_totals(const score_sheet &sheet)
{
    std::vector<double> totals;
    totals.reserve(sheet.rows.size());
    for (const score_sheet_row &row : sheet.rows)
        totals.push_back(score_text_shown(row.total));
    return totals;
}

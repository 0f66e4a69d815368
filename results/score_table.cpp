#include "results/score_table.h"

#include "store/eval_tables.h"
#include "store/local_text.h"
#include "store/score_text.h"

#include <QObject>
#include <QTableWidget>

namespace {

void add_scores(QStringList &row, double *total, int count, const double *scores)
{
    for (int k = 1; k <= count; ++k) {
        row << score_text(scores[k]);
        *total += scores[k];
    }
}

void add_headers(QStringList &labels, const QString &kind, int count)
{
    for (int k = 1; k <= count; ++k)
        labels << kind.arg(k);
}

}  // namespace

QStringList score_table_headers()
{
    QStringList labels{QObject::tr("学生文件名"), QObject::tr("总分")};
    add_headers(labels, QObject::tr("单选题%1"), onech_cnt);
    add_headers(labels, QObject::tr("多选题%1"), some_cnt);
    add_headers(labels, QObject::tr("非选择题%1"), unch_cnt);
    return labels;
}

void score_table_shape(QTableWidget *table)
{
    table->clearContents();
    table->setRowCount(stu_cnt);
    const QStringList labels = score_table_headers();
    table->setColumnCount(labels.size());
    table->setHorizontalHeaderLabels(labels);
}

QStringList score_table_row(int s)
{
    QStringList row{local_text_decode(stu_file[s]), QString()};
    row.reserve(2 + qMax(0, onech_cnt) + qMax(0, some_cnt) + qMax(0, unch_cnt));
    double total = 0.0;
    add_scores(row, &total, onech_cnt, onech_score[s]);
    add_scores(row, &total, some_cnt, some_score[s]);
    add_scores(row, &total, unch_cnt, unch_score[s]);
    row[1] = score_text(total);
    return row;
}

void score_table_fill(QTableWidget *table)
{
    for (int s = 1; s <= stu_cnt; ++s) {
        const int r = s - 1;
        const QStringList row = score_table_row(s);
        for (int c = 0; c < row.size(); ++c) {
            if (QTableWidgetItem *item = table->item(r, c))
                item->setText(row[c]);
            else
                table->setItem(r, c, new QTableWidgetItem(row[c]));
        }
    }
}

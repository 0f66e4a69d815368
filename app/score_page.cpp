#include "app/score_page.h"

#include "results/score_export.h"
#include "store/score_text.h"
#include "ui/dialogs.h"

#include <QDir>
#include <QFile>
#include <QObject>
#include <QTableWidget>

namespace {

void cell_set(QTableWidget *table, int r, int c, const QString &text)
{
    if (QTableWidgetItem *item = table->item(r, c))
        item->setText(text);
    else
        table->setItem(r, c, new QTableWidgetItem(text));
}

}  // namespace

void score_page_shape(QTableWidget *table, const evaluation &eval)
{
    table->clearContents();
    table->setRowCount(eval.stu_cnt);
    const QStringList labels = score_sheet_headers(eval);
    table->setColumnCount(labels.size());
    table->setHorizontalHeaderLabels(labels);
}

void score_page_fill(QTableWidget *table, const score_sheet &sheet)
{
    for (std::size_t s = 0; s < sheet.rows.size(); ++s) {
        const int r = int(s);
        const score_sheet_row &row = sheet.rows[s];
        cell_set(table, r, 0, row.name);
        cell_set(table, r, 1, score_text(row.total));
        for (std::size_t k = 0; k < row.scores.size(); ++k)
            cell_set(table, r, int(k) + 2, score_text(row.scores[k]));
    }
}

void score_page_clear(QTableWidget *table)
{
    table->clear();
    table->setRowCount(0);
    table->setColumnCount(0);
}

void score_page_export(QWidget *parent, const window_state &state, int rows)
{
    const QString chosen = dialog_save_file(parent, QObject::tr("指定导出成绩表格文件"), QStringLiteral("."),
                                            QObject::tr("Excel(*.xls *.xlsx)"));
    if (chosen.isEmpty())
        return;
    const QString name = export_file_name(chosen);
    const workbook_sheet sheet =
        score_workbook_sheet(score_sheet_headers(state.eval), rows, state.table ? &*state.table : nullptr);
    const QString failure = workbook_save(QFile::encodeName(name), sheet);
    if (!failure.isEmpty())
        dialog_message(QObject::tr("成绩表格未能导出到%1：\n%2").arg(QDir::toNativeSeparators(name), failure));
}

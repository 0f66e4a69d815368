#include "app/score_page.h"

#include "results/score_export.h"
#include "store/local_text.h"
#include "store/score_text.h"
#include "ui/dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

void score_page_fill(QTableWidget *table, window_state &state)
{
    state.table = score_sheet_make(state.eval);
    state.table_current = true;
    const score_sheet &sheet = *state.table;
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

void score_page_export(QWidget *parent, QTableWidget *table, window_state &state)
{
    const QString chosen = dialog_save_file(parent, QObject::tr("指定导出成绩表格文件"), QStringLiteral("."),
                                            QObject::tr("Excel(*.xls *.xlsx)"));
    if (chosen.isEmpty())
        return;
    const QString name = export_file_name(chosen);
    // The dialog asked about the name as typed; the extension makes it another file. The
    // question is the dialog's own, in its words.
    if (name != chosen && QFileInfo::exists(name)
        && !dialog_yes_no(QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?")
                              .arg(local_name_visible(QFileInfo(name).fileName()))))
        return;
    if (!state.table_current)
        score_page_fill(table, state);
    const QString failure = workbook_save(QFile::encodeName(name), score_workbook_make(state.eval, *state.table));
    if (!failure.isEmpty())
        dialog_message(QObject::tr("成绩表格未能导出到%1：\n%2").arg(local_name_visible(QDir::toNativeSeparators(name)), failure));
}

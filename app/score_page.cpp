#include "app/score_page.h"

#include "app/export_dialog.h"
#include "results/score_export.h"
#include "results/workbook_file.h"
#include "store/file_name.h"
#include "store/local_text.h"
#include "store/score_text.h"
#include "ui/dialogs.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
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

score_page::score_page(const score_page_widgets &widgets, dialogs &dialogs)
    : m_widgets(widgets), m_dialogs(dialogs)
{
    // The table changes only through open, close and the statistics.
    widgets.score_show->setSortingEnabled(false);
    widgets.score_show->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void score_page::show(const evaluation &eval)
{
    m_sheet.reset();
    m_current = false;
    QTableWidget *table = m_widgets.score_show;
    table->clearContents();
    table->setRowCount(eval.stu_cnt);
    const QStringList labels = score_sheet_headers(eval);
    table->setColumnCount(labels.size());
    table->setHorizontalHeaderLabels(labels);
    for (QWidget *widget : std::initializer_list<QWidget *>{m_widgets.servey, table, m_widgets.out_file})
        widget->setEnabled(true);
}

void score_page::reset()
{
    m_sheet.reset();
    m_current = false;
    QTableWidget *table = m_widgets.score_show;
    for (QWidget *widget : std::initializer_list<QWidget *>{m_widgets.servey, table, m_widgets.out_file})
        widget->setEnabled(false);
    table->clear();
    table->setRowCount(0);
    table->setColumnCount(0);
}

void score_page::fill(const evaluation &eval)
{
    m_sheet = score_sheet_make(eval);
    m_current = true;
    QTableWidget *table = m_widgets.score_show;
    for (std::size_t s = 0; s < m_sheet->rows.size(); ++s) {
        const int r = int(s);
        const score_sheet_row &row = m_sheet->rows[s];
        cell_set(table, r, 0, row.name);
        cell_set(table, r, 1, score_text(row.total));
        for (std::size_t k = 0; k < row.scores.size(); ++k)
            cell_set(table, r, int(k) + 2, score_text(row.scores[k]));
    }
}

void score_page::refresh(const evaluation &eval)
{
    if (m_sheet)
        fill(eval);
}

void score_page::export_table(const evaluation &eval)
{
    const QString chosen =
        m_dialogs.save_file_choose(QObject::tr("指定导出成绩表格文件"), export_dialog_folder(), export_dialog_filter());
    if (chosen.isEmpty())
        return;
    const QString name = workbook_file_name(chosen, true);
    // The dialog asked about the name as typed; the extension makes it another file. The
    // question is the dialog's own, in its words.
    if (name != chosen && QFileInfo::exists(name)
        && !m_dialogs.yes_no(QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?")
                                 .arg(local_text_visible(QFileInfo(name).fileName()))))
        return;
    if (!m_current)
        fill(eval);
    const QString failure = workbook_file_save(file_name_encode(name), score_export_workbook(eval, *m_sheet, QDate::currentDate()));
    if (!failure.isEmpty())
        m_dialogs.message(
            QObject::tr("成绩表格未能导出到%1：\n%2").arg(local_text_visible(QDir::toNativeSeparators(name)), failure));
}

#include "store/eval_lifecycle.h"

#include "grading/manual_scoring.h"
#include "results/score_table.h"
#include "store/eval_load.h"
#include "store/eval_save.h"
#include "store/eval_tables.h"
#include "store/file_io.h"
#include "store/score_text.h"
#include "ui/dialogs.h"
#include "ui_lumo_test.h"

#include <QFile>
#include <QObject>

namespace {

// The controls that exist only while an evaluation is open.
void evaluation_controls_set_enabled(Ui_lumo_test *ui, bool enabled)
{
    for (QWidget *widget : std::initializer_list<QWidget *>{ui->close_paper, ui->save_paper, ui->servey,
                                                            ui->score_show, ui->out_file})
        widget->setEnabled(enabled);
}

void choice_controls_set_enabled(Ui_lumo_test *ui, bool enabled)
{
    ui->test_ch->setEnabled(enabled);
    ui->ch_ifm_show->setEnabled(enabled);
}

}  // namespace

void eval_new()
{
    const QString folder = dialog_folder(QObject::tr("指定新建答卷所在的文件夹"));
    if (folder.isEmpty())
        return;
    const QByteArray base = QFile::encodeName(folder);
    QStringList failures;
    for (const char *sub : {"/st", "/sc"}) {
        const QString failure = dir_make(base + sub);
        if (!failure.isEmpty())
            failures << QObject::tr("%1：%2").arg(QFile::decodeName(base + sub), failure);
    }
    if (!failures.isEmpty())
        dialog_message(QObject::tr("无法创建下列文件夹：\n%1").arg(failures.join(QLatin1Char('\n'))));
}

void eval_open(Ui_lumo_test *ui)
{
    const QString folder = dialog_folder(QObject::tr("指定打开答卷的所在文件夹"));
    if (folder.isEmpty())
        return;
    const eval_load_result result = eval_load(QFile::encodeName(folder));
    if (!result.refusal.isEmpty()) {
        dialog_message(result.refusal);
        return;
    }

    score_table_shape(ui->score_show);
    ui->onech_num->setText(QString::number(onech_cnt));
    ui->some_num->setText(QString::number(some_cnt));
    ui->notch_num->setText(QString::number(unch_cnt));
    ui->stu_num->setText(QString::number(stu_cnt));
    ui->score_total->setText(score_text(result.total));
    evaluation_controls_set_enabled(ui, true);
    if (onech_cnt + some_cnt > 0)
        choice_controls_set_enabled(ui, true);
    // Over an evaluation whose scoring page was in use, a paper without non-choice
    // questions must not leave that page pointing at the earlier evaluation.
    if (unch_cnt > 0)
        unch_page_start(ui);
    else
        unch_page_reset(ui);

    if (!result.incomplete.isEmpty())
        dialog_message(eval_incomplete_message(result.incomplete));
}

void eval_save()
{
    const QStringList failures = write_scores();
    if (!failures.isEmpty())
        dialog_message(eval_save_failure_message(failures));
}

void eval_close(Ui_lumo_test *ui)
{
    if (!dialog_confirm(QObject::tr("您确定要关闭此评测吗？请确认是否保存评测。\n"
                                    "（点击“保存评测按钮”，若不想保存评测，忽略此操作）")))
        return;
    for (QLabel *label : {ui->onech_num, ui->some_num, ui->notch_num, ui->stu_num, ui->score_total})
        label->setText(QObject::tr("未打开评测"));
    evaluation_controls_set_enabled(ui, false);
    choice_controls_set_enabled(ui, false);
    unch_page_reset(ui);
    ui->jingdu->setValue(0);
    ui->pingce->setText(QObject::tr("未进行操作"));
    ui->ch_ifm_show->clear();
    ui->score_show->clear();
    ui->score_show->setRowCount(0);
    ui->score_show->setColumnCount(0);
}

#include "app/lifecycle.h"

#include "app/score_page.h"
#include "app/unch_page.h"
#include "store/eval_new.h"
#include "store/eval_open.h"
#include "store/eval_save.h"
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

void lifecycle_new()
{
    const QString folder = dialog_folder(QObject::tr("指定新建答卷所在的文件夹"));
    if (folder.isEmpty())
        return;
    const QString failure = eval_new(QFile::encodeName(folder));
    if (!failure.isEmpty())
        dialog_message(failure);
}

void lifecycle_open(Ui_lumo_test *ui, window_state &state)
{
    const QString folder = dialog_folder(QObject::tr("指定打开答卷的所在文件夹"));
    if (folder.isEmpty())
        return;
    eval_open_result result = eval_open(QFile::encodeName(folder));
    if (!result.refusal.isEmpty()) {
        dialog_message(result.refusal);
        return;
    }
    state.eval = std::move(result.eval);
    const evaluation &eval = state.eval;

    state.table.reset();
    score_page_shape(ui->score_show, eval);
    ui->onech_num->setText(QString::number(eval.onech_cnt));
    ui->some_num->setText(QString::number(eval.some_cnt));
    ui->notch_num->setText(QString::number(eval.unch_cnt));
    ui->stu_num->setText(QString::number(eval.stu_cnt));
    ui->score_total->setText(score_text(evaluation_total(eval)));
    evaluation_controls_set_enabled(ui, true);
    if (eval.onech_cnt + eval.some_cnt > 0)
        choice_controls_set_enabled(ui, true);
    // Over an evaluation whose scoring page was in use, a paper without non-choice
    // questions must not leave that page pointing at the earlier evaluation.
    if (eval.unch_cnt > 0)
        unch_page_start(ui, eval, state.cursor);
    else
        unch_page_reset(ui, state.cursor);

    if (!result.incomplete.isEmpty())
        dialog_message(eval_incomplete_message(result.incomplete));
}

void lifecycle_save(const evaluation &eval)
{
    const QStringList failures = write_scores(eval);
    if (!failures.isEmpty())
        dialog_message(eval_save_failure_message(failures));
}

void lifecycle_close(Ui_lumo_test *ui, window_state &state)
{
    if (!dialog_confirm(QObject::tr("您确定要关闭此评测吗？请确认是否保存评测。\n"
                                    "（点击“保存评测按钮”，若不想保存评测，忽略此操作）")))
        return;
    for (QLabel *label : {ui->onech_num, ui->some_num, ui->notch_num, ui->stu_num, ui->score_total})
        label->setText(QObject::tr("未打开评测"));
    evaluation_controls_set_enabled(ui, false);
    choice_controls_set_enabled(ui, false);
    unch_page_reset(ui, state.cursor);
    ui->jingdu->setValue(0);
    ui->pingce->setText(QObject::tr("未进行操作"));
    ui->ch_ifm_show->clear();
    state.table.reset();
    score_page_clear(ui->score_show);
}

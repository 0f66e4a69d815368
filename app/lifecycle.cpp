#include "app/lifecycle.h"

#include "app/choice_page.h"
#include "app/score_page.h"
#include "app/unch_page.h"
#include "store/eval_lock.h"
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

QByteArray folder_of(const evaluation &eval)
{
    return eval.st_path.left(eval.st_path.size() - int(sizeof "/st/" - 1));
}

// True when the work may be replaced: nothing unsaved, saved, or discarded by the teacher.
bool unsaved_settle(Ui_lumo_test *ui, window_state &state)
{
    if (!unch_typed_store(ui, state))
        return false;
    if (!state.unsaved)
        return true;
    switch (dialog_ask_save(QObject::tr("当前评测有尚未保存的成绩，是否先保存？"))) {
    case save_answer::save: return lifecycle_save(ui, state);
    case save_answer::discard: return true;
    case save_answer::cancel: break;
    }
    return false;
}

// True when no other program has the folder open, or the teacher opens it all the same.
bool lock_settle(const QByteArray &folder)
{
    const qint64 holder = eval_lock_holder(folder);
    return holder == 0
        || dialog_confirm(QObject::tr("此评测已在另一个窗口中打开（进程号%1）。两处同时评分并保存，"
                                      "会互相覆盖成绩。是否仍要打开？")
                              .arg(holder));
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
    const QByteArray path = QFile::encodeName(folder);
    eval_open_result result = eval_open(path);
    if (!result.refusal.isEmpty()) {
        dialog_message(result.refusal);
        return;
    }
    if (!lock_settle(path) || !unsaved_settle(ui, state))
        return;
    lifecycle_unlock(state.eval);
    eval_lock_take(path);   // a folder the teacher may not write to opens all the same
    state.eval = std::move(result.eval);
    state.unsaved = false;
    const evaluation &eval = state.eval;

    state.table.reset();
    state.table_current = false;
    score_page_shape(ui->score_show, eval);
    ui->onech_num->setText(QString::number(eval.onech_cnt));
    ui->some_num->setText(QString::number(eval.some_cnt));
    ui->notch_num->setText(QString::number(eval.unch_cnt));
    ui->stu_num->setText(QString::number(eval.stu_cnt));
    ui->score_total->setText(score_text(evaluation_total(eval)));
    evaluation_controls_set_enabled(ui, true);
    // The choice page shows nothing of an earlier evaluation's grading.
    choice_page_reset(ui);
    if (eval.onech_cnt + eval.some_cnt > 0)
        choice_controls_set_enabled(ui, true);
    // Over an evaluation whose scoring page was in use, a paper without non-choice
    // questions must not leave that page pointing at the earlier evaluation.
    if (eval.unch_cnt > 0)
        unch_page_start(ui, state);
    else
        unch_page_reset(ui, state);

    if (!result.problems.isEmpty())
        dialog_message(eval_problems_message(result.problems));
}

bool lifecycle_save(Ui_lumo_test *ui, window_state &state)
{
    if (!unch_typed_store(ui, state))
        return false;
    const QStringList changed = scores_changed(state.eval);
    if (!changed.isEmpty() && !dialog_confirm(eval_save_changed_question(changed)))
        return false;
    const save_report report = write_scores(state.eval);
    if (!report.backups.isEmpty())
        dialog_message(eval_save_backup_message(report.backups));
    if (!report.failures.isEmpty()) {
        dialog_message(eval_save_failure_message(report.failures));
        return false;
    }
    state.unsaved = false;
    return true;
}

void lifecycle_close(Ui_lumo_test *ui, window_state &state)
{
    if (!dialog_confirm(QObject::tr("您确定要关闭此评测吗？请确认是否保存评测。\n"
                                    "（点击“保存评测按钮”，若不想保存评测，忽略此操作）")))
        return;
    lifecycle_unlock(state.eval);
    state.unsaved = false;
    for (QLabel *label : {ui->onech_num, ui->some_num, ui->notch_num, ui->stu_num, ui->score_total})
        label->setText(QObject::tr("未打开评测"));
    evaluation_controls_set_enabled(ui, false);
    choice_controls_set_enabled(ui, false);
    unch_page_reset(ui, state);
    choice_page_reset(ui);
    state.table.reset();
    score_page_clear(ui->score_show);
}

bool lifecycle_quit(Ui_lumo_test *ui, window_state &state)
{
    if (!unsaved_settle(ui, state))
        return false;
    lifecycle_unlock(state.eval);
    return true;
}

void lifecycle_unlock(const evaluation &eval)
{
    if (!eval.st_path.isEmpty())
        eval_lock_release(folder_of(eval));
}

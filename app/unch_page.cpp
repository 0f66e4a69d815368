#include "app/unch_page.h"

#include "grading/manual_scoring.h"
#include "ui/dialogs.h"
#include "ui_lumo_test.h"

#include <algorithm>

void show_unch_item(Ui_lumo_test *ui, window_state &state)
{
    const evaluation &eval = state.eval;
    const unch_cursor &cursor = state.cursor;
    const unch_question &question = eval.unch_questions[std::size_t(cursor.cur_pro)];
    ui->pro_now->display(cursor.cur_pro);
    ui->stu_now->display(cursor.cur_stu);
    ui->pro_tot->display(eval.unch_cnt);
    ui->stu_tot->display(eval.stu_cnt);
    ui->pro_score->display(question.full_score);
    // The box takes more than the question allows, so that a mistyped 12 on a 10-point
    // question can be refused as 12 instead of being cut to 1 while it is typed.
    const double limit = std::max(100.0, 10 * question.full_score);
    ui->unch_score_in->setRange(-limit, limit);
    ui->unch_score_in->setValue(std::clamp(eval.unch_score[cursor.cur_stu][cursor.cur_pro], 0.0,
                                           std::max(0.0, question.full_score)));
    state.unch_shown = ui->unch_score_in->value();
    ui->unch_pro->setText(question.text);
    ui->pro_ans->setText(question.ref_answer);
    // Students type their answers: show them exactly as written, never as markup.
    ui->stu_ans->setPlainText(eval.unch_ans[cursor.cur_stu][cursor.cur_pro]);
}

bool unch_store(Ui_lumo_test *ui, window_state &state)
{
    ui->unch_score_in->interpretText();
    const double entered = ui->unch_score_in->value();
    const QString refusal = unch_score_refusal(entered, state.eval.unch_questions[std::size_t(state.cursor.cur_pro)].full_score);
    if (!refusal.isEmpty()) {
        dialog_message(refusal);
        ui->unch_score_in->selectAll();
        return false;
    }
    double &stored = state.eval.unch_score[state.cursor.cur_stu][state.cursor.cur_pro];
    if (stored != entered)
        state.scores_change();
    stored = entered;
    state.unch_shown = entered;
    return true;
}

bool unch_typed_store(Ui_lumo_test *ui, window_state &state)
{
    if (state.cursor.cur_stu < 1 || state.cursor.cur_pro < 1)
        return true;
    ui->unch_score_in->interpretText();
    return ui->unch_score_in->value() == state.unch_shown || unch_store(ui, state);
}

void unch_navigate(Ui_lumo_test *ui, window_state &state, int *moving, int delta, int count)
{
    if (!unch_store(ui, state))
        return;
    const int moved = cursor_step(*moving, delta, count);
    if (moved != *moving) {
        *moving = moved;
        show_unch_item(ui, state);
    }
}

namespace {

void unch_page_set_enabled(Ui_lumo_test *ui, bool enabled)
{
    const std::initializer_list<QWidget *> page = {ui->last_pro, ui->next_pro, ui->last_stu, ui->next_stu,
                                                   ui->save_score, ui->unch_pro, ui->pro_ans, ui->stu_ans,
                                                   ui->unch_score_in};
    for (QWidget *widget : page)
        widget->setEnabled(enabled);
}

}  // namespace

void unch_page_start(Ui_lumo_test *ui, window_state &state)
{
    state.cursor.cur_pro = 1;
    state.cursor.cur_stu = 1;
    unch_page_set_enabled(ui, true);
    show_unch_item(ui, state);
}

void unch_page_reset(Ui_lumo_test *ui, window_state &state)
{
    state.cursor = unch_cursor();
    unch_page_set_enabled(ui, false);
    for (QLCDNumber *number : {ui->pro_now, ui->stu_now, ui->pro_tot, ui->stu_tot, ui->pro_score})
        number->display(0);
    ui->unch_score_in->setValue(0);
    ui->unch_pro->clear();
    ui->pro_ans->clear();
    ui->stu_ans->clear();
}

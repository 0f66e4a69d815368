#include "grading/manual_scoring.h"

#include "store/eval_tables.h"
#include "ui_lumo_test.h"

int cursor_step(int cursor, int delta, int count)
{
    const int moved = cursor + delta;
    return moved >= 1 && moved <= count ? moved : cursor;
}

void show_unch_item(Ui_lumo_test *ui)
{
    const unch_question &question = unch_questions[cur_pro];
    ui->pro_now->display(cur_pro);
    ui->stu_now->display(cur_stu);
    ui->pro_tot->display(unch_cnt);
    ui->stu_tot->display(stu_cnt);
    ui->pro_score->display(question.full_score);
    ui->unch_score_in->setRange(0, question.full_score);
    ui->unch_score_in->setValue(unch_score[cur_stu][cur_pro]);
    ui->unch_pro->setText(question.text);
    ui->pro_ans->setText(question.ref_answer);
    // Students type their answers: show them exactly as written, never as markup.
    ui->stu_ans->setPlainText(unch_ans[cur_stu][cur_pro]);
}

void unch_store(Ui_lumo_test *ui)
{
    unch_score[cur_stu][cur_pro] = ui->unch_score_in->value();
}

void unch_navigate(Ui_lumo_test *ui, int *cursor, int delta, int count)
{
    unch_store(ui);
    const int moved = cursor_step(*cursor, delta, count);
    if (moved == *cursor)
        return;
    *cursor = moved;
    show_unch_item(ui);
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

void unch_page_start(Ui_lumo_test *ui)
{
    cur_pro = 1;
    cur_stu = 1;
    unch_page_set_enabled(ui, true);
    show_unch_item(ui);
}

void unch_page_reset(Ui_lumo_test *ui)
{
    cur_pro = 0;
    cur_stu = 0;
    unch_page_set_enabled(ui, false);
    for (QLCDNumber *number : {ui->pro_now, ui->stu_now, ui->pro_tot, ui->stu_tot, ui->pro_score})
        number->display(0);
    ui->unch_score_in->setValue(0);
    ui->unch_pro->clear();
    ui->pro_ans->clear();
    ui->stu_ans->clear();
}

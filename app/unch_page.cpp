#include "app/unch_page.h"

#include "grading/manual_scoring.h"
#include "ui_lumo_test.h"

void show_unch_item(Ui_lumo_test *ui, const evaluation &eval, const unch_cursor &cursor)
{
    const unch_question &question = eval.unch_questions[std::size_t(cursor.cur_pro)];
    ui->pro_now->display(cursor.cur_pro);
    ui->stu_now->display(cursor.cur_stu);
    ui->pro_tot->display(eval.unch_cnt);
    ui->stu_tot->display(eval.stu_cnt);
    ui->pro_score->display(question.full_score);
    ui->unch_score_in->setRange(0, question.full_score);
    ui->unch_score_in->setValue(eval.unch_score[cursor.cur_stu][cursor.cur_pro]);
    ui->unch_pro->setText(question.text);
    ui->pro_ans->setText(question.ref_answer);
    // Students type their answers: show them exactly as written, never as markup.
    ui->stu_ans->setPlainText(eval.unch_ans[cursor.cur_stu][cursor.cur_pro]);
}

void unch_store(Ui_lumo_test *ui, evaluation &eval, const unch_cursor &cursor)
{
    eval.unch_score[cursor.cur_stu][cursor.cur_pro] = ui->unch_score_in->value();
}

void unch_navigate(Ui_lumo_test *ui, evaluation &eval, unch_cursor &cursor, int *moving, int delta,
                   int count)
{
    unch_store(ui, eval, cursor);
    const int moved = cursor_step(*moving, delta, count);
    if (moved == *moving)
        return;
    *moving = moved;
    show_unch_item(ui, eval, cursor);
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

void unch_page_start(Ui_lumo_test *ui, const evaluation &eval, unch_cursor &cursor)
{
    cursor.cur_pro = 1;
    cursor.cur_stu = 1;
    unch_page_set_enabled(ui, true);
    show_unch_item(ui, eval, cursor);
}

void unch_page_reset(Ui_lumo_test *ui, unch_cursor &cursor)
{
    cursor = unch_cursor();
    unch_page_set_enabled(ui, false);
    for (QLCDNumber *number : {ui->pro_now, ui->stu_now, ui->pro_tot, ui->stu_tot, ui->pro_score})
        number->display(0);
    ui->unch_score_in->setValue(0);
    ui->unch_pro->clear();
    ui->pro_ans->clear();
    ui->stu_ans->clear();
}

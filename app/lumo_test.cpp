#include "app/lumo_test.h"

#include "app/choice_page.h"
#include "app/lifecycle.h"
#include "app/log_follow.h"
#include "app/score_keys.h"
#include "app/score_page.h"
#include "app/unch_page.h"
#include "ui_lumo_test.h"

#include <QCloseEvent>

lumo_test::lumo_test(QWidget *parent)
    : QMainWindow(parent), ui(new Ui_lumo_test)
{
    // The icon lives in a static library, which nothing else pulls it out of.
    Q_INIT_RESOURCE(lumo_test);
    ui->setupUi(this);
    // The table changes only through open, close and the statistics.
    ui->score_show->setSortingEnabled(false);
    ui->score_show->setEditTriggers(QAbstractItemView::NoEditTriggers);
    new score_keys(ui->unch_score_in, ui->next_stu, ui->last_stu, ui->next_pro, ui->last_pro);
    new log_follow(ui->ch_ifm_show);
}

lumo_test::~lumo_test()
{
    lifecycle_unlock(m_state.eval);
    delete ui;
}

void lumo_test::closeEvent(QCloseEvent *event)
{
    if (lifecycle_quit(ui, m_state))
        QMainWindow::closeEvent(event);
    else
        event->ignore();
}

void lumo_test::on_new_paper_clicked()
{
    lifecycle_new();
}

void lumo_test::on_open_paper_clicked()
{
    lifecycle_open(ui, m_state);
}

void lumo_test::on_test_ch_clicked()
{
    if (choice_page_run(ui, m_state.eval))
        m_state.scores_change();
}

void lumo_test::on_save_score_clicked()
{
    unch_store(ui, m_state);
}

void lumo_test::on_last_stu_clicked()
{
    unch_navigate(ui, m_state, &m_state.cursor.cur_stu, -1, m_state.eval.stu_cnt);
}

void lumo_test::on_next_stu_clicked()
{
    unch_navigate(ui, m_state, &m_state.cursor.cur_stu, +1, m_state.eval.stu_cnt);
}

void lumo_test::on_last_pro_clicked()
{
    unch_navigate(ui, m_state, &m_state.cursor.cur_pro, -1, m_state.eval.unch_cnt);
}

void lumo_test::on_next_pro_clicked()
{
    unch_navigate(ui, m_state, &m_state.cursor.cur_pro, +1, m_state.eval.unch_cnt);
}

void lumo_test::on_servey_clicked()
{
    if (!unch_typed_store(ui, m_state))
        return;
    score_page_fill(ui->score_show, m_state);
}

void lumo_test::on_save_paper_clicked()
{
    lifecycle_save(ui, m_state);
}

void lumo_test::on_close_paper_clicked()
{
    lifecycle_close(ui, m_state);
}

void lumo_test::on_out_file_clicked()
{
    if (!unch_typed_store(ui, m_state))
        return;
    score_page_export(this, ui->score_show, m_state);
}

#include "app/lumo_test.h"

#include "app/choice_page.h"
#include "app/lifecycle.h"
#include "app/score_page.h"
#include "app/unch_page.h"
#include "ui_lumo_test.h"

lumo_test::lumo_test(QWidget *parent)
    : QMainWindow(parent), ui(new Ui_lumo_test)
{
    // The icon lives in a static library, which nothing else pulls it out of.
    Q_INIT_RESOURCE(lumo_test);
    ui->setupUi(this);
    // The table changes only through open, close and the statistics.
    ui->score_show->setSortingEnabled(false);
    ui->score_show->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

lumo_test::~lumo_test()
{
    delete ui;
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
    choice_page_run(ui, m_state.eval);
}

void lumo_test::on_save_score_clicked()
{
    unch_store(ui, m_state.eval, m_state.cursor);
}

void lumo_test::on_last_stu_clicked()
{
    unch_navigate(ui, m_state.eval, m_state.cursor, &m_state.cursor.cur_stu, -1, m_state.eval.stu_cnt);
}

void lumo_test::on_next_stu_clicked()
{
    unch_navigate(ui, m_state.eval, m_state.cursor, &m_state.cursor.cur_stu, +1, m_state.eval.stu_cnt);
}

void lumo_test::on_last_pro_clicked()
{
    unch_navigate(ui, m_state.eval, m_state.cursor, &m_state.cursor.cur_pro, -1, m_state.eval.unch_cnt);
}

void lumo_test::on_next_pro_clicked()
{
    unch_navigate(ui, m_state.eval, m_state.cursor, &m_state.cursor.cur_pro, +1, m_state.eval.unch_cnt);
}

void lumo_test::on_servey_clicked()
{
    m_state.table = score_sheet_make(m_state.eval);
    score_page_fill(ui->score_show, *m_state.table);
}

void lumo_test::on_save_paper_clicked()
{
    lifecycle_save(m_state.eval);
}

void lumo_test::on_close_paper_clicked()
{
    lifecycle_close(ui, m_state);
}

void lumo_test::on_out_file_clicked()
{
    score_page_export(this, m_state, ui->score_show->rowCount());
}

#include "app/lumo_test.h"

#include "grading/choice_grading.h"
#include "grading/manual_scoring.h"
#include "results/score_export.h"
#include "results/score_table.h"
#include "store/eval_lifecycle.h"
#include "store/eval_tables.h"
#include "ui_lumo_test.h"

lumo_test::lumo_test(QWidget *parent)
    : QMainWindow(parent), ui(new Ui_lumo_test)
{
    // The icon lives in the static library, which nothing else pulls it out of.
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
    eval_new();
}

void lumo_test::on_open_paper_clicked()
{
    eval_open(ui);
}

void lumo_test::on_test_ch_clicked()
{
    choice_grading_run(ui);
}

void lumo_test::on_save_score_clicked()
{
    unch_store(ui);
}

void lumo_test::on_last_stu_clicked()
{
    unch_navigate(ui, &cur_stu, -1, stu_cnt);
}

void lumo_test::on_next_stu_clicked()
{
    unch_navigate(ui, &cur_stu, +1, stu_cnt);
}

void lumo_test::on_last_pro_clicked()
{
    unch_navigate(ui, &cur_pro, -1, unch_cnt);
}

void lumo_test::on_next_pro_clicked()
{
    unch_navigate(ui, &cur_pro, +1, unch_cnt);
}

void lumo_test::on_servey_clicked()
{
    score_table_fill(ui->score_show);
}

void lumo_test::on_save_paper_clicked()
{
    eval_save();
}

void lumo_test::on_close_paper_clicked()
{
    eval_close(ui);
}

void lumo_test::on_out_file_clicked()
{
    score_export_run(this, ui->score_show);
}

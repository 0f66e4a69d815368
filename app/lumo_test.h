#pragma once

#include "app/window_state.h"

#include <QMainWindow>

class Ui_lumo_test;

// The main window. It holds the UI object and the open evaluation; each slot is wired by
// name to the push button it is named after.
class lumo_test : public QMainWindow
{
    Q_OBJECT

public:
    explicit lumo_test(QWidget *parent = nullptr);
    ~lumo_test() override;

protected:
    // Offers to save unsaved scores before the window goes.
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_new_paper_clicked();
    void on_open_paper_clicked();
    void on_test_ch_clicked();
    void on_save_score_clicked();
    void on_last_stu_clicked();
    void on_next_stu_clicked();
    void on_last_pro_clicked();
    void on_next_pro_clicked();
    void on_servey_clicked();
    void on_save_paper_clicked();
    void on_close_paper_clicked();
    void on_out_file_clicked();

private:
    Ui_lumo_test *ui;
    window_state m_state;
};

#pragma once

#include "app/choice_page.h"
#include "app/lifecycle.h"
#include "app/main_page.h"
#include "app/score_page.h"
#include "app/unch_page.h"
#include "app/window_state.h"

#include <QMainWindow>
#include <memory>

class Ui_lumo_test;
class dialogs;

// The main window. It holds the UI object, the open evaluation and the pages that show it;
// each slot is wired by name to the push button it is named after.
class lumo_test : public QMainWindow
{
    Q_OBJECT

public:
    // With the real Qt dialogs.
    explicit lumo_test(QWidget *parent = nullptr);
    // With the dialogs given, which answer every question the window asks.
    explicit lumo_test(std::unique_ptr<dialogs> dialogs, QWidget *parent = nullptr);
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
    // A score changed: unsaved, and the score table shows it no more.
    void scores_change();
    void unch_move_to(unch_move step);

    Ui_lumo_test *ui;
    std::unique_ptr<dialogs> m_dialogs;
    window_state m_state;
    main_page m_main;
    choice_page m_choice;
    unch_page m_unch;
    score_page m_score;
    lifecycle m_lifecycle;
};

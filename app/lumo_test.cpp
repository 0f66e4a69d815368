#include "app/lumo_test.h"

#include "ui/dialogs.h"
#include "ui_lumo_test.h"

#include <QCloseEvent>
#include <QShortcut>

// Builds the widget tree into window. Outside any namespace, as the resource macro must be.
static Ui_lumo_test *form_make(QMainWindow *window)
{
    // The icon lives in a static library, which nothing else pulls it out of.
    Q_INIT_RESOURCE(lumo_test);
    auto *ui = new Ui_lumo_test;
    ui->setupUi(window);
    return ui;
}

lumo_test::lumo_test(QWidget *parent)
    : lumo_test(nullptr, parent)
{
}

lumo_test::lumo_test(std::unique_ptr<dialogs> given, QWidget *parent)
    : QMainWindow(parent),
      ui(form_make(this)),
      m_dialogs(given ? std::move(given) : std::make_unique<qt_dialogs>(this)),
      m_main({ui->onech_num, ui->some_num, ui->notch_num, ui->stu_num, ui->score_total}),
      m_choice({ui->test_ch, ui->ch_ifm_show, ui->pingce, ui->jingdu}),
      m_unch({ui->unch_page, ui->pro_now, ui->pro_tot, ui->stu_now, ui->stu_tot, ui->pro_score, ui->unch_pro, ui->pro_ans,
              ui->stu_ans, ui->unch_score_in, ui->save_score, ui->last_stu, ui->next_stu, ui->last_pro,
              ui->next_pro},
             *m_dialogs),
      m_score({ui->servey, ui->score_show, ui->out_file}, *m_dialogs),
      m_lifecycle({this, ui->close_paper, ui->save_paper}, {m_main, m_choice, m_unch, m_score}, m_state, *m_dialogs)
{
    connect(&m_unch, &unch_page::scores_changed, this, &lumo_test::scores_change);
    connect(&m_unch, &unch_page::move_requested, this, &lumo_test::unch_move_to);
    connect(&m_unch, &unch_page::alike_requested, this, [this] {
        if (m_state.eval)
            m_unch.score_alike(*m_state.eval);
    });
    connect(&m_unch, &unch_page::unscored_requested, this, [this] {
        if (m_state.eval)
            m_unch.next_unscored(*m_state.eval);
    });
    // The usual keys of the usual commands; a disabled button ignores its key too.
    const std::pair<QKeySequence, QAbstractButton *> keys[] = {
        {QKeySequence(Qt::CTRL + Qt::Key_O), ui->open_paper},
        {QKeySequence(Qt::CTRL + Qt::Key_S), ui->save_paper},
        {QKeySequence(Qt::CTRL + Qt::Key_N), ui->new_paper},
        {QKeySequence(Qt::CTRL + Qt::Key_W), ui->close_paper},
    };
    for (const auto &[sequence, button] : keys)
        connect(new QShortcut(sequence, this), &QShortcut::activated, button, &QAbstractButton::click);
}

lumo_test::~lumo_test()
{
    delete ui;
}

void lumo_test::closeEvent(QCloseEvent *event)
{
    if (m_lifecycle.quit())
        QMainWindow::closeEvent(event);
    else
        event->ignore();
}

void lumo_test::scores_change()
{
    m_state.unsaved = true;
    m_score.scores_changed();
    m_lifecycle.title_update();
}

void lumo_test::unch_move_to(unch_move step)
{
    if (m_state.eval)
        m_unch.move(*m_state.eval, step);
}

void lumo_test::on_new_paper_clicked()
{
    m_lifecycle.create();
}

void lumo_test::on_open_paper_clicked()
{
    m_lifecycle.open();
}

void lumo_test::on_test_ch_clicked()
{
    if (m_state.eval && m_choice.run(*m_state.eval))
        scores_change();
}

void lumo_test::on_save_score_clicked()
{
    if (m_state.eval)
        m_unch.store(*m_state.eval);
}

void lumo_test::on_last_stu_clicked()
{
    unch_move_to(unch_move::last_stu);
}

void lumo_test::on_next_stu_clicked()
{
    unch_move_to(unch_move::next_stu);
}

void lumo_test::on_last_pro_clicked()
{
    unch_move_to(unch_move::last_pro);
}

void lumo_test::on_next_pro_clicked()
{
    unch_move_to(unch_move::next_pro);
}

void lumo_test::on_servey_clicked()
{
    if (m_state.eval && m_unch.store_typed(*m_state.eval, QObject::tr("成绩未统计：请先改正这个得分。")))
        m_score.fill(*m_state.eval);
}

void lumo_test::on_save_paper_clicked()
{
    m_lifecycle.save();
}

void lumo_test::on_close_paper_clicked()
{
    m_lifecycle.close();
}

void lumo_test::on_out_file_clicked()
{
    if (m_state.eval && m_unch.store_typed(*m_state.eval, QObject::tr("成绩表格未导出：请先改正这个得分。")))
        m_score.export_table(*m_state.eval);
}

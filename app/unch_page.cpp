#include "app/unch_page.h"

#include "app/score_keys.h"
#include "grading/manual_scoring.h"
#include "ui/dialogs.h"

#include <QDoubleSpinBox>
#include <QLCDNumber>
#include <QPushButton>
#include <QTextBrowser>
#include <algorithm>

unch_page::unch_page(const unch_page_widgets &widgets, dialogs &dialogs)
    : m_widgets(widgets), m_dialogs(dialogs)
{
    new score_keys(widgets.unch_score_in, widgets.next_stu, widgets.last_stu, widgets.next_pro, widgets.last_pro);
}

void unch_page::show(const evaluation &eval)
{
    if (eval.unch_cnt < 1) {
        reset();
        return;
    }
    m_cursor.cur_pro = 1;
    m_cursor.cur_stu = 1;
    set_enabled(true);
    show_unch_item(eval);
}

void unch_page::reset()
{
    m_cursor = unch_cursor();
    set_enabled(false);
    for (QLCDNumber *number : {m_widgets.pro_now, m_widgets.stu_now, m_widgets.pro_tot, m_widgets.stu_tot,
                               m_widgets.pro_score})
        number->display(0);
    m_widgets.unch_score_in->setValue(0);
    m_widgets.unch_pro->clear();
    m_widgets.pro_ans->clear();
    m_widgets.stu_ans->clear();
}

void unch_page::show_unch_item(const evaluation &eval)
{
    const unch_question &question = eval.unch_questions[std::size_t(m_cursor.cur_pro)];
    m_widgets.pro_now->display(m_cursor.cur_pro);
    m_widgets.stu_now->display(m_cursor.cur_stu);
    m_widgets.pro_tot->display(eval.unch_cnt);
    m_widgets.stu_tot->display(eval.stu_cnt);
    m_widgets.pro_score->display(question.full_score);
    // The box takes more than the question allows, so that a mistyped 12 on a 10-point
    // question can be refused as 12 instead of being cut to 1 while it is typed.
    const double limit = std::max(100.0, 10 * question.full_score);
    QDoubleSpinBox *box = m_widgets.unch_score_in;
    box->setRange(-limit, limit);
    box->setValue(std::clamp(eval.unch_score[m_cursor.cur_stu][m_cursor.cur_pro], 0.0,
                             std::max(0.0, question.full_score)));
    m_shown = box->value();
    m_widgets.unch_pro->setText(question.text);
    m_widgets.pro_ans->setText(question.ref_answer);
    // Students type their answers: show them exactly as written, never as markup.
    m_widgets.stu_ans->setPlainText(eval.unch_ans[m_cursor.cur_stu][m_cursor.cur_pro]);
}

bool unch_page::store(evaluation &eval)
{
    QDoubleSpinBox *box = m_widgets.unch_score_in;
    box->interpretText();
    const double entered = box->value();
    const QString refusal =
        unch_score_refusal(entered, eval.unch_questions[std::size_t(m_cursor.cur_pro)].full_score);
    if (!refusal.isEmpty()) {
        m_dialogs.message(refusal);
        box->selectAll();
        return false;
    }
    double &stored = eval.unch_score[m_cursor.cur_stu][m_cursor.cur_pro];
    const bool changed = stored != entered;
    stored = entered;
    m_shown = entered;
    if (changed)
        emit scores_changed();
    return true;
}

bool unch_page::store_typed(evaluation &eval)
{
    if (m_cursor.cur_stu < 1 || m_cursor.cur_pro < 1)
        return true;
    m_widgets.unch_score_in->interpretText();
    return m_widgets.unch_score_in->value() == m_shown || store(eval);
}

void unch_page::move(evaluation &eval, unch_move step)
{
    if (!store(eval))
        return;
    const bool student = step == unch_move::last_stu || step == unch_move::next_stu;
    const int delta = step == unch_move::next_stu || step == unch_move::next_pro ? +1 : -1;
    int &moving = student ? m_cursor.cur_stu : m_cursor.cur_pro;
    const int moved = cursor_step(moving, delta, student ? eval.stu_cnt : eval.unch_cnt);
    if (moved != moving) {
        moving = moved;
        show_unch_item(eval);
    }
}

void unch_page::set_enabled(bool enabled)
{
    for (QWidget *widget : std::initializer_list<QWidget *>{
             m_widgets.last_pro, m_widgets.next_pro, m_widgets.last_stu, m_widgets.next_stu, m_widgets.save_score,
             m_widgets.unch_pro, m_widgets.pro_ans, m_widgets.stu_ans, m_widgets.unch_score_in})
        widget->setEnabled(enabled);
}

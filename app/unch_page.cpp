#include "app/unch_page.h"

#include "app/score_keys.h"
#include "app/shown_text.h"
#include "ui/dialogs.h"

#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLCDNumber>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolTip>
#include <algorithm>

unch_page::unch_page(const unch_page_widgets &widgets, dialogs &dialogs)
    : m_widgets(widgets), m_dialogs(dialogs),
      m_keys(new score_keys(widgets.unch_score_in, widgets.stu_ans,
                            [this](const QString &text) { return manual_scoring_text_refusal(text, m_full); }))
{
    connect(m_keys, &score_keys::move_requested, this, &unch_page::move_requested);
    connect(m_keys, &score_keys::refused, this, &unch_page::refuse);
    // Ctrl+G and Ctrl+U reach the page from whichever of its widgets has the focus.
    widgets.unch_page->installEventFilter(this);
    // Whatever the teacher types next replaces what was left of a refused entry, and is a
    // score given even when it equals the one shown.
    connect(widgets.unch_score_in->findChild<QLineEdit *>(), &QLineEdit::textEdited, this, [this] {
        m_refused.clear();
        m_typed = true;
    });
}

bool unch_page::eventFilter(QObject *, QEvent *event)
{
    // Whoever opens the page, by its tab or Ctrl+Tab, types a score next: the box takes the
    // focus, and with it selects the score. A window restored keeps its focus where it was.
    if (event->type() == QEvent::Show && !event->spontaneous() && m_widgets.unch_score_in->isEnabled())
        m_widgets.unch_score_in->setFocus(Qt::TabFocusReason);
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() != Qt::ControlModifier || (key->key() != Qt::Key_G && key->key() != Qt::Key_U))
        return false;
    if (key->key() == Qt::Key_G)
        emit alike_requested();
    else
        emit unscored_requested();
    return true;
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
    m_refused.clear();
    set_enabled(false);
    for (QLCDNumber *number : {m_widgets.pro_now, m_widgets.stu_now, m_widgets.pro_tot, m_widgets.stu_tot,
                               m_widgets.pro_score})
        number->display(0);
    m_widgets.unch_score_in->setValue(0);
    m_widgets.unch_pro->clear();
    m_widgets.pro_ans->clear();
    m_widgets.stu_ans->clear();
}

void unch_page::refresh(const evaluation &eval)
{
    if (m_cursor.cur_stu >= 1 && m_cursor.cur_pro >= 1)
        show_unch_item(eval);
}

void unch_page::show_unch_item(const evaluation &eval)
{
    const unch_question &question = eval.unch_questions[std::size_t(m_cursor.cur_pro)];
    m_widgets.pro_now->display(m_cursor.cur_pro);
    m_widgets.stu_now->display(m_cursor.cur_stu);
    m_widgets.pro_tot->display(eval.unch_cnt);
    m_widgets.stu_tot->display(eval.stu_cnt);
    m_widgets.pro_score->display(question.full_score);
    // A full score below 0 takes 0 alone, so the page never locks on such a paper.
    m_full = question.full_score;
    m_refused.clear();
    m_typed = false;
    QDoubleSpinBox *box = m_widgets.unch_score_in;
    box->setRange(0, std::max(0.0, m_full));
    box->setValue(eval.unch_score[m_cursor.cur_stu][m_cursor.cur_pro]);
    m_shown = box->value();
    shown_text_show(m_widgets.unch_pro, question.text, true);
    shown_text_show(m_widgets.pro_ans, question.ref_answer, true);
    // Students type their answers: show them exactly as written, never as markup.
    shown_text_show(m_widgets.stu_ans, eval.unch_ans[m_cursor.cur_stu][m_cursor.cur_pro], false);
}

void unch_page::refuse(const QString &why)
{
    m_refused = why;
    m_dialogs.refusal(why);
    m_keys->select();
}

void unch_page::note(const QString &text)
{
    QDoubleSpinBox *box = m_widgets.unch_score_in;
    QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), text, box);
}

bool unch_page::store(evaluation &eval, const QString &consequence)
{
    QDoubleSpinBox *box = m_widgets.unch_score_in;
    box->interpretText();
    const double entered = box->value();
    const QString why = m_refused.isEmpty() ? manual_scoring_refusal(entered, m_full) : m_refused;
    if (!why.isEmpty()) {
        m_refused = why;
        m_dialogs.refusal(consequence.isEmpty() ? why : why + QLatin1Char('\n') + consequence);
        m_keys->select();
        return false;
    }
    double &stored = eval.unch_score[m_cursor.cur_stu][m_cursor.cur_pro];
    unsigned char &scored = eval.unch_scored[m_cursor.cur_stu][m_cursor.cur_pro];
    const bool changed = stored != entered || !scored;
    stored = entered;
    scored = 1;
    m_shown = entered;
    m_typed = false;
    if (changed)
        emit scores_changed();
    return true;
}

void unch_page::score_alike(evaluation &eval)
{
    if (!store(eval))
        return;
    const int q = m_cursor.cur_pro;
    const std::vector<int> alike = manual_scoring_alike(eval, m_cursor.cur_stu, q);
    if (alike.empty()) {
        note(QObject::tr("没有其他学生对本题的答案与此相同"));
        return;
    }
    const double score = eval.unch_score[m_cursor.cur_stu][q];
    const auto changing = std::count_if(alike.begin(), alike.end(), [&](int s) {
        return eval.unch_scored[s][q] && eval.unch_score[s][q] != score;
    });
    QString question = QObject::tr("另有%1名学生对本题的答案与此相同，是否也给他们%2分？")
                           .arg(alike.size())
                           .arg(QLocale::c().toString(score, 'g', QLocale::FloatingPointShortest));
    if (changing > 0)
        question += QLatin1Char('\n') + QObject::tr("其中%1名学生已由老师评分，他们的得分会被改为此分。").arg(changing);
    if (!m_dialogs.yes_no(question, changing > 0 ? dialog_answer::no : dialog_answer::yes))
        return;
    bool changed = false;
    for (const int s : alike) {
        changed |= eval.unch_score[s][q] != score || !eval.unch_scored[s][q];
        eval.unch_score[s][q] = score;
        eval.unch_scored[s][q] = 1;
    }
    if (changed)
        emit scores_changed();
}

void unch_page::next_unscored(evaluation &eval)
{
    if (!store_typed(eval, {}))
        return;
    unch_cursor found = m_cursor;
    if (!manual_scoring_next_unscored(eval, found)) {
        note(QObject::tr("所有非选择题答卷都已评分"));
        return;
    }
    if (found.cur_stu != m_cursor.cur_stu || found.cur_pro != m_cursor.cur_pro) {
        m_cursor = found;
        show_unch_item(eval);
    }
    m_keys->select();
}

bool unch_page::store_typed(evaluation &eval, const QString &consequence)
{
    if (m_cursor.cur_stu < 1 || m_cursor.cur_pro < 1)
        return true;
    m_widgets.unch_score_in->interpretText();
    return (m_refused.isEmpty() && !m_typed && m_widgets.unch_score_in->value() == m_shown)
        || store(eval, consequence);
}

void unch_page::move(evaluation &eval, unch_move step)
{
    if (!store(eval))
        return;
    unch_cursor moved = m_cursor;
    switch (step) {
    case unch_move::last_stu: moved.cur_stu = manual_scoring_step(moved.cur_stu, -1, eval.stu_cnt); break;
    case unch_move::next_stu: moved.cur_stu = manual_scoring_step(moved.cur_stu, +1, eval.stu_cnt); break;
    case unch_move::last_pro: moved.cur_pro = manual_scoring_step(moved.cur_pro, -1, eval.unch_cnt); break;
    case unch_move::next_pro: moved.cur_pro = manual_scoring_step(moved.cur_pro, +1, eval.unch_cnt); break;
    case unch_move::forward:
        if (!manual_scoring_forward(moved, eval.stu_cnt, eval.unch_cnt))
            note(QObject::tr("这是最后一份答卷，已保存得分"));
        break;
    case unch_move::backward:
        if (!manual_scoring_backward(moved, eval.stu_cnt, eval.unch_cnt))
            note(QObject::tr("这是第一份答卷，已保存得分"));
        break;
    }
    if (moved.cur_stu != m_cursor.cur_stu || moved.cur_pro != m_cursor.cur_pro) {
        m_cursor = moved;
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

#include "app/choice_page.h"

#include "app/grading_log.h"
#include "app/log_follow.h"
#include "grading/choice_grading.h"

#include <QAbstractButton>
#include <QLabel>
#include <QObject>
#include <QProgressBar>
#include <QTextEdit>

choice_page::choice_page(const choice_page_widgets &widgets)
    : m_widgets(widgets)
{
    new log_follow(widgets.ch_ifm_show);
}

void choice_page::show(const evaluation &eval)
{
    log_reset();
    if (eval.onech_cnt + eval.some_cnt > 0) {
        m_widgets.test_ch->setEnabled(true);
        m_widgets.ch_ifm_show->setEnabled(true);
    }
}

void choice_page::reset()
{
    m_widgets.test_ch->setEnabled(false);
    m_widgets.ch_ifm_show->setEnabled(false);
    log_reset();
}

void choice_page::log_reset()
{
    m_widgets.jingdu->setValue(0);
    m_widgets.pingce->setText(QObject::tr("未进行操作"));
    m_widgets.ch_ifm_show->clear();
}

bool choice_page::run(evaluation &eval)
{
    m_widgets.pingce->setText(QObject::tr("评测中"));
    QProgressBar *bar = m_widgets.jingdu;
    choice_grades grades = choice_grade_all(eval, [bar](int value) { bar->setValue(value); });
    const bool changed = choice_grades_apply(eval, grades);
    grading_log_append(m_widgets.ch_ifm_show, std::move(grades.log), eval.onech_cnt + eval.some_cnt);
    bar->setValue(100);
    m_widgets.pingce->setText(QObject::tr("评测完成"));
    return changed;
}

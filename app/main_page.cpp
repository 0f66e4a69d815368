#include "app/main_page.h"

#include "store/score_text.h"

#include <QLabel>
#include <QObject>

main_page::main_page(const main_page_widgets &widgets)
    : m_widgets(widgets)
{
}

void main_page::show(const evaluation &eval)
{
    m_widgets.onech_num->setText(QString::number(eval.onech_cnt));
    m_widgets.some_num->setText(QString::number(eval.some_cnt));
    m_widgets.notch_num->setText(QString::number(eval.unch_cnt));
    m_widgets.stu_num->setText(QString::number(eval.stu_cnt));
    m_widgets.score_total->setText(score_text(evaluation_total(eval)));
}

void main_page::reset()
{
    for (QLabel *label : {m_widgets.onech_num, m_widgets.some_num, m_widgets.notch_num, m_widgets.stu_num,
                          m_widgets.score_total})
        label->setText(QObject::tr("未打开评测"));
}

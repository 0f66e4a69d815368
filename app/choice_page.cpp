#include "app/choice_page.h"

#include "app/log_follow.h"
#include "grading/choice_grading.h"

#include <QAbstractButton>
#include <QLabel>
#include <QObject>
#include <QProgressBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

void grading_log_paragraphs(QString &lines, int per_student)
{
    int line = 0;
    for (QChar &c : lines) {
        if (c != QLatin1Char('\n'))
            continue;
        const int in_student = ++line % std::max(1, per_student);
        if (in_student != 0 && in_student % GRADING_LOG_PARAGRAPH_LINES != 0)
            c = QChar::LineSeparator;
    }
}

void grading_log_append(QTextEdit *log, QString lines, int per_student)
{
    if (lines.isEmpty())
        return;
    // In place: a large class's log is tens of megabytes, and every copy of it costs.
    lines.chop(1);   // no empty paragraph at the end
    grading_log_paragraphs(lines, per_student);
    QTextDocument *document = log->document();
    if (document->isEmpty()) {
        log->setPlainText(lines);
        return;
    }
    // An edit below earlier paragraphs makes the layout place every one of them, then every
    // new one, at once: minutes for a large class. Without a page size the document does no
    // layout; setting the size back lays it all out lazily again, as setPlainText does.
    const QSizeF page_size = document->pageSize();
    document->setPageSize(QSizeF(0, 0));
    QTextCursor cursor(document);
    cursor.beginEditBlock();   // inside an edit block, moving the cursor needs no layout either
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock();
    cursor.insertText(lines);
    cursor.endEditBlock();
    document->setPageSize(page_size);
}

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

#include "app/choice_page.h"

#include "grading/choice_grading.h"
#include "ui_lumo_test.h"

#include <QObject>
#include <QTextCursor>
#include <QTextDocument>

void grading_log_append(QTextEdit *log, const QString &lines)
{
    if (lines.isEmpty())
        return;
    const QString paragraphs = lines.left(lines.size() - 1);   // no empty paragraph at the end
    QTextDocument *document = log->document();
    if (document->isEmpty()) {
        log->setPlainText(paragraphs);
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
    cursor.insertText(paragraphs);
    cursor.endEditBlock();
    document->setPageSize(page_size);
}

void choice_page_run(Ui_lumo_test *ui, evaluation &eval)
{
    ui->pingce->setText(QObject::tr("评测中"));
    choice_grades grades = choice_grade_all(eval, [ui](int value) { ui->jingdu->setValue(value); });
    choice_grades_apply(eval, grades);
    grading_log_append(ui->ch_ifm_show, grades.log);
    ui->jingdu->setValue(100);
    ui->pingce->setText(QObject::tr("评测完成"));
}

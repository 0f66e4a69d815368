#include "app/grading_log.h"

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

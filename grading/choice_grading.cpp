#include "grading/choice_grading.h"

#include "store/local_text.h"
#include "store/score_text.h"
#include "ui_lumo_test.h"

#include <QObject>
#include <QTextCursor>
#include <QTextDocument>

double choice_score_single(answer_set answer, const choice_question &question)
{
    return answer == question.key ? question.full_score : 0;
}

double choice_score_multiple(answer_set answer, const choice_question &question)
{
    double score = 0;
    if (answer == question.key)
        score = question.full_score;
    else if ((answer | question.key) == question.key)
        score = question.part_score;
    return answer == 0 ? 0 : score;
}

int grading_progress(int s, int j, int t, int n)
{
    return ((s - 1) * t + j) * 100 / t / n;
}

void grading_log_line(QString *log, const QString &file_name, bool multiple, int q,
                      answer_set answer, answer_set key, double score)
{
    static const QString single_head = QObject::tr(" 第 ");
    static const QString single_kind = QObject::tr(" 道单选题选择了 ");
    static const QString multiple_kind = QObject::tr(" 道多选题选择了 ");
    static const QString key_head = QObject::tr("，答案是 ");
    static const QString score_head = QObject::tr(" 得分 ");
    static const QString score_tail = QObject::tr(" 分");
    *log += file_name;
    *log += single_head;
    *log += QString::number(q);
    *log += multiple ? multiple_kind : single_kind;
    *log += answer_letters(answer);
    *log += key_head;
    *log += answer_letters(key);
    *log += score_head;
    *log += score_text(score);
    *log += score_tail;
    *log += QLatin1Char('\n');
}

void choice_grade_all(QString *log, const std::function<void(int)> &progress)
{
    const int t = onech_cnt + some_cnt;
    for (int s = 1; s <= stu_cnt; ++s) {
        const QString name = local_text_decode(stu_file[s]);
        for (int i = 1; i <= onech_cnt; ++i) {
            const answer_set answer = onech_ans[s][i];
            const choice_question &question = onech_questions[i];
            onech_score[s][i] = choice_score_single(answer, question);
            grading_log_line(log, name, false, i, answer, question.key, onech_score[s][i]);
            progress(grading_progress(s, i, t, stu_cnt));
        }
        for (int i = 1; i <= some_cnt; ++i) {
            const answer_set answer = some_ans[s][i];
            const choice_question &question = some_questions[i];
            some_score[s][i] = choice_score_multiple(answer, question);
            grading_log_line(log, name, true, i, answer, question.key, some_score[s][i]);
            progress(grading_progress(s, onech_cnt + i, t, stu_cnt));
        }
    }
}

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

void choice_grading_run(Ui_lumo_test *ui)
{
    ui->pingce->setText(QObject::tr("评测中"));
    QString lines;
    choice_grade_all(&lines, [ui](int value) { ui->jingdu->setValue(value); });
    grading_log_append(ui->ch_ifm_show, lines);
    ui->jingdu->setValue(100);
    ui->pingce->setText(QObject::tr("评测完成"));
}

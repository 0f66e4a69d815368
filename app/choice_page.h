#pragma once
// The choice page: grading every choice answer, with its log, status and progress bar.

#include "store/evaluation.h"

#include <QString>

class QAbstractButton;
class QLabel;
class QProgressBar;
class QTextEdit;

// The log's lines in paragraphs: a document makes one block per paragraph, and that, not the
// text, is what costs when a large class is graded. A paragraph holds one student's lines
// (so a triple click selects that student), at most this many, kept apart by U+2028 line
// separators, which look and copy as line breaks.
constexpr int GRADING_LOG_PARAGRAPH_LINES = 64;
void grading_log_paragraphs(QString &lines, int per_student);

// Adds lines ('\n'-terminated, per_student of them for each student) in paragraphs below the
// log's earlier ones. Handing the document all lines at once lets it lay them out lazily;
// one append per line would take minutes for a large class.
void grading_log_append(QTextEdit *log, QString lines, int per_student);

struct choice_page_widgets {
    QAbstractButton *test_ch;
    QTextEdit *ch_ifm_show;
    QLabel *pingce;
    QProgressBar *jingdu;
};

class choice_page
{
public:
    explicit choice_page(const choice_page_widgets &widgets);

    // A newly opened evaluation: nothing of an earlier grading shows, and grading is offered
    // when the paper has choice questions.
    void show(const evaluation &eval);
    // Disabled, progress 0, "未进行操作", an empty log.
    void reset();
    // Grades eval and shows the run: status texts, log and progress bar. True when a score
    // changed.
    bool run(evaluation &eval);

private:
    void log_reset();

    choice_page_widgets m_widgets;
};

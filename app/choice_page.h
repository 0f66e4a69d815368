#pragma once
// The choice page: grading every choice answer, with its log, status and progress bar.

#include "store/evaluation.h"


class QAbstractButton;
class QLabel;
class QProgressBar;
class QTextEdit;

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

#pragma once
// The main page: the open evaluation's question counts, number of students and total score.

#include "store/evaluation.h"

class QLabel;

struct main_page_widgets {
    QLabel *onech_num;
    QLabel *some_num;
    QLabel *notch_num;
    QLabel *stu_num;
    QLabel *score_total;
};

class main_page
{
public:
    explicit main_page(const main_page_widgets &widgets);

    void show(const evaluation &eval);
    // "未打开评测" in every figure, as plain text.
    void reset();

private:
    main_page_widgets m_widgets;
};

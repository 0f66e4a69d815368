#pragma once
// The manual scoring page: one student's answer to one non-choice question at a time.

#include "store/evaluation.h"

#include <QObject>

class QAbstractButton;
class QDoubleSpinBox;
class QLCDNumber;
class QTextBrowser;
class dialogs;

struct unch_page_widgets {
    QLCDNumber *pro_now;
    QLCDNumber *pro_tot;
    QLCDNumber *stu_now;
    QLCDNumber *stu_tot;
    QLCDNumber *pro_score;
    QTextBrowser *unch_pro;
    QTextBrowser *pro_ans;
    QTextBrowser *stu_ans;
    QDoubleSpinBox *unch_score_in;
    QAbstractButton *save_score;
    QAbstractButton *last_stu;
    QAbstractButton *next_stu;
    QAbstractButton *last_pro;
    QAbstractButton *next_pro;
};

// The four moves of the page's navigation buttons.
enum class unch_move { last_stu, next_stu, last_pro, next_pro };

class unch_page : public QObject
{
    Q_OBJECT

public:
    unch_page(const unch_page_widgets &widgets, dialogs &dialogs);

    // Enables the page on item (student 1, question 1) when the paper has non-choice
    // questions; otherwise the page is reset, so it never points into another evaluation.
    void show(const evaluation &eval);
    // Disables the page, puts both cursors to 0 and clears every display.
    void reset();

    // Stores the entered score for the item under the cursor, as the page's buttons do. A
    // score above the question's full score or below 0 is refused with a message and nothing
    // is stored: the box takes such a number, so that it is never turned into another one.
    // False when refused.
    bool store(evaluation &eval);
    // Stores a score the teacher typed but did not store yet, before the scores are saved,
    // shown or exported. A score merely shown (clamped into the range) is left as it is.
    // False when the typed score was refused.
    bool store_typed(evaluation &eval);
    // Stores, then moves one cursor one step, stopping at its bounds, and shows the new item.
    // A refused score moves nothing.
    void move(evaluation &eval, unch_move step);

    const unch_cursor &cursor() const { return m_cursor; }

signals:
    // A stored score differs from the one it replaced.
    void scores_changed();

private:
    // Shows the item under the cursor. A stored score outside 0..full score is shown clamped
    // into it.
    void show_unch_item(const evaluation &eval);
    void set_enabled(bool enabled);

    unch_page_widgets m_widgets;
    dialogs &m_dialogs;
    unch_cursor m_cursor;
    // The score the box showed last: anything else in it was typed.
    double m_shown = 0;
};

#pragma once
// The manual scoring page: one student's answer to one non-choice question at a time.

#include "app/unch_move.h"
#include "grading/manual_scoring.h"
#include "store/evaluation.h"

#include <QObject>

class QAbstractButton;
class QDoubleSpinBox;
class QLCDNumber;
class QTextBrowser;
class QWidget;
class dialogs;
class score_keys;

struct unch_page_widgets {
    QWidget *unch_page;
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
    // Shows the current item again, as eval now holds it.
    void refresh(const evaluation &eval);

    // Stores the entered score for the item under the cursor, as the page's buttons do. While
    // the box holds what is left of a refused entry, the refusal is shown again, followed by
    // what did not happen (consequence, when given), and nothing is stored. False when refused.
    bool store(evaluation &eval, const QString &consequence = QString());
    // Stores a score the teacher typed but did not store yet, before the scores are saved,
    // shown or exported, or the next unscored answer is sought; typed, even a score equal to
    // the one shown counts. A score merely shown (clamped into the range) is left as it is.
    // False when the typed score was refused.
    bool store_typed(evaluation &eval, const QString &consequence);
    // Ctrl+G: stores the score for the current answer, then offers it to every student whose
    // answer reads the same, saying how many scores by hand it would change.
    void score_alike(evaluation &eval);
    // Ctrl+U: stores a typed score, then shows the first answer not scored by hand from the
    // current one on, question by question, wrapping round once.
    void next_unscored(evaluation &eval);
    // Stores, then moves and shows the new item. The buttons' moves stop at their bounds;
    // Enter and Shift+Enter go on across questions, and at the last (first) answer a note by
    // the box says so. A refused score moves nothing.
    void move(evaluation &eval, unch_move step);

    const unch_cursor &cursor() const { return m_cursor; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // A stored score differs from the one it replaced, or an answer was scored by hand for the
    // first time.
    void scores_changed();
    // The teacher asked for a move from the keyboard.
    void move_requested(unch_move step);
    // Ctrl+G and Ctrl+U on the page.
    void alike_requested();
    void unscored_requested();

private:
    // Tells why the box may not hold what the teacher typed, and keeps the box's text selected.
    void refuse(const QString &why);
    // A short note by the score box, gone at the next key or click.
    void note(const QString &text);
    // Shows the item under the cursor. A stored score outside 0..full score is shown clamped
    // into it.
    void show_unch_item(const evaluation &eval);
    void set_enabled(bool enabled);

    unch_page_widgets m_widgets;
    dialogs &m_dialogs;
    score_keys *m_keys;
    unch_cursor m_cursor;
    // The current question's full score, which bounds the box.
    double m_full = 0;
    // The score the box showed last: anything else in it was typed.
    double m_shown = 0;
    // Set while the box holds what is left of a refused entry: why it was refused.
    QString m_refused;
    // The teacher typed into the box since the item was shown or stored.
    bool m_typed = false;
};

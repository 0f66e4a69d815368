#pragma once
// Scoring from the keyboard in the score box: type the score, press Enter, and the next
// student's answer is there.

#include "app/unch_move.h"

#include <QObject>
#include <functional>

class QAbstractScrollArea;
class QKeyEvent;
class QDoubleSpinBox;
class QLineEdit;

// Watches the score box. Enter asks for the next answer, Shift+Enter the previous one,
// Ctrl+Enter the next question and Ctrl+Shift+Enter the previous question; PageUp and PageDown
// scroll the student's answer. Whenever the box gets the focus, however it gets it, its whole
// text is selected, and so is it at the first click after that, so the digits typed replace it.
// Full-width digits and points and a decimal comma are taken as the ASCII point and digits,
// from keys, pastes and input methods alike. A keystroke, paste or commit that would make a
// score the question cannot take is refused: the text stays as it was and `refused` tells
// why. The mouse wheel turns the score only while the box has the focus.
class score_keys : public QObject
{
    Q_OBJECT

public:
    // refusal: why the box may not hold a text (ASCII already), or "".
    score_keys(QDoubleSpinBox *box, QAbstractScrollArea *answer, std::function<QString(const QString &)> refusal);

    // Selects the whole text now, and again at the next click.
    void select();

signals:
    void move_requested(unch_move step);
    void refused(const QString &why);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool key_press(QKeyEvent *key);

    QDoubleSpinBox *m_box;
    QLineEdit *m_edit;
    QAbstractScrollArea *m_answer;
    std::function<QString(const QString &)> m_refusal;
    bool m_click_selects = false;
};

// The text as the box takes it: full-width digits, signs and points and the decimal comma
// as their ASCII forms ("７．５" and "7,5" are both "7.5").
QString score_keys_ascii(const QString &text);

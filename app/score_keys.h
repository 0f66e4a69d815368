#pragma once
// Scoring from the keyboard in the score box: type the score, press Enter, and the next
// student's answer is there.

#include <QObject>

class QAbstractButton;
class QDoubleSpinBox;

// Watches the score box. Enter does what 下一学生 does, Shift+Enter 上一学生, Ctrl+Enter 下一题
// and Ctrl+Shift+Enter 上一题; after each, and whenever the box gets the focus by click or
// Tab, its whole text is selected, so the next digits replace it. Full-width digits and
// points, and a decimal comma, are read as the ASCII point and digits. The mouse wheel turns
// the score only while the box has the focus, never while the teacher scrolls past it.
class score_keys : public QObject
{
public:
    score_keys(QDoubleSpinBox *box, QAbstractButton *next_stu, QAbstractButton *last_stu,
               QAbstractButton *next_pro, QAbstractButton *last_pro);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAbstractButton *move_button(Qt::KeyboardModifiers modifiers) const;
    void select_later();

    QDoubleSpinBox *m_box;
    QAbstractButton *m_next_stu;
    QAbstractButton *m_last_stu;
    QAbstractButton *m_next_pro;
    QAbstractButton *m_last_pro;
};

// The text as the box takes it: full-width digits, signs and points and the decimal comma
// as their ASCII forms ("７．５" and "7,5" are both "7.5").
QString score_keys_ascii(const QString &text);

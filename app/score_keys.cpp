#include "app/score_keys.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTimer>

QString score_keys_ascii(const QString &text)
{
    QString ascii = text;
    for (QChar &c : ascii) {
        const char16_t u = c.unicode();
        if (u >= 0xff10 && u <= 0xff19)   // full-width digits
            c = QChar(ushort('0' + (u - 0xff10)));
        else if (u == ',' || u == 0xff0c || u == 0xff0e || u == 0x3002)   // , ， ． 。
            c = QLatin1Char('.');
        else if (u == 0xff0d)   // －
            c = QLatin1Char('-');
        else if (u == 0xff0b)   // ＋
            c = QLatin1Char('+');
    }
    return ascii;
}

score_keys::score_keys(QDoubleSpinBox *box, QAbstractButton *next_stu, QAbstractButton *last_stu,
                       QAbstractButton *next_pro, QAbstractButton *last_pro)
    : QObject(box), m_box(box), m_next_stu(next_stu), m_last_stu(last_stu), m_next_pro(next_pro),
      m_last_pro(last_pro)
{
    // A wheel turned over the box must not take the focus, and with it the score.
    box->setFocusPolicy(Qt::StrongFocus);
    box->installEventFilter(this);
}

QAbstractButton *score_keys::move_button(Qt::KeyboardModifiers modifiers) const
{
    const bool back = modifiers & Qt::ShiftModifier;
    if (modifiers & Qt::ControlModifier)
        return back ? m_last_pro : m_next_pro;
    return back ? m_last_stu : m_next_stu;
}

void score_keys::select_later()
{
    // After the click that gave the focus has placed the cursor.
    QTimer::singleShot(0, m_box, &QAbstractSpinBox::selectAll);
}

bool score_keys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_box)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const Qt::KeyboardModifiers modifiers =
                key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
            QAbstractButton *button = move_button(modifiers);
            if (button->isEnabled())
                button->click();
            m_box->selectAll();
            return true;
        }
        const QString ascii = score_keys_ascii(key->text());
        if (ascii == key->text())
            return false;
        QKeyEvent typed(key->type(), Qt::Key_unknown, key->modifiers(), ascii);
        QCoreApplication::sendEvent(m_box, &typed);
        return true;
    }
    case QEvent::InputMethod: {
        auto *input = static_cast<QInputMethodEvent *>(event);
        const QString ascii = score_keys_ascii(input->commitString());
        if (ascii == input->commitString())
            return false;
        QInputMethodEvent typed(input->preeditString(), input->attributes());
        typed.setCommitString(ascii, input->replacementStart(), input->replacementLength());
        QCoreApplication::sendEvent(m_box, &typed);
        return true;
    }
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            select_later();
        return false;
    }
    case QEvent::Wheel:
        return !m_box->hasFocus();
    default:
        return false;
    }
}

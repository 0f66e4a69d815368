#include "app/score_keys.h"

#include <QAbstractScrollArea>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QValidator>

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

namespace {

// Wraps the box's own validator, which knows its range and decimals: every edit (a key, a
// paste, an input method's commit) reaches it in ASCII, and an edit that would make a score
// out of range is refused with its reason, told once the edit is over.
class score_validator : public QValidator
{
public:
    score_validator(const QValidator *inner, score_keys *keys, std::function<QString(const QString &)> refusal)
        : QValidator(keys), m_inner(inner), m_keys(keys), m_refusal(std::move(refusal))
    {
    }

    State validate(QString &input, int &pos) const override
    {
        QString ascii = score_keys_ascii(input);
        const State state = m_inner->validate(ascii, pos);
        if (state != Invalid) {
            input = ascii;
            return state;
        }
        const QString why = m_refusal(ascii);
        if (!why.isEmpty()) {
            score_keys *keys = m_keys;
            QTimer::singleShot(0, keys, [keys, why] { emit keys->refused(why); });
        }
        return Invalid;
    }

    void fixup(QString &input) const override { m_inner->fixup(input); }

private:
    const QValidator *m_inner;
    score_keys *m_keys;
    std::function<QString(const QString &)> m_refusal;
};

unch_move enter_move(Qt::KeyboardModifiers modifiers)
{
    const bool back = modifiers & Qt::ShiftModifier;
    if (modifiers & Qt::ControlModifier)
        return back ? unch_move::last_pro : unch_move::next_pro;
    return back ? unch_move::backward : unch_move::forward;
}

// Return, the keypad's Enter, and a line feed as some tools type one.
bool is_enter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->text() == QLatin1String("\n")
        || key->text() == QLatin1String("\r");
}

}  // namespace

score_keys::score_keys(QDoubleSpinBox *box, QAbstractScrollArea *answer, std::function<QString(const QString &)> refusal)
    : QObject(box), m_box(box), m_edit(box->findChild<QLineEdit *>()), m_answer(answer), m_refusal(std::move(refusal))
{
    // A wheel turned over the box must not take the focus, and with it the score.
    box->setFocusPolicy(Qt::StrongFocus);
    box->installEventFilter(this);
    m_edit->installEventFilter(this);
    m_edit->setValidator(new score_validator(m_edit->validator(), this, m_refusal));
}

void score_keys::select()
{
    m_click_selects = true;
    // After the click that gave the focus has placed the cursor.
    QTimer::singleShot(0, m_box, &QAbstractSpinBox::selectAll);
}

bool score_keys::key_press(QKeyEvent *key)
{
    // The page's Ctrl+G and Ctrl+U come before the line edit's own use of those keys: ignored
    // here, the key goes on to the page.
    if (key->modifiers() == Qt::ControlModifier && (key->key() == Qt::Key_G || key->key() == Qt::Key_U)) {
        key->ignore();
        return true;
    }
    if (is_enter(key)) {
        emit move_requested(enter_move(key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)));
        m_box->selectAll();
        return true;
    }
    switch (key->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // A long answer needs them more than the score does.
        m_answer->verticalScrollBar()->triggerAction(key->key() == Qt::Key_PageUp ? QAbstractSlider::SliderPageStepSub
                                                                                : QAbstractSlider::SliderPageStepAdd);
        return true;
    default: break;
    }
    const QString typed = score_keys_ascii(key->text());
    if (typed.isEmpty() || !typed.at(0).isPrint())
        return false;
    QString after = m_edit->text();
    if (m_edit->hasSelectedText())
        after.replace(m_edit->selectionStart(), m_edit->selectedText().size(), typed);
    else
        after.insert(m_edit->cursorPosition(), typed);
    const QString why = m_refusal(after);
    if (why.isEmpty())
        return false;
    emit refused(why);
    return true;
}

bool score_keys::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return watched == m_box && key_press(static_cast<QKeyEvent *>(event));

    case QEvent::FocusIn:
        if (watched == m_box)
            select();
        return false;
    case QEvent::MouseButtonRelease:
        if (watched == m_edit && m_click_selects) {
            m_click_selects = false;
            m_edit->selectAll();
        }
        return false;
    case QEvent::Wheel:
        return watched == m_box && !m_box->hasFocus();
    default:
        return false;
    }
}

#include "ui/dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QFileDialog>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace {

QMessageBox::StandardButton button_of(dialog_answer answer)
{
    switch (answer) {
    case dialog_answer::ok: return QMessageBox::Ok;
    case dialog_answer::cancel: return QMessageBox::Cancel;
    case dialog_answer::yes: return QMessageBox::Yes;
    case dialog_answer::no: return QMessageBox::No;
    case dialog_answer::save: return QMessageBox::Save;
    case dialog_answer::discard: return QMessageBox::Discard;
    case dialog_answer::ours:
    case dialog_answer::theirs: break;
    }
    return QMessageBox::NoButton;
}

// The buttons without a standard text.
QString custom_text(dialog_answer answer)
{
    return answer == dialog_answer::ours ? QObject::tr("用本窗口的") : QObject::tr("用文件中的");
}

// Drops the keys of a burst that began before the box showed: every key that comes less than
// a moment after the box showed or after the key before it. A teacher who reads the box
// pauses before answering it, typing on does not.
class typeahead_guard : public QObject
{
public:
    static constexpr qint64 burst_gap_ms = 400;

    typeahead_guard() { m_last.start(); }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        // One key reaches the window first and then the widget with the focus: it is judged
        // once, on its way in.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key == m_judged && key->timestamp() == m_judged_at)
            return m_dropped;
        m_judged = key;
        m_judged_at = key->timestamp();
        m_dropped = m_last.elapsed() < burst_gap_ms;
        if (event->type() == QEvent::KeyPress) {
            m_last.restart();
            if (m_dropped)
                QApplication::beep();
        }
        return m_dropped;
    }

private:
    QElapsedTimer m_last;
    const QKeyEvent *m_judged = nullptr;
    ulong m_judged_at = 0;
    bool m_dropped = false;
};

// An item's line as wide as a box may be: the file name it begins with whole, what follows
// cut at its end. Only a name that alone is wider than the box is cut, in its middle.
QString listed_line(const QFontMetrics &metrics, const QString &item, int name_size, int width)
{
    if (metrics.horizontalAdvance(item) <= width)
        return item;
    const QString name = item.left(name_size);
    const int name_width = metrics.horizontalAdvance(name);
    if (name_size >= item.size() || name_width >= width)
        return metrics.elidedText(name, Qt::ElideMiddle, width);
    return name + metrics.elidedText(item.mid(name_size), Qt::ElideRight, width - name_width);
}

}  // namespace

void dialogs::message(const QString &text)
{
    ask({text, {}, {dialog_answer::ok}, dialog_answer::ok, dialog_answer::ok});
}

void dialogs::refusal(const QString &text)
{
    ask({text, {}, {dialog_answer::ok}, dialog_answer::ok, dialog_answer::ok, true});
}

bool dialogs::confirm(const QString &text, dialog_answer default_answer)
{
    return ask({text, {}, {dialog_answer::ok, dialog_answer::cancel}, default_answer, dialog_answer::cancel})
        == dialog_answer::ok;
}

bool dialogs::yes_no(const QString &text, dialog_answer default_answer)
{
    return ask({text, {}, {dialog_answer::yes, dialog_answer::no}, default_answer, dialog_answer::no})
        == dialog_answer::yes;
}

save_answer dialogs::ask_save(const QString &text)
{
    switch (ask({text, {}, {dialog_answer::save, dialog_answer::discard, dialog_answer::cancel}, dialog_answer::save,
                 dialog_answer::cancel})) {
    case dialog_answer::save: return save_answer::save;
    case dialog_answer::discard: return save_answer::discard;
    default: return save_answer::cancel;
    }
}

void dialogs::message(const listed_message &message)
{
    QString details;
    const QString text = dialog_listed_text(message, &details);
    ask({text, details, {dialog_answer::ok}, dialog_answer::ok, dialog_answer::ok});
}

bool dialogs::confirm(const listed_message &message, dialog_answer default_answer)
{
    QString details;
    const QString text = dialog_listed_text(message, &details);
    return ask({text, details, {dialog_answer::ok, dialog_answer::cancel}, default_answer, dialog_answer::cancel})
        == dialog_answer::ok;
}

dialog_answer dialogs::merge_choice(const listed_message &conflicts)
{
    QString details;
    const QString text = dialog_listed_text(conflicts, &details);
    return ask({text, details, {dialog_answer::ours, dialog_answer::theirs, dialog_answer::cancel}, dialog_answer::cancel,
                dialog_answer::cancel});
}

QString dialog_listed_text(const listed_message &message, QString *details)
{
    const QFontMetrics metrics(QApplication::font());
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableSize() : QSize(1024, 768);
    // A message box is never wider than the screen less 480 pixels; its head, tail, buttons
    // and frame take about twelve lines.
    const int width = std::max(200, std::min(room.width() - 480, 600));
    const int fitting = std::max(3, room.height() / metrics.lineSpacing() - 12);
    const int shown = std::min({int(message.items.size()), DIALOG_LISTED_ITEMS, fitting});

    QStringList lines{message.head};
    bool cut = false;
    for (int i = 0; i < shown; ++i) {
        const QString &item = message.items[i];
        lines << listed_line(metrics, item, message.name_sizes.value(i, item.size()), width);
        cut |= lines.back() != message.items[i];
    }
    if (message.items.size() > shown)
        lines << QObject::tr("……另有%1项，完整的列表见“详细信息”").arg(message.items.size() - shown);
    if (!message.tail.isEmpty())
        lines << message.tail;
    details->clear();
    if (cut || message.items.size() > shown)
        *details = message.items.join(QLatin1Char('\n'));
    return lines.join(QLatin1Char('\n'));
}

qt_dialogs::qt_dialogs(QWidget *parent)
    : m_parent(parent)
{
}

dialog_answer qt_dialogs::ask(const dialog_question &question)
{
    QMessageBox box(m_parent);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(QString::fromUtf8("提示"));
    box.setTextFormat(Qt::PlainText);
    box.setText(question.text);
    box.setDetailedText(question.details);
    std::vector<std::pair<QAbstractButton *, dialog_answer>> buttons;
    for (const dialog_answer answer : question.answers) {
        QAbstractButton *button = button_of(answer) != QMessageBox::NoButton
            ? box.addButton(button_of(answer))
            : box.addButton(custom_text(answer), QMessageBox::AcceptRole);
        buttons.emplace_back(button, answer);
    }
    const auto button_for = [&](dialog_answer wanted) -> QPushButton * {
        for (const auto &[button, answer] : buttons) {
            if (answer == wanted)
                return qobject_cast<QPushButton *>(button);
        }
        return nullptr;
    };
    if (question.answers.size() > 1) {
        box.setDefaultButton(button_for(question.default_answer));
        box.setEscapeButton(button_for(question.escape_answer));
    }
    typeahead_guard guard;
    if (question.typeahead_guard)
        qApp->installEventFilter(&guard);
    box.exec();
    for (const auto &[button, answer] : buttons) {
        if (box.clickedButton() == button)
            return answer;
    }
    return question.escape_answer;
}

QString qt_dialogs::folder_choose(const QString &caption, const QString &start)
{
    return QFileDialog::getExistingDirectory(m_parent, caption, start, QFileDialog::ShowDirsOnly);
}

QString qt_dialogs::save_file_choose(const QString &caption, const QString &start, const QString &filter)
{
    return QFileDialog::getSaveFileName(m_parent, caption, start, filter);
}

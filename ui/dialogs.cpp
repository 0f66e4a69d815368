#include "ui/dialogs.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QFileDialog>
#include <QMessageBox>
#include <algorithm>
#include <deque>

namespace {

struct script {
    bool active = false;
    std::deque<bool> confirms;
    std::deque<bool> yes_nos;
    std::deque<save_answer> save_answers;
    std::deque<QString> folders;
    std::deque<QString> save_files;
    std::vector<dialog_call> calls;
};

script &the_script()
{
    static script s;
    return s;
}

template <typename T>
T take_front(std::deque<T> &queue, T fallback)
{
    if (queue.empty())
        return fallback;
    T value = queue.front();
    queue.pop_front();
    return value;
}

QString title_text()
{
    return QString::fromUtf8("提示");
}

// Shows a real box titled "提示" without an icon, its text never taken for markup, and
// returns the standard button that answered it.
int box_exec(const QString &text, const QString &details, QMessageBox::StandardButtons buttons,
             QMessageBox::StandardButton default_button, QMessageBox::StandardButton escape_button)
{
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title_text());
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setDetailedText(details);
    box.setStandardButtons(buttons);
    if (default_button != QMessageBox::NoButton)
        box.setDefaultButton(default_button);
    if (escape_button != QMessageBox::NoButton)
        box.setEscapeButton(escape_button);
    return box.exec();
}

// The text of a listed message and, when it is not all in the text, the whole list. Each
// item takes one line, cut in its middle where it is wider than a box may be, and no more
// items are named than the screen has lines for, so the box always fits the screen.
QString listed_text(const listed_message &message, QString *details)
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
        lines << metrics.elidedText(message.items[i], Qt::ElideMiddle, width);
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

void message_show(const QString &text, const QString &details)
{
    script &s = the_script();
    if (s.active) {
        s.calls.push_back({dialog_kind::message, text, details, {}, {}});
        return;
    }
    box_exec(text, details, QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::NoButton);
}

bool confirm_show(const QString &text, const QString &details)
{
    script &s = the_script();
    if (s.active) {
        s.calls.push_back({dialog_kind::confirm, text, details, {}, {}});
        return take_front(s.confirms, false);
    }
    return box_exec(text, details, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel)
        == QMessageBox::Ok;
}

}  // namespace

void dialog_message(const QString &text)
{
    message_show(text, {});
}

bool dialog_confirm(const QString &text)
{
    return confirm_show(text, {});
}

void dialog_message(const listed_message &message)
{
    QString details;
    const QString text = listed_text(message, &details);
    message_show(text, details);
}

bool dialog_confirm(const listed_message &message)
{
    QString details;
    const QString text = listed_text(message, &details);
    return confirm_show(text, details);
}

bool dialog_yes_no(const QString &text)
{
    script &s = the_script();
    if (s.active) {
        s.calls.push_back({dialog_kind::yes_no, text, {}, {}, {}});
        return take_front(s.yes_nos, false);
    }
    return box_exec(text, {}, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

save_answer dialog_ask_save(const QString &text)
{
    script &s = the_script();
    if (s.active) {
        s.calls.push_back({dialog_kind::ask_save, text, {}, {}, {}});
        return take_front(s.save_answers, save_answer::cancel);
    }
    switch (box_exec(text, {}, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save,
                     QMessageBox::Cancel)) {
    case QMessageBox::Save: return save_answer::save;
    case QMessageBox::Discard: return save_answer::discard;
    default: return save_answer::cancel;
    }
}

QString dialog_folder(const QString &caption)
{
    const QString start = QStringLiteral(".");
    script &s = the_script();
    if (s.active) {
        s.calls.push_back({dialog_kind::folder, caption, {}, start, {}});
        return take_front(s.folders, QString());
    }
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption, start,
                                             QFileDialog::ShowDirsOnly);
}

QString dialog_save_file(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter)
{
    script &s = the_script();
    if (s.active) {
        s.calls.push_back({dialog_kind::save_file, caption, {}, dir, filter});
        return take_front(s.save_files, QString());
    }
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

void dialog_test_begin()
{
    the_script() = script();
    the_script().active = true;
}

void dialog_test_end()
{
    the_script() = script();
}

void dialog_test_queue_confirm(bool ok)
{
    the_script().confirms.push_back(ok);
}

void dialog_test_queue_yes_no(bool yes)
{
    the_script().yes_nos.push_back(yes);
}

void dialog_test_queue_ask_save(save_answer answer)
{
    the_script().save_answers.push_back(answer);
}

void dialog_test_queue_folder(const QString &path)
{
    the_script().folders.push_back(path);
}

void dialog_test_queue_save_file(const QString &path)
{
    the_script().save_files.push_back(path);
}

std::vector<dialog_call> dialog_test_take_calls()
{
    std::vector<dialog_call> calls;
    calls.swap(the_script().calls);
    return calls;
}

QStringList dialog_test_take_messages()
{
    QStringList texts;
    for (const dialog_call &call : dialog_test_take_calls()) {
        if (call.kind == dialog_kind::message)
            texts << call.text;
    }
    return texts;
}

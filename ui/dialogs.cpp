#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <deque>

namespace {

struct script {
    bool active = false;
    std::deque<bool> confirms;
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

}  // namespace

void dialog_message(const QString &text)
{
    script &s = the_script();
    if (s.active) {
        s.calls.push_back({dialog_kind::message, text, {}, {}});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title_text(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool dialog_confirm(const QString &text)
{
    script &s = the_script();
    if (s.active) {
        s.calls.push_back({dialog_kind::confirm, text, {}, {}});
        return take_front(s.confirms, false);
    }
    QMessageBox box(QMessageBox::NoIcon, title_text(), text,
                    QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

QString dialog_folder(const QString &caption)
{
    const QString start = QStringLiteral(".");
    script &s = the_script();
    if (s.active) {
        s.calls.push_back({dialog_kind::folder, caption, start, {}});
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
        s.calls.push_back({dialog_kind::save_file, caption, dir, filter});
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

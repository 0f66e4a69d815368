#pragma once
// Dialogs that answer from queues and record every question, so that a test (or the
// benchmark) drives the window without a person. Unanswered questions get Cancel, No or "".

#include "ui/dialogs.h"

#include <QStringList>
#include <deque>
#include <memory>
#include <vector>

enum class dialog_kind { message, confirm, yes_no, ask_save, merge, folder, save_file };

struct dialog_call {
    dialog_kind kind;
    QString text;      // the box's text, or the picker's caption
    QString details;   // boxes: the text behind "显示详细信息", if any
    QString dir;       // pickers: the starting folder
    QString filter;    // save-file picker: the filter
    dialog_answer default_answer = dialog_answer::ok;   // boxes
};

class scripted_dialogs : public dialogs
{
public:
    dialog_answer ask(const dialog_question &question) override;
    QString folder_choose(const QString &caption, const QString &start) override;
    QString save_file_choose(const QString &caption, const QString &start, const QString &filter) override;

    void queue_confirm(bool ok) { m_confirms.push_back(ok); }
    void queue_yes_no(bool yes) { m_yes_nos.push_back(yes); }
    void queue_ask_save(save_answer answer) { m_save_answers.push_back(answer); }
    void queue_merge(dialog_answer answer) { m_merge_answers.push_back(answer); }
    void queue_folder(const QString &path) { m_folders.push_back(path); }
    void queue_save_file(const QString &path) { m_save_files.push_back(path); }

    // The calls recorded since the last take, oldest first.
    std::vector<dialog_call> take_calls();
    // The texts of the message boxes among them.
    QStringList take_messages();

    // Empties the queues and the records.
    void forget();
    // From here on the real dialogs show, modal to parent, for a test that answers a real box
    // itself; nullptr returns to the queues. Either way the queues and records are emptied.
    void real_use(QWidget *parent);

private:
    std::deque<bool> m_confirms;
    std::deque<bool> m_yes_nos;
    std::deque<save_answer> m_save_answers;
    std::deque<dialog_answer> m_merge_answers;
    std::deque<QString> m_folders;
    std::deque<QString> m_save_files;
    std::vector<dialog_call> m_calls;
    std::unique_ptr<qt_dialogs> m_real;
};

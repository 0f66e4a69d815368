#include "scripted_dialogs.h"

#include <algorithm>

namespace {

template <typename T>
T take_front(std::deque<T> &queue, T fallback)
{
    if (queue.empty())
        return fallback;
    T value = queue.front();
    queue.pop_front();
    return value;
}

bool offers(const dialog_question &question, dialog_answer answer)
{
    return std::find(question.answers.begin(), question.answers.end(), answer) != question.answers.end();
}

}  // namespace

dialog_answer scripted_dialogs::ask(const dialog_question &question)
{
    if (m_real)
        return m_real->ask(question);
    dialog_call call{dialog_kind::message, question.text, question.details, {}, {}, question.default_answer};
    dialog_answer answer = dialog_answer::ok;
    if (offers(question, dialog_answer::ours)) {
        call.kind = dialog_kind::merge;
        answer = take_front(m_merge_answers, dialog_answer::cancel);
    } else if (offers(question, dialog_answer::save)) {
        call.kind = dialog_kind::ask_save;
        switch (take_front(m_save_answers, save_answer::cancel)) {
        case save_answer::save: answer = dialog_answer::save; break;
        case save_answer::discard: answer = dialog_answer::discard; break;
        case save_answer::cancel: answer = dialog_answer::cancel; break;
        }
    } else if (offers(question, dialog_answer::yes)) {
        call.kind = dialog_kind::yes_no;
        answer = take_front(m_yes_nos, false) ? dialog_answer::yes : dialog_answer::no;
    } else if (offers(question, dialog_answer::cancel)) {
        call.kind = dialog_kind::confirm;
        answer = take_front(m_confirms, false) ? dialog_answer::ok : dialog_answer::cancel;
    }
    m_calls.push_back(call);
    return answer;
}

QString scripted_dialogs::folder_choose(const QString &caption, const QString &start)
{
    if (m_real)
        return m_real->folder_choose(caption, start);
    m_calls.push_back({dialog_kind::folder, caption, {}, start, {}});
    return take_front(m_folders, QString());
}

QString scripted_dialogs::save_file_choose(const QString &caption, const QString &start, const QString &filter)
{
    if (m_real)
        return m_real->save_file_choose(caption, start, filter);
    m_calls.push_back({dialog_kind::save_file, caption, {}, start, filter});
    return take_front(m_save_files, QString());
}

std::vector<dialog_call> scripted_dialogs::take_calls()
{
    std::vector<dialog_call> calls;
    calls.swap(m_calls);
    return calls;
}

QStringList scripted_dialogs::take_messages()
{
    QStringList texts;
    for (const dialog_call &call : take_calls()) {
        if (call.kind == dialog_kind::message)
            texts << call.text;
    }
    return texts;
}

void scripted_dialogs::forget()
{
    m_confirms.clear();
    m_yes_nos.clear();
    m_save_answers.clear();
    m_merge_answers.clear();
    m_folders.clear();
    m_save_files.clear();
    m_calls.clear();
}

void scripted_dialogs::real_use(QWidget *parent)
{
    forget();
    m_real = parent ? std::make_unique<qt_dialogs>(parent) : nullptr;
}

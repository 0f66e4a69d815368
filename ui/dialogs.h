#pragma once
// Every dialog the window shows goes through a `dialogs` it is given: the real Qt boxes and
// pickers in the program (`qt_dialogs`), scripted answers in the tests.

#include "store/listed_message.h"

#include <QString>
#include <vector>

class QWidget;

// The buttons a box may offer: the standard ones with their standard texts (确定, 取消, 是, 否,
// 保存, 丢弃), and for scores two windows changed apiece, 用本窗口的 and 用文件中的.
enum class dialog_answer { ok, cancel, yes, no, save, discard, ours, theirs };

// A box titled "提示" without an icon; its text is plain text, so names and paths in it are
// never read as markup. The details stay behind the box's "显示详细信息" button.
struct dialog_question {
    QString text;
    QString details;
    std::vector<dialog_answer> answers;   // the buttons
    dialog_answer default_answer = dialog_answer::ok;
    dialog_answer escape_answer = dialog_answer::ok;
    // Keys typed in one burst with those before the box showed cannot answer it: they were
    // meant for what the box interrupted.
    bool typeahead_guard = false;
};

enum class save_answer { save, discard, cancel };

class dialogs
{
public:
    virtual ~dialogs() = default;

    // Shows the box and returns the button that answered it.
    virtual dialog_answer ask(const dialog_question &question) = 0;
    // Folder picker; "" when cancelled.
    virtual QString folder_choose(const QString &caption, const QString &start) = 0;
    // Save-file picker; "" when cancelled.
    virtual QString save_file_choose(const QString &caption, const QString &start, const QString &filter) = 0;

    // An OK box.
    void message(const QString &text);
    // An OK box telling why what the teacher typed was refused; keys typed on before it could
    // be read are dropped with a beep, so none of them lands anywhere.
    void refusal(const QString &text);
    // OK and Cancel; true for OK. A question whose OK would overwrite or discard something
    // passes Cancel as its default, so that Enter does nothing.
    bool confirm(const QString &text, dialog_answer default_answer = dialog_answer::ok);
    // Yes and No, No the default unless given; Escape says No. True for Yes.
    bool yes_no(const QString &text, dialog_answer default_answer = dialog_answer::no);
    // Save, Discard and Cancel, Save the default; Escape cancels.
    save_answer ask_save(const QString &text);

    // The scores two windows changed apiece: 用本窗口的, 用文件中的 or 取消, 取消 the default,
    // since either of the others overwrites somebody's score.
    dialog_answer merge_choice(const listed_message &conflicts);

    // A message that lists files fits the screen: it names the first ones, says how many more
    // there are, and holds the whole list in the box's details.
    void message(const listed_message &message);
    bool confirm(const listed_message &message, dialog_answer default_answer = dialog_answer::ok);
};

// A listed message names at most this many items in its text.
constexpr int DIALOG_LISTED_ITEMS = 20;
// The text of a listed message as a box shows it, and the whole list for its details when not
// all of it is in the text. Each item takes one line; where it is wider than a box may be, what
// follows its file name is cut at its end (a name alone, in its middle), and no more items are
// named than the screen has lines for.
QString dialog_listed_text(const listed_message &message, QString *details);

// The real dialogs, modal to the window that asks.
class qt_dialogs : public dialogs
{
public:
    explicit qt_dialogs(QWidget *parent);

    dialog_answer ask(const dialog_question &question) override;
    QString folder_choose(const QString &caption, const QString &start) override;
    QString save_file_choose(const QString &caption, const QString &start, const QString &filter) override;

private:
    QWidget *m_parent;
};

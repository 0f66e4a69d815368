#pragma once
// Every dialog of the program goes through these functions. Production shows the real
// Qt dialogs; a test switches on scripted mode, queues the answers and reads back what
// was asked, so no dialog ever waits for a person.

#include "store/listed_message.h"

#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

// Every box shows its text as plain text: names and paths in it are never read as markup.
// An OK box titled "提示" without an icon.
void dialog_message(const QString &text);
// An OK/Cancel box titled "提示", OK the default; true for OK.
bool dialog_confirm(const QString &text);

// A message that lists files fits the screen: it names the first 20, says how many more
// there are, and holds the whole list in the box's details.
constexpr int DIALOG_LISTED_ITEMS = 20;
void dialog_message(const listed_message &message);
bool dialog_confirm(const listed_message &message);
// A Yes/No box titled "提示", No the default and the escape; true for Yes.
bool dialog_yes_no(const QString &text);
enum class save_answer { save, discard, cancel };
// A Save/Discard/Cancel box titled "提示", Save the default, Escape cancels.
save_answer dialog_ask_save(const QString &text);
// Folder picker starting in "."; an empty string when cancelled.
QString dialog_folder(const QString &caption);
// Save-file picker; an empty string when cancelled.
QString dialog_save_file(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter);

// --- test seam ---
enum class dialog_kind { message, confirm, yes_no, ask_save, folder, save_file };

struct dialog_call {
    dialog_kind kind;
    QString text;     // message or confirmation text, or the picker's caption
    QString details;  // boxes: the text behind "详细信息", if any
    QString dir;      // pickers: the starting folder
    QString filter;   // save-file picker: the filter
};

// From here on no dialog is shown; answers come from the queues (Cancel / empty when none is
// queued) and every call is recorded. Clears queues and records.
void dialog_test_begin();
// Back to the real dialogs, as in production, for a test that answers a real box itself.
// Clears queues and records.
void dialog_test_end();
void dialog_test_queue_confirm(bool ok);
void dialog_test_queue_yes_no(bool yes);
void dialog_test_queue_ask_save(save_answer answer);
void dialog_test_queue_folder(const QString &path);
void dialog_test_queue_save_file(const QString &path);
// The calls recorded since dialog_test_begin() or the last take, oldest first.
std::vector<dialog_call> dialog_test_take_calls();
// The texts of the message boxes among them.
QStringList dialog_test_take_messages();

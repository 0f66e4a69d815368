#pragma once
// New, open, save and close of an evaluation, as the four buttons above the pages run them,
// and what the window does when it is closed.

#include "app/window_state.h"

class QAbstractButton;
class QWidget;
class choice_page;
class dialogs;
class main_page;
class score_page;
class unch_page;

// The window, whose title names the open class, and the buttons that work only while an
// evaluation is open.
struct lifecycle_widgets {
    QWidget *window;
    QAbstractButton *close_paper;
    QAbstractButton *save_paper;
};

struct window_pages {
    main_page &main;
    choice_page &choice;
    unch_page &unch;
    score_page &score;
};

class lifecycle
{
public:
    lifecycle(const lifecycle_widgets &widgets, const window_pages &pages, window_state &state, dialogs &dialogs);
    // Lets other windows open the evaluation without a warning.
    ~lifecycle();

    // Creates the "st" and "sc" sub-folders in a folder the teacher picks.
    void create();
    // Reads a folder the teacher picks and, unless it is refused or the teacher keeps the open
    // one, makes it the open evaluation and prepares every page for it.
    void open();
    // Writes every student's score file, asking first about files another program changed,
    // and only into the "sc" folder the evaluation was opened with. True when every file was
    // written.
    bool save();
    // After the teacher confirms, or saves or discards unsaved work, returns every page to the
    // state without an evaluation.
    void close();
    // The window's title: the program, and the open class with how many of its open answers
    // are scored by hand.
    void title_update();
    // Before the window closes: offers to save unsaved scores. False when the teacher cancels
    // or the save failed, and the window must stay.
    bool quit();

private:
    // Stores a score typed and not yet stored; its refusal ends with consequence, what did
    // not happen. False when refused.
    bool typed_store(const QString &consequence);
    enum class settled { go, saved, stay };
    // Whether the open evaluation may be replaced: nothing unsaved (go), saved first (saved),
    // discarded by the teacher (go), or not (stay: cancelled, or the save failed).
    settled unsaved_settle();
    void unlock();

    lifecycle_widgets m_widgets;
    window_pages m_pages;
    window_state &m_state;
    dialogs &m_dialogs;
};

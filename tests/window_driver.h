#pragma once
// Drives the real main window the way a teacher does: buttons found by object name and
// clicked, dialogs answered by its scripted dialogs, or a real box answered by a key.

#include "app/lumo_test.h"
#include "scripted_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLCDNumber>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <vector>

struct window_driver {
    scripted_dialogs *dialogs = new scripted_dialogs;   // the window owns it
    lumo_test window{std::unique_ptr<::dialogs>(dialogs)};

    window_driver() { window.show(); }

    template <typename T = QWidget>
    T *find(const char *name)
    {
        T *widget = window.findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }

    void click(const char *name) { QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton); }
    bool enabled(const char *name) { return find(name)->isEnabled(); }
    QString label(const char *name) { return find<QLabel>(name)->text(); }
    double lcd(const char *name) { return find<QLCDNumber>(name)->value(); }

    // Opens a folder; returns the messages shown on the way.
    QStringList open(const QString &folder)
    {
        dialogs->queue_folder(folder);
        click("open_paper");
        return dialogs->take_messages();
    }

    // Closes after answering the confirmation with OK, or the question about unsaved work
    // with Discard.
    void close()
    {
        dialogs->queue_confirm(true);
        dialogs->queue_ask_save(save_answer::discard);
        click("close_paper");
        dialogs->forget();
    }
};

// While it lives the driven window shows the real dialogs, as in production, and every
// message box that opens is answered with key presses sent where a person's would go: to the
// box's focus, or by a click on one of its buttons. Scripted answers bypass the box, so only this shows what Return and Escape do.
// A box the key leaves open, or any other dialog, is closed and recorded as left open, so a
// wrong answer fails the test instead of hanging it. Scripted answers are back, with empty
// queues, once it is gone.
class real_box_answer
{
public:
    // What a box showed before the key press, and whether the press closed it.
    struct shown {
        QString title;
        QString text;
        QString details;
        int height;
        Qt::TextFormat format;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton default_button;
        QMessageBox::StandardButton escape_button;
        bool left_open;
    };
    std::vector<shown> boxes;

    // One box's answer: keys pressed in turn as fast as a typist does, or a button clicked.
    struct box_answer {
        std::vector<Qt::Key> keys;
        QMessageBox::StandardButton button = QMessageBox::NoButton;
    };

    // The boxes are answered in turn; the last answer answers every further box.
    real_box_answer(window_driver &driver, std::vector<box_answer> answers)
        : m_driver(driver), m_answers(std::move(answers))
    {
        driver.dialogs->real_use(&driver.window);
        // A box's own event loop runs the timer; until a box is up it just looks again.
        QObject::connect(&m_poll, &QTimer::timeout, [this] { answer(); });
        m_poll.start(0);
    }
    real_box_answer(window_driver &driver, Qt::Key key) : real_box_answer(driver, {{{key}}}) {}
    ~real_box_answer() { m_driver.dialogs->real_use(nullptr); }

private:
    void answer()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box) {   // some other dialog, a picker say: recorded by its class, then closed
            boxes.push_back({modal->windowTitle(), QString::fromLatin1(modal->metaObject()->className()), {},
                             modal->height(), Qt::AutoText, QMessageBox::NoIcon, {}, QMessageBox::NoButton, QMessageBox::NoButton, true});
            modal->close();
            return;
        }
        boxes.push_back({box->windowTitle(), box->text(), box->detailedText(), box->height(), box->textFormat(), box->icon(), box->standardButtons(),
                         box->standardButton(box->defaultButton()),
                         box->standardButton(box->escapeButton()), false});
        const box_answer &answer = m_answers[std::min(boxes.size(), m_answers.size()) - 1];
        if (answer.button != QMessageBox::NoButton)
            box->button(answer.button)->click();
        for (const Qt::Key key : answer.keys) {
            if (box->isVisible())
                QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, key);
        }
        if (box->isVisible()) {
            boxes.back().left_open = true;
            box->reject();
        }
    }

    window_driver &m_driver;
    std::vector<box_answer> m_answers;
    QTimer m_poll;
};

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

    // Closes after answering the confirmation with OK.
    void close()
    {
        dialogs->queue_confirm(true);
        click("close_paper");
        dialogs->take_calls();
    }
};

// While it lives the driven window shows the real dialogs, as in production, and every
// message box that opens is answered with a key press sent where a person's would go: to the
// box's focus. Scripted answers bypass the box, so only this shows what Return and Escape do.
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

    real_box_answer(window_driver &driver, Qt::Key key) : m_driver(driver), m_key(key)
    {
        driver.dialogs->real_use(&driver.window);
        // A box's own event loop runs the timer; until a box is up it just looks again.
        QObject::connect(&m_poll, &QTimer::timeout, [this] { answer(); });
        m_poll.start(0);
    }
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
        QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, m_key);
        if (box->isVisible()) {
            boxes.back().left_open = true;
            box->reject();
        }
    }

    window_driver &m_driver;
    Qt::Key m_key;
    QTimer m_poll;
};

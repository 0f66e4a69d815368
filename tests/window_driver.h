#pragma once
// Drives the real main window the way a teacher does: buttons found by object name and
// clicked, dialogs answered through the dialog seam.

#include "app/lumo_test.h"
#include "ui/dialogs.h"

#include <QAbstractButton>
#include <QLCDNumber>
#include <QLabel>
#include <QTest>

struct window_driver {
    lumo_test window;

    window_driver()
    {
        dialog_test_begin();
        window.show();
    }

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
        dialog_test_queue_folder(folder);
        click("open_paper");
        return dialog_test_take_messages();
    }

    // Closes after answering the confirmation with OK.
    void close()
    {
        dialog_test_queue_confirm(true);
        click("close_paper");
        dialog_test_take_calls();
    }
};

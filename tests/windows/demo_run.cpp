// lumo_demo_run CLASS OUT: a teacher's round on a class through the real window, its questions
// answered through the dialogs' seam as the tests answer them: open CLASS, grade the choice
// questions, score the open answers from the keyboard, fill the score table, export
// OUT/成绩.xlsx and OUT/成绩.xls, save and close. Prints the folder the export's dialog
// started in; exits 1 naming every step that showed a message or left the lock wrong.

#include "window_driver.h"

#include <QDoubleSpinBox>
#include <QFile>
#include <QTabWidget>
#include <cstdio>

namespace {

// Two open questions of 10 and 8 points, each student's answer in turn, as the demo has them.
const char *const open_scores[] = {"8", "6", "10", "3", "7.5", "5", "8", "2"};

// The pid the class's lock names, or "" when there is no lock.
QByteArray lock_holder(const QString &folder)
{
    QFile lock(folder + QStringLiteral("/.lumo_test.lock"));
    return lock.open(QIODevice::ReadOnly) ? lock.readLine().trimmed() : QByteArray();
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fputs("usage: lumo_demo_run CLASS OUT\n", stderr);
        return 2;
    }
    const QString folder = arguments[1];
    const QString out = arguments[2];
    window_driver d;
    QStringList failures;
    const auto step_check = [&](const char *step) {
        for (const QString &message : d.dialogs->take_messages())
            failures << QStringLiteral("%1: %2").arg(QLatin1String(step), message);
    };

    d.open(folder);
    step_check("open");
    if (lock_holder(folder) != QByteArray::number(QCoreApplication::applicationPid()))
        failures << QStringLiteral("open: the lock does not name this process");
    d.click("test_ch");
    step_check("grade");

    // The window as the teacher has it, active: the box's text is selected as it gets the
    // focus, so the digits typed replace it.
    QApplication::setActiveWindow(&d.window);
    if (!QTest::qWaitForWindowActive(&d.window))
        failures << QStringLiteral("score: the window could not be made active");
    d.find<QTabWidget>("tabWidget")->setCurrentIndex(2);
    auto *box = d.find<QDoubleSpinBox>("unch_score_in");
    box->setFocus(Qt::TabFocusReason);
    for (const char *score : open_scores) {
        QTest::keyClicks(box, QLatin1String(score));
        QTest::keyClick(box, Qt::Key_Return);
    }
    step_check("score");
    d.click("servey");
    step_check("statistics");

    QString export_folder;
    for (const char *name : {"成绩.xlsx", "成绩.xls"}) {
        d.dialogs->queue_save_file(out + QLatin1Char('/') + QString::fromUtf8(name));
        d.click("out_file");
        for (const dialog_call &call : d.dialogs->take_calls()) {
            if (call.kind == dialog_kind::save_file)
                export_folder = call.dir;
            else
                failures << QStringLiteral("export: ") + call.text;
        }
    }
    d.click("save_paper");
    step_check("save");
    d.dialogs->queue_confirm(true);
    d.click("close_paper");
    step_check("close");
    if (!lock_holder(folder).isEmpty())
        failures << QStringLiteral("close: the lock is still there");

    std::printf("export dialog folder: %s\n", export_folder.toUtf8().constData());
    for (const QString &failure : failures)
        std::fprintf(stderr, "%s\n", failure.toUtf8().constData());
    return failures.isEmpty() ? 0 : 1;
}

// What the window does so that no typed or graded score is lost without a question, and
// what it shows of an evaluation opened over another.

#include "eval_fixture.h"
#include "other_process.h"
#include "store/local_host.h"
#include "window_driver.h"

#include <QDoubleSpinBox>
#include <QProgressBar>
#include <QTableWidget>
#include <QTextBrowser>
#include <QtTest>

namespace {

const QString unsaved_question = QStringLiteral("当前评测有尚未保存的成绩，是否先保存？");

// The questions about unsaved work among the calls since the last take.
int unsaved_questions(window_driver &d)
{
    int asked = 0;
    for (const dialog_call &call : d.dialogs->take_calls())
        asked += call.kind == dialog_kind::ask_save && call.text == unsaved_question;
    return asked;
}

void score_type(window_driver &d, const QString &digits)
{
    auto *box = d.find<QDoubleSpinBox>("unch_score_in");
    box->selectAll();
    QTest::keyClicks(box, digits);
}

}  // namespace

class test_unsaved_work : public QObject
{
    Q_OBJECT

private slots:
    void closing_asks_only_about_unsaved_work()
    {
        eval_fixture eval;
        two_one_one(eval);
        window_driver d;
        d.open(eval.path);
        QVERIFY(d.window.close());   // nothing changed: nothing asked
        QCOMPARE(unsaved_questions(d), 0);

        d.window.show();
        d.click("test_ch");
        d.dialogs->queue_ask_save(save_answer::cancel);
        QVERIFY(!d.window.close());
        QCOMPARE(unsaved_questions(d), 1);
        QVERIFY(d.window.isVisible());
        QVERIFY(eval.bytes("sc/张三.stu").isEmpty());

        d.dialogs->queue_ask_save(save_answer::save);
        QVERIFY(d.window.close());
        QCOMPARE(unsaved_questions(d), 1);
        QCOMPARE(eval.bytes("sc/张三.stu"), QByteArray("2.000\n2.000\n4.000\n0.000\n"));

        // Saved: closing again asks nothing.
        d.window.show();
        QVERIFY(d.window.close());
        QCOMPARE(unsaved_questions(d), 0);
    }

    void a_typed_score_is_work_to_save()
    {
        eval_fixture eval;
        two_one_one(eval);
        window_driver d;
        d.open(eval.path);
        score_type(d, QStringLiteral("7.5"));
        d.click("save_paper");   // stores what was typed first
        QCOMPARE(eval.bytes("sc/张三.stu"), QByteArray("0.000\n0.000\n0.000\n7.500\n"));

        score_type(d, QStringLiteral("7"));
        d.dialogs->queue_ask_save(save_answer::discard);
        QVERIFY(d.window.close());
        QCOMPARE(unsaved_questions(d), 1);   // typed, not stored: unsaved all the same
        QCOMPARE(eval.bytes("sc/张三.stu"), QByteArray("0.000\n0.000\n0.000\n7.500\n"));
    }

    void opening_over_unsaved_work_asks_after_reading()
    {
        eval_fixture first;
        two_one_one(first);
        eval_fixture second;
        second.folders().paper("1 0 0\n3 @题$\n").key("1\n").student("a.stu", "1\n");
        window_driver d;
        d.open(first.path);
        d.click("test_ch");

        eval_fixture refused;   // no paper: refused before anything is asked
        QCOMPARE(d.open(refused.path).size(), 1);
        QCOMPARE(unsaved_questions(d), 0);

        d.dialogs->queue_ask_save(save_answer::cancel);
        d.open(second.path);
        QCOMPARE(d.label("stu_num"), QStringLiteral("3"));   // the first class stays open
        QCOMPARE(d.label("pingce"), QStringLiteral("评测完成"));

        d.dialogs->queue_ask_save(save_answer::discard);
        d.open(second.path);
        QCOMPARE(unsaved_questions(d), 0);   // d.open took the calls
        QCOMPARE(d.label("stu_num"), QStringLiteral("1"));
        // The choice page shows nothing of the first class's grading.
        QCOMPARE(d.label("pingce"), QStringLiteral("未进行操作"));
        QCOMPARE(d.find<QProgressBar>("jingdu")->value(), 0);
        QVERIFY(d.find<QTextBrowser>("ch_ifm_show")->toPlainText().isEmpty());
        QVERIFY(first.bytes("sc/张三.stu").isEmpty());
    }

    // 关闭当前评测 asks about unsaved work as closing the window does, not its plain question.
    void closing_the_evaluation_keeps_unsaved_work()
    {
        eval_fixture eval;
        two_one_one(eval);
        window_driver d;
        d.open(eval.path);
        d.click("test_ch");
        d.dialogs->queue_ask_save(save_answer::cancel);
        d.click("close_paper");
        QCOMPARE(unsaved_questions(d), 1);
        QVERIFY(d.enabled("close_paper"));
        d.dialogs->queue_ask_save(save_answer::save);
        d.click("close_paper");
        QCOMPARE(unsaved_questions(d), 1);
        QVERIFY(!d.enabled("close_paper"));
        QCOMPARE(eval.bytes("sc/张三.stu"), QByteArray("2.000\n2.000\n4.000\n0.000\n"));
    }

    // Saved before opening the same class again: the window shows what it saved, and the next
    // save finds no file changed by anyone else.
    void reopening_after_saving_shows_the_saved_scores()
    {
        eval_fixture eval;
        two_one_one(eval);
        window_driver d;
        d.open(eval.path);
        d.click("test_ch");
        d.dialogs->queue_ask_save(save_answer::save);
        QCOMPARE(d.open(eval.path), QStringList());
        d.click("servey");
        QCOMPARE(d.find<QTableWidget>("score_show")->item(0, 1)->text(), QStringLiteral("8.000"));
        d.click("save_paper");
        QVERIFY(d.dialogs->take_calls().empty());
    }

    // Two windows may score one class together now: the second is told so, Yes the default.
    void a_second_window_is_told()
    {
        eval_fixture eval;
        two_one_one(eval);
        // The lock of another live process of this machine.
        other_process other;
        eval.file(".lumo_test.lock", QByteArray::number(other.pid()) + '\n' + local_host_name() + '\n');
        window_driver d;
        d.dialogs->queue_folder(eval.path);
        d.click("open_paper");
        std::vector<dialog_call> calls = d.dialogs->take_calls();
        QCOMPARE(calls.back().kind, dialog_kind::yes_no);
        QCOMPARE(calls.back().default_answer, dialog_answer::yes);
        QCOMPARE(calls.back().text, QStringLiteral("此评测已在另一个窗口中打开（进程号%1）。两个窗口可以同时评分，"
                                                   "保存时逐个成绩合并，不会覆盖对方的成绩。是否打开？")
                                        .arg(other.pid()));
        QVERIFY(!d.enabled("close_paper"));   // No: not opened

        // Opened too, the other window's lock stays: a third window is told too.
        d.dialogs->queue_yes_no(true);
        d.open(eval.path);
        QVERIFY(d.enabled("close_paper"));
        QCOMPARE(eval.bytes(".lumo_test.lock").split('\n').value(0), QByteArray::number(other.pid()));
        d.close();
        QCOMPARE(eval.bytes(".lumo_test.lock").split('\n').value(0), QByteArray::number(other.pid()));

        // Another machine's window is named with its machine.
        eval.file(".lumo_test.lock", "12345\nteacher-pc\n");
        d.dialogs->queue_folder(eval.path);
        d.click("open_paper");
        QVERIFY(d.dialogs->take_calls().back().text.startsWith(
            QStringLiteral("此评测已在另一个窗口中打开（计算机“teacher-pc”上的进程号12345）")));
    }
};

QTEST_MAIN(test_unsaved_work)
#include "test_unsaved_work.moc"

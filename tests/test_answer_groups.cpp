// Ctrl+G gives every identical answer the score at once; Ctrl+U finds the next answer not
// scored by hand, in this sitting and the next.

#include "eval_fixture.h"
#include "window_driver.h"

#include <QDoubleSpinBox>
#include <QToolTip>
#include <QtTest>

namespace {

// Two open questions of 2 and 3 points. Of the answers to question 1, a, b and d read the same
// once the spaces at their ends (ASCII and full-width) are gone; c differs inside.
void five_students(eval_fixture &eval)
{
    eval.folders().paper("0 0 2\n2 @q1$ 3 @q2$").key("@氧气$ @r2$");
    eval.student("a.stu", "@氧气$ @x$");
    eval.student("b.stu", "@ 氧气\xe3\x80\x80$ @x$");
    eval.student("c.stu", "@氧 气$ @y$");
    eval.student("d.stu", "@氧气$ @z$");
    eval.student("e.stu", "@O2$ @z$");
}

const QString asked = QStringLiteral("另有2名学生对本题的答案与此相同，是否也给他们2分？");

}  // namespace

class test_answer_groups : public QObject
{
    Q_OBJECT

    QDoubleSpinBox *box(window_driver &d) { return d.find<QDoubleSpinBox>("unch_score_in"); }

    void type(window_driver &d, const QString &keys)
    {
        box(d)->selectAll();
        QTest::keyClicks(box(d), keys);
    }

    void key(window_driver &d, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QTest::keyClick(box(d), key, modifiers);
    }

    QByteArray saved(window_driver &d, eval_fixture &eval, const QByteArray &student)
    {
        d.click("save_paper");
        return eval.bytes("sc/" + student);
    }

private slots:
    void identical_answers_are_scored_at_once()
    {
        eval_fixture eval;
        five_students(eval);
        window_driver d;
        d.open(eval.path);
        type(d, QStringLiteral("2"));
        key(d, Qt::Key_G);   // No: only a's own score is stored
        std::vector<dialog_call> calls = d.dialogs->take_calls();
        QCOMPARE(calls.size(), std::size_t(1));
        QCOMPARE(calls[0].kind, dialog_kind::yes_no);
        QCOMPARE(calls[0].text, asked);
        QCOMPARE(calls[0].default_answer, dialog_answer::yes);
        QCOMPARE(saved(d, eval, "a.stu"), QByteArray("2.000\n0.000\n"));
        QCOMPARE(eval.bytes("sc/b.stu"), QByteArray("0.000\n0.000\n"));

        d.dialogs->queue_yes_no(true);
        key(d, Qt::Key_G);
        for (const char *student : {"b.stu", "d.stu"})
            QCOMPARE(saved(d, eval, student), QByteArray("2.000\n0.000\n"));
        QCOMPARE(eval.bytes("sc/c.stu"), QByteArray("0.000\n0.000\n"));   // inner space: not the same

        // d scored otherwise by hand: the question says so and defaults to No.
        key(d, Qt::Key_Return, Qt::NoModifier);
        key(d, Qt::Key_Return, Qt::NoModifier);
        key(d, Qt::Key_Return, Qt::NoModifier);
        type(d, QStringLiteral("1"));
        key(d, Qt::Key_Return, Qt::ShiftModifier);
        d.click("last_stu");
        d.click("last_stu");
        d.click("last_stu");
        type(d, QStringLiteral("2"));
        key(d, Qt::Key_G);
        calls = d.dialogs->take_calls();
        QCOMPARE(calls.back().text, asked + QStringLiteral("\n其中1名学生已由老师评分，他们的得分会被改为此分。"));
        QCOMPARE(calls.back().default_answer, dialog_answer::no);

        // A refused score is refused before anything is asked.
        type(d, QStringLiteral("5"));
        key(d, Qt::Key_G);
        calls = d.dialogs->take_calls();
        QCOMPARE(calls.size(), std::size_t(2));   // at the key, and again at Ctrl+G
        QCOMPARE(calls[1].kind, dialog_kind::message);

        // No other answer like e's: a note, no question.
        type(d, QStringLiteral("0"));
        d.click("next_stu");
        d.click("next_stu");
        d.click("next_stu");
        d.click("next_stu");
        key(d, Qt::Key_G);
        QVERIFY(d.dialogs->take_calls().empty());
        QCOMPARE(QToolTip::text(), QStringLiteral("没有其他学生对本题的答案与此相同"));
    }

    void the_next_unscored_answer_is_found_again_after_reopening()
    {
        eval_fixture eval;
        five_students(eval);
        window_driver d;
        d.open(eval.path);
        type(d, QStringLiteral("1"));
        for (int k = 0; k < 6; ++k)   // all of question 1, and a's question 2
            key(d, Qt::Key_Return, Qt::NoModifier);
        d.click("save_paper");
        d.close();
        QCOMPARE(d.open(eval.path), QStringList());
        QCOMPARE(d.window.windowTitle(), QStringLiteral("eval 已评 6/10 - LUMO试卷评测系统2.0-评测端lumo_test"));
        key(d, Qt::Key_U);   // from a's question 1 on: across the question boundary
        QCOMPARE(d.lcd("pro_now"), 2.0);
        QCOMPARE(d.lcd("stu_now"), 2.0);
        type(d, QStringLiteral("0"));   // a 0 typed over 0.000 is a score given: on to the next
        key(d, Qt::Key_U);
        QCOMPARE(d.lcd("stu_now"), 3.0);
        for (int k = 0; k < 3; ++k)
            key(d, Qt::Key_Return, Qt::NoModifier);
        QCOMPARE(d.window.windowTitle(), QStringLiteral("eval 已评 10/10 - LUMO试卷评测系统2.0-评测端lumo_test"));
        key(d, Qt::Key_U);
        QCOMPARE(QToolTip::text(), QStringLiteral("所有非选择题答卷都已评分"));
    }

    void an_unreadable_record_is_reported_and_ignored()
    {
        eval_fixture eval;
        five_students(eval);
        eval.file(".lumo_test.scored", "not ours");
        window_driver d;
        d.dialogs->queue_folder(eval.path);
        d.click("open_paper");
        const std::vector<dialog_call> calls = d.dialogs->take_calls();
        QCOMPARE(calls.back().kind, dialog_kind::message);
        QVERIFY(calls.back().text.startsWith(QStringLiteral("打开评测时，下列文件未能完整读取或内容有误：")));
        QCOMPARE(calls.back().details, QStringLiteral(".lumo_test.scored：不是本程序写的评分记录，或已损坏，已忽略"));
        QVERIFY(d.enabled("close_paper"));
        key(d, Qt::Key_Return, Qt::NoModifier);
        d.click("save_paper");
        QVERIFY(eval.bytes(".lumo_test.scored").startsWith("lumo_test scored by hand 1\n"));
    }
};

QTEST_MAIN(test_answer_groups)
#include "test_answer_groups.moc"

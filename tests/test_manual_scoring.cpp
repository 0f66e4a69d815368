#include "eval_fixture.h"
#include "grading/manual_scoring.h"
#include "store/eval_tables.h"
#include "window_driver.h"

#include <QDoubleSpinBox>
#include <QTabWidget>
#include <QTextBrowser>
#include <QtTest>

namespace {

// Two open questions (full scores 10 and 5) and three students; b.stu has stored scores.
void three_students(eval_fixture &eval)
{
    eval.folders()
        .paper("0 0 2\n10 @第一题$ 5 @<b>第二题</b>$")
        .key("@参考一$ @参考二$")
        .student("a.stu", "@a1$ @a2$")
        .student("b.stu", "@b1$ @b2$")
        .student("c.stu", "@c1$ @c2$")
        .scores("b.stu", "6\n12\n");   // 12 is above question 2's full score
}

}  // namespace

class test_manual_scoring : public QObject
{
    Q_OBJECT

private:
    QDoubleSpinBox *entry(window_driver &d) { return d.find<QDoubleSpinBox>("unch_score_in"); }
    QString answer(window_driver &d) { return d.find<QTextBrowser>("stu_ans")->toPlainText(); }

private slots:
    void cursor_steps_stop_at_the_bounds()
    {
        QCOMPARE(cursor_step(1, -1, 3), 1);
        QCOMPARE(cursor_step(1, +1, 3), 2);
        QCOMPARE(cursor_step(3, +1, 3), 3);
        QCOMPARE(cursor_step(1, +1, 1), 1);
    }

    void every_press_stores_first()
    {
        window_driver d;
        eval_fixture eval;
        three_students(eval);
        d.open(eval.path);
        entry(d)->setValue(4.5);
        d.click("next_stu");
        QCOMPARE(unch_score[1][1], 4.5);
        QCOMPARE(cur_stu, 2);
        QCOMPARE(d.lcd("stu_now"), 2.0);
        QCOMPARE(entry(d)->value(), 6.0);   // b.stu's loaded score for the same question
        QCOMPARE(answer(d), QStringLiteral("b1"));

        entry(d)->setValue(7);
        d.click("save_score");
        QCOMPARE(unch_score[2][1], 7.0);
        QCOMPARE(cur_stu, 2);
        QCOMPARE(entry(d)->value(), 7.0);

        entry(d)->setValue(1);
        d.click("last_stu");
        QCOMPARE(unch_score[2][1], 1.0);
        QCOMPARE(entry(d)->value(), 4.5);
    }

    void bounds_only_store()
    {
        window_driver d;
        eval_fixture eval;
        three_students(eval);
        d.open(eval.path);
        entry(d)->setValue(2);
        d.click("last_stu");
        QCOMPARE(unch_score[1][1], 2.0);
        entry(d)->setValue(3);
        d.click("last_pro");
        QCOMPARE(unch_score[1][1], 3.0);
        QCOMPARE(cur_stu, 1);
        QCOMPARE(cur_pro, 1);
        QCOMPARE(d.lcd("stu_now"), 1.0);
        QCOMPARE(entry(d)->value(), 3.0);

        d.click("next_stu");
        d.click("next_stu");
        d.click("next_pro");
        entry(d)->setValue(4);
        d.click("next_stu");   // c.stu is the last student
        d.click("next_pro");   // question 2 is the last question
        QCOMPARE(cur_stu, 3);
        QCOMPARE(cur_pro, 2);
        QCOMPARE(unch_score[3][2], 4.0);
        QCOMPARE(answer(d), QStringLiteral("c2"));
    }

    void one_student_and_one_question()
    {
        window_driver d;
        eval_fixture eval;
        eval.folders().paper("0 0 1\n3 @q$").key("@r$").student("only.stu", "@x$");
        d.open(eval.path);
        const char *buttons[] = {"last_stu", "next_stu", "last_pro", "next_pro"};
        double value = 0.5;
        for (const char *button : buttons) {
            entry(d)->setValue(value);
            d.click(button);
            QCOMPARE(unch_score[1][1], value);
            QCOMPARE(cur_stu, 1);
            QCOMPARE(cur_pro, 1);
            value += 0.5;
        }
    }

    void loaded_scores_are_clamped_into_the_range()
    {
        window_driver d;
        eval_fixture eval;
        three_students(eval);
        eval.scores("c.stu", "-2\n1\n");
        d.open(eval.path);
        d.click("next_stu");
        d.click("next_pro");   // b.stu, question 2: 12 stored, full score 5
        QCOMPARE(entry(d)->maximum(), 5.0);
        QCOMPARE(entry(d)->value(), 5.0);
        QCOMPARE(unch_score[2][2], 12.0);   // shown clamped, stored on the next press
        d.click("last_pro");
        QCOMPARE(unch_score[2][2], 5.0);
        d.click("next_stu");   // c.stu, question 1: -2 stored
        QCOMPARE(entry(d)->value(), 0.0);
        d.click("save_score");
        QCOMPARE(unch_score[3][1], 0.0);
    }

    void full_score_zero_admits_only_zero()
    {
        window_driver d;
        eval_fixture eval;
        eval.folders().paper("0 0 1\n0 @q$").key("@r$").student("a.stu", "@x$");
        d.open(eval.path);
        entry(d)->setValue(3);
        QCOMPARE(entry(d)->value(), 0.0);
        d.click("save_score");
        QCOMPARE(unch_score[1][1], 0.0);
    }

    void scores_keep_three_decimals()
    {
        window_driver d;
        eval_fixture eval;
        three_students(eval);
        d.open(eval.path);
        QCOMPARE(entry(d)->decimals(), 3);
        entry(d)->setValue(1.23456);
        d.click("save_score");
        QCOMPARE(unch_score[1][1], 1.235);
    }

    void switching_questions_keeps_the_student()
    {
        window_driver d;
        eval_fixture eval;
        three_students(eval);
        d.open(eval.path);
        d.click("next_stu");
        d.click("next_pro");
        QCOMPARE(cur_stu, 2);
        QCOMPARE(d.lcd("pro_now"), 2.0);
        QCOMPARE(d.lcd("pro_score"), 5.0);
        entry(d)->setValue(3);
        d.click("last_pro");
        QCOMPARE(unch_score[2][2], 3.0);
        QCOMPARE(cur_stu, 2);
        QCOMPARE(cur_pro, 1);
        QCOMPARE(entry(d)->value(), 6.0);
        QCOMPARE(d.find<QTextBrowser>("unch_pro")->toPlainText(), QStringLiteral("第一题"));
        QCOMPARE(d.find<QTextBrowser>("pro_ans")->toPlainText(), QStringLiteral("参考一"));
    }

    void save_score_changes_nothing_on_screen()
    {
        window_driver d;
        eval_fixture eval;
        three_students(eval);
        d.open(eval.path);
        d.find<QTabWidget>("tabWidget")->setCurrentIndex(2);
        d.click("save_score");   // the button takes the focus on the first click
        entry(d)->setValue(2.5);
        const QImage shot = d.window.grab().toImage();
        d.click("save_score");
        QCOMPARE(d.window.grab().toImage(), shot);
        QCOMPARE(dialog_test_take_calls().size(), std::size_t(0));
        QCOMPARE(unch_score[1][1], 2.5);
    }

    void student_answers_show_as_written()
    {
        window_driver d;
        eval_fixture eval;
        eval.folders()
            .paper("0 0 1\n5 @<b>粗体</b>题面$")
            .key("@<i>参考</i>$")
            .student("a.stu", "@<b>加粗</b> & <a href=\"file:///etc/passwd\">链接</a> <img src=\"x.png\">$");
        d.open(eval.path);
        QCOMPARE(answer(d), QStringLiteral("<b>加粗</b> & <a href=\"file:///etc/passwd\">链接</a> <img src=\"x.png\">"));
        // The teacher's own texts keep their markup.
        QCOMPARE(d.find<QTextBrowser>("unch_pro")->toPlainText(), QStringLiteral("粗体题面"));
        QCOMPARE(d.find<QTextBrowser>("pro_ans")->toPlainText(), QStringLiteral("参考"));
        for (const char *name : {"unch_pro", "pro_ans", "stu_ans"})
            QVERIFY2(!d.find<QTextBrowser>(name)->openLinks(), name);
    }
};

QTEST_MAIN(test_manual_scoring)
#include "test_manual_scoring.moc"

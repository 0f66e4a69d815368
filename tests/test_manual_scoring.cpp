// The scoring page through the real window. What a press stored is read back from the score
// files 保存当前评测 writes, since the entry keeps showing what was typed.

#include "eval_fixture.h"
#include "window_driver.h"
#include "app/shown_text.h"
#include "grading/manual_scoring.h"

#include <QDoubleSpinBox>
#include <QTabWidget>
#include <QTableWidget>
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
    // The scores the open evaluation holds for one student, as 保存当前评测 writes them.
    QByteArray scores_saved(window_driver &d, const eval_fixture &eval, const QByteArray &student)
    {
        d.click("save_paper");
        return eval.bytes("sc/" + student);
    }

private slots:
    void every_press_stores_first()
    {
        window_driver d;
        eval_fixture eval;
        three_students(eval);
        d.open(eval.path);
        entry(d)->setValue(4.5);
        d.click("next_stu");
        QCOMPARE(scores_saved(d, eval, "a.stu"), QByteArray("4.500\n0.000\n"));
        QCOMPARE(d.lcd("stu_now"), 2.0);
        QCOMPARE(entry(d)->value(), 6.0);   // b.stu's loaded score for the same question
        QCOMPARE(answer(d), QStringLiteral("b1"));

        entry(d)->setValue(7);
        d.click("save_score");
        QCOMPARE(scores_saved(d, eval, "b.stu"), QByteArray("7.000\n12.000\n"));
        QCOMPARE(d.lcd("stu_now"), 2.0);
        QCOMPARE(entry(d)->value(), 7.0);

        entry(d)->setValue(1);
        d.click("last_stu");
        QCOMPARE(scores_saved(d, eval, "b.stu"), QByteArray("1.000\n12.000\n"));
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
        QCOMPARE(scores_saved(d, eval, "a.stu"), QByteArray("2.000\n0.000\n"));
        entry(d)->setValue(3);
        d.click("last_pro");
        QCOMPARE(scores_saved(d, eval, "a.stu"), QByteArray("3.000\n0.000\n"));
        QCOMPARE(d.lcd("stu_now"), 1.0);
        QCOMPARE(d.lcd("pro_now"), 1.0);
        QCOMPARE(entry(d)->value(), 3.0);

        d.click("next_stu");
        d.click("next_stu");
        d.click("next_pro");
        entry(d)->setValue(4);
        d.click("next_stu");   // c.stu is the last student
        d.click("next_pro");   // question 2 is the last question
        QCOMPARE(d.lcd("stu_now"), 3.0);
        QCOMPARE(d.lcd("pro_now"), 2.0);
        QCOMPARE(scores_saved(d, eval, "c.stu"), QByteArray("0.000\n4.000\n"));
        QCOMPARE(answer(d), QStringLiteral("c2"));
    }

    void one_student_and_one_question()
    {
        window_driver d;
        eval_fixture eval;
        eval.folders().paper("0 0 1\n3 @q$").key("@r$").student("only.stu", "@x$");
        d.open(eval.path);
        const struct {
            const char *button;
            double value;
            const char *bytes;
        } presses[] = {{"last_stu", 0.5, "0.500\n"}, {"next_stu", 1, "1.000\n"},
                       {"last_pro", 1.5, "1.500\n"}, {"next_pro", 2, "2.000\n"}};
        for (const auto &press : presses) {
            entry(d)->setValue(press.value);
            d.click(press.button);
            QCOMPARE(scores_saved(d, eval, "only.stu"), QByteArray(press.bytes));
            QCOMPARE(d.lcd("stu_now"), 1.0);
            QCOMPARE(d.lcd("pro_now"), 1.0);
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
        QCOMPARE(entry(d)->value(), 5.0);
        // Shown clamped, stored so only by the next press.
        QCOMPARE(scores_saved(d, eval, "b.stu"), QByteArray("6.000\n12.000\n"));
        d.click("last_pro");
        QCOMPARE(scores_saved(d, eval, "b.stu"), QByteArray("6.000\n5.000\n"));
        d.click("next_stu");   // c.stu, question 1: -2 stored
        QCOMPARE(entry(d)->value(), 0.0);
        d.click("save_score");
        QCOMPARE(scores_saved(d, eval, "c.stu"), QByteArray("0.000\n1.000\n"));
    }

    void full_score_zero_admits_only_zero()
    {
        window_driver d;
        eval_fixture eval;
        eval.folders().paper("0 0 1\n0 @q$").key("@r$").student("a.stu", "@x$");
        d.open(eval.path);
        entry(d)->setValue(3);   // the box holds 0 alone
        QCOMPARE(entry(d)->value(), 0.0);
        entry(d)->selectAll();
        QTest::keyClicks(entry(d), QStringLiteral("3"));
        const QString refusal = QStringLiteral("本题满分为0分，得分不能超过满分");
        QCOMPARE(d.dialogs->take_messages(), QStringList(refusal));
        d.click("save_score");
        QCOMPARE(d.dialogs->take_messages(), QStringList(refusal));
        // Refused, the typed score stops the save too, until it is mended, and says so.
        QVERIFY(scores_saved(d, eval, "a.stu").isEmpty());
        QCOMPARE(d.dialogs->take_messages(), QStringList(refusal + QStringLiteral("\n成绩未保存：请先改正这个得分。")));
        QTest::keyClicks(entry(d), QStringLiteral("0"));
        QCOMPARE(scores_saved(d, eval, "a.stu"), QByteArray("0.000\n"));
        // A full score below 0 takes 0 as this one does, so such a page never locks.
        QCOMPARE(manual_scoring_refusal(0, -1), QString());
        QCOMPARE(manual_scoring_refusal(0.5, -1), QStringLiteral("本题满分为-1分，得分不能超过满分"));
    }

    void scores_keep_three_decimals()
    {
        window_driver d;
        eval_fixture eval;
        three_students(eval);
        d.open(eval.path);
        entry(d)->setValue(1.23456);
        d.click("next_pro");
        entry(d)->setValue(1.23456);
        d.click("save_score");
        QCOMPARE(scores_saved(d, eval, "a.stu"), QByteArray("1.235\n1.235\n"));
        // The total is summed unrounded: 2.470 from the stored 1.235s, 2.469 from 1.23456s.
        d.click("servey");
        QCOMPARE(d.find<QTableWidget>("score_show")->item(0, 1)->text(), QStringLiteral("2.470"));
    }

    void switching_questions_keeps_the_student()
    {
        window_driver d;
        eval_fixture eval;
        three_students(eval);
        d.open(eval.path);
        d.click("next_stu");
        d.click("next_pro");
        QCOMPARE(d.lcd("stu_now"), 2.0);
        QCOMPARE(d.lcd("pro_now"), 2.0);
        QCOMPARE(d.lcd("pro_score"), 5.0);
        entry(d)->setValue(3);
        d.click("last_pro");
        QCOMPARE(scores_saved(d, eval, "b.stu"), QByteArray("6.000\n3.000\n"));
        QCOMPARE(d.lcd("stu_now"), 2.0);
        QCOMPARE(d.lcd("pro_now"), 1.0);
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
        QCOMPARE(d.dialogs->take_calls().size(), std::size_t(0));
        QCOMPARE(scores_saved(d, eval, "a.stu"), QByteArray("2.500\n0.000\n"));
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

    void long_texts_are_shown_cut()
    {
        // A line without a place to break took the layout minutes, and a long text seconds.
        window_driver d;
        eval_fixture eval;
        const QByteArray unbroken(3 * SHOWN_TEXT_MAX_CHARS, 'x');
        eval.folders().paper("0 0 1\n5 @q$").key("@r$").student("a.stu", "@" + unbroken + "$");
        d.open(eval.path);
        QString shown = answer(d);
        QVERIFY(shown.endsWith(QStringLiteral("……（内容过长，只显示了前%1个字符，全文共%2个字符）")
                                   .arg(SHOWN_TEXT_MAX_CHARS).arg(unbroken.size())));
        QVERIFY(shown.contains(QChar(0x200B)));   // a place to break now and then
        QVERIFY(shown.remove(QChar(0x200B)).startsWith(QString(SHOWN_TEXT_MAX_CHARS, QLatin1Char('x')) + QLatin1Char('\n')));
    }
};

QTEST_MAIN(test_manual_scoring)
#include "test_manual_scoring.moc"

// Two teachers, one class: two windows in one process, each scoring its own question and
// saving as often as it likes, end with every score of both in the files and on both screens.

#include "eval_fixture.h"
#include "window_driver.h"

#include <QDoubleSpinBox>
#include <QTableWidget>
#include <QtTest>

namespace {

// Two open questions of 10 points, three students.
void two_questions(eval_fixture &eval)
{
    eval.folders().paper("0 0 2\n10 @q1$ 10 @q2$").key("@r1$ @r2$");
    for (const char *name : {"a.stu", "b.stu", "c.stu"})
        eval.student(name, "@x$ @y$");
}

QDoubleSpinBox *box(window_driver &d)
{
    return d.find<QDoubleSpinBox>("unch_score_in");
}

// Types each score and Enter, from the item shown on.
void scores_type(window_driver &d, const QStringList &scores)
{
    for (const QString &score : scores) {
        box(d)->selectAll();
        QTest::keyClicks(box(d), score);
        QTest::keyClick(box(d), Qt::Key_Return);
    }
}

// The table's texts after 统计成绩, student by student.
QStringList table_rows(window_driver &d)
{
    d.click("servey");
    auto *table = d.find<QTableWidget>("score_show");
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r)
        rows << table->item(r, 2)->text() + ' ' + table->item(r, 3)->text();
    return rows;
}

}  // namespace

class test_two_windows : public QObject
{
    Q_OBJECT

private slots:
    void question_by_question_neither_loses_a_score()
    {
        eval_fixture eval;
        two_questions(eval);
        window_driver first;
        window_driver second;
        first.open(eval.path);
        second.open(eval.path);
        scores_type(first, {"1", "2", "3"});
        second.click("next_pro");
        scores_type(second, {"4", "5", "6"});
        // Either order, as often as they like: never a question.
        for (window_driver *d : {&first, &second, &first, &second}) {
            d->click("save_paper");
            QVERIFY(d->dialogs->take_calls().empty());
        }
        QCOMPARE(eval.bytes("sc/b.stu"), QByteArray("2.000\n5.000\n"));
        for (window_driver *d : {&first, &second})
            QCOMPARE(table_rows(*d), QStringList({"1.000 4.000", "2.000 5.000", "3.000 6.000"}));
        // The first window's page shows the second's score where it stands.
        QCOMPARE(box(first)->value(), 4.0);
        QCOMPARE(first.window.windowTitle().section(QLatin1Char(' '), 1, 2), QStringLiteral("已评 6/6"));
        QVERIFY(eval.bytes(".lumo_test.scored").endsWith("c.stu 11\n"));
    }

    void a_real_conflict_is_asked_once()
    {
        eval_fixture eval;
        two_questions(eval);
        window_driver first;
        window_driver second;
        first.open(eval.path);
        second.open(eval.path);
        scores_type(first, {"7"});
        first.click("save_paper");
        scores_type(second, {"8", "9"});
        second.click("save_paper");   // 取消, the default: nothing saved
        std::vector<dialog_call> calls = second.dialogs->take_calls();
        QCOMPARE(calls.size(), std::size_t(1));
        QCOMPARE(calls[0].kind, dialog_kind::merge);
        QCOMPARE(calls[0].default_answer, dialog_answer::cancel);
        QVERIFY(calls[0].text.startsWith(QStringLiteral("下列成绩在本窗口读取之后，本窗口和其他窗口（或程序）都改过，而且改得不同：\na.stu 第1道非选择题：")));
        QVERIFY(calls[0].text.endsWith(QStringLiteral("\n保存时用哪一边的成绩？选“取消”则什么也不保存。")));
        // Cut to the screen's width in the box, whole in its details.
        QCOMPARE(calls[0].details, QStringLiteral("a.stu 第1道非选择题：本窗口8.000，文件中7.000"));
        QCOMPARE(eval.bytes("sc/a.stu"), QByteArray("7.000\n0.000\n"));
        QCOMPARE(eval.bytes("sc/b.stu"), QByteArray("0.000\n0.000\n"));   // the first window's save

        second.dialogs->queue_merge(dialog_answer::theirs);
        second.click("save_paper");
        QCOMPARE(eval.bytes("sc/a.stu"), QByteArray("7.000\n0.000\n"));
        QCOMPARE(eval.bytes("sc/b.stu"), QByteArray("9.000\n0.000\n"));
        QCOMPARE(table_rows(second).value(0), QStringLiteral("7.000 0.000"));

        // A file that no longer fits the paper conflicts as a whole; 用本窗口的 replaces it.
        eval.scores("c.stu", "1\n");
        second.click("save_paper");
        calls = second.dialogs->take_calls();
        QCOMPARE(calls.back().kind, dialog_kind::merge);
        QVERIFY(calls.back().text.contains(QStringLiteral("\nc.stu：文件中的成绩个数与试卷不符")));
        QCOMPARE(eval.bytes("sc/c.stu"), QByteArray("1\n"));
        second.dialogs->queue_merge(dialog_answer::ours);
        second.click("save_paper");
        QCOMPARE(eval.bytes("sc/c.stu"), QByteArray("0.000\n0.000\n"));
    }
};

QTEST_MAIN(test_two_windows)
#include "test_two_windows.moc"

#include "eval_memory.h"
#include "grading/choice_grading.h"

#include <QTextCodec>
#include <QtTest>

namespace {

constexpr answer_set A = 1, B = 2, C = 4, D = 8;

choice_question question(double full, double part, answer_set key)
{
    choice_question q;
    q.full_score = full;
    q.part_score = part;
    q.key = key;
    return q;
}

// Two single-choice questions (full 2, keys B and A), one multiple-choice question (full 4,
// partial 2, key AC) and one non-choice question. 李四's file name is GB18030, as a folder
// copied from Chinese Windows has it.
evaluation two_one_one()
{
    evaluation eval = evaluation_make(2, 1, 1, 3);
    eval.onech_questions = {{}, question(2, 0, B), question(2, 0, A)};
    eval.some_questions = {{}, question(4, 2, A | C)};
    eval.stu_file = {{}, QStringLiteral("张三.stu").toUtf8(),
                     QTextCodec::codecForName("GB18030")->fromUnicode(QStringLiteral("李四.stu")),
                     QStringLiteral("王五.stu").toUtf8()};
    const answer_set onech[][2] = {{B, A}, {C, B}, {B, A}};
    const answer_set some[] = {A | C, A, 0};
    for (int s = 1; s <= 3; ++s) {
        eval.onech_ans[s][1] = onech[s - 1][0];
        eval.onech_ans[s][2] = onech[s - 1][1];
        eval.some_ans[s][1] = some[s - 1];
    }
    return eval;
}

QList<double> scores_of(const student_table<double> &table, int students, int questions)
{
    QList<double> scores;
    for (int s = 1; s <= students; ++s) {
        for (int q = 1; q <= questions; ++q)
            scores << table[s][q];
    }
    return scores;
}

}  // namespace

class test_choice_grading : public QObject
{
    Q_OBJECT

private slots:
    void multiple_choice_rules_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("key");
        QTest::addColumn<double>("score");
        QTest::newRow("ABC against ABC") << (A | B | C) << (A | B | C) << 4.0;
        QTest::newRow("AB against ABC") << (A | B) << (A | B | C) << 1.5;
        QTest::newRow("C against ABC") << C << (A | B | C) << 1.5;
        QTest::newRow("ABD against ABC") << (A | B | D) << (A | B | C) << 0.0;
        QTest::newRow("empty against ABC") << 0 << (A | B | C) << 0.0;
        QTest::newRow("empty against empty") << 0 << 0 << 0.0;
        QTest::newRow("A against empty") << A << 0 << 0.0;
        QTest::newRow("bit 6 against ABC") << 64 << (A | B | C) << 0.0;
    }

    void multiple_choice_rules()
    {
        QFETCH(int, answer);
        QFETCH(int, key);
        QFETCH(double, score);
        QCOMPARE(choice_score_multiple(answer, question(4, 1.5, key)), score);
    }

    void single_choice_rules_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("key");
        QTest::addColumn<double>("score");
        QTest::newRow("B against B") << B << B << 2.0;
        QTest::newRow("A against B") << A << B << 0.0;
        QTest::newRow("AB against B") << (A | B) << B << 0.0;
        QTest::newRow("empty against B") << 0 << B << 0.0;
        QTest::newRow("empty against empty") << 0 << 0 << 2.0;
    }

    void single_choice_rules()
    {
        QFETCH(int, answer);
        QFETCH(int, key);
        QFETCH(double, score);
        QCOMPARE(choice_score_single(answer, question(2, 0, key)), score);
    }

    void progress_formula()
    {
        QCOMPARE(choice_progress(1, 5, 10, 2), 25);
        QCOMPARE(choice_progress(2, 10, 10, 2), 100);
        QCOMPARE(choice_progress(1, 1, 3, 1), 33);
        QCOMPARE(choice_progress(1, 2, 3, 1), 66);
        // The largest class stays within 32 bits and ends at 100.
        QCOMPARE(choice_progress(MAX_STUDENTS, 2 * MAX_QUESTIONS_PER_KIND, 2 * MAX_QUESTIONS_PER_KIND, MAX_STUDENTS), 100);
        QCOMPARE(choice_progress(501, 1, 2006, 1002), 49);
    }

    void log_line_format()
    {
        QString log;
        choice_log_line(&log, QStringLiteral("王五.stu"), false, 3, A | C, C, 0);
        choice_log_line(&log, QStringLiteral("a.stu"), true, 12, 0, A | B | C | D | 16 | 32, 1.0 / 3);
        QCOMPARE(log, QStringLiteral("王五.stu 第 3 道单选题选择了 AC，答案是 C 得分 0.000 分\n"
                                     "a.stu 第 12 道多选题选择了 ，答案是 ABCDEF 得分 0.333 分\n"));
    }

    void grade_all_scores_and_logs_every_answer()
    {
        const evaluation eval = two_one_one();
        const choice_grades grades = choice_grade_all(eval, [](int) {});
        QCOMPARE(scores_of(grades.onech_score, 3, 2), QList<double>({2, 2, 0, 0, 2, 2}));
        QCOMPARE(scores_of(grades.some_score, 3, 1), QList<double>({4, 2, 0}));
        // Per student: the single-choice questions, then the multiple-choice ones.
        QCOMPARE(grades.log, QStringLiteral("张三.stu 第 1 道单选题选择了 B，答案是 B 得分 2.000 分\n"
                                            "张三.stu 第 2 道单选题选择了 A，答案是 A 得分 2.000 分\n"
                                            "张三.stu 第 1 道多选题选择了 AC，答案是 AC 得分 4.000 分\n"
                                            "李四.stu 第 1 道单选题选择了 C，答案是 B 得分 0.000 分\n"
                                            "李四.stu 第 2 道单选题选择了 B，答案是 A 得分 0.000 分\n"
                                            "李四.stu 第 1 道多选题选择了 A，答案是 AC 得分 2.000 分\n"
                                            "王五.stu 第 1 道单选题选择了 B，答案是 B 得分 2.000 分\n"
                                            "王五.stu 第 2 道单选题选择了 A，答案是 A 得分 2.000 分\n"
                                            "王五.stu 第 1 道多选题选择了 ，答案是 AC 得分 0.000 分\n"));
    }

    void unread_answers_are_not_graded()
    {
        evaluation eval = two_one_one();
        // 李四's second single-choice and multiple-choice answers could not be read; none of 王五's.
        for (const int unread : {2, 3})
            eval.choice_unread[2][unread] = 1;
        for (const int unread : {1, 2, 3})
            eval.choice_unread[3][unread] = 1;
        eval.onech_score[2][2] = 1.5;   // as loaded from the score file
        eval.some_score[3][1] = 3;
        const choice_grades grades = choice_grade_all(eval, [](int) {});
        QCOMPARE(scores_of(grades.onech_score, 3, 2), QList<double>({2, 2, 0, 1.5, 0, 0}));
        QCOMPARE(scores_of(grades.some_score, 3, 1), QList<double>({4, 0, 3}));
        QVERIFY(grades.log.contains(QStringLiteral("李四.stu 第 1 道单选题选择了 C，答案是 B 得分 0.000 分\n"
                                                   "李四.stu 第 2 道单选题的答案未能读取，不评分，得分保持 1.500 分\n"
                                                   "李四.stu 第 1 道多选题的答案未能读取，不评分，得分保持 0.000 分\n"
                                                   "王五.stu 第 1 道单选题的答案未能读取")));
    }

    void names_cannot_forge_a_line()
    {
        evaluation eval = two_one_one();
        eval.stu_file[2] = "x.stu 第 9 道单选题选择了 A，答案是 A 得分 9.000 分\n赵六.stu";
        const QString log = choice_grade_all(eval, [](int) {}).log;
        QCOMPARE(log.count(QLatin1Char('\n')), 9);
        QVERIFY(log.contains(QString::fromUtf8("9.000 分\xef\xbf\xbd赵六.stu 第 1 道单选题")));
    }

    void grade_all_reports_progress_data()
    {
        QTest::addColumn<int>("onech");
        QTest::addColumn<int>("some");
        QTest::addColumn<int>("students");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("three questions") << 2 << 1 << 1 << QList<int>{33, 66, 100};
        QTest::newRow("four multiple-choice questions") << 0 << 4 << 1 << QList<int>{25, 50, 75, 100};
        QTest::newRow("three students") << 2 << 1 << 3 << QList<int>{11, 22, 33, 44, 55, 66, 77, 88, 100};
    }

    void grade_all_reports_progress()
    {
        QFETCH(int, onech);
        QFETCH(int, some);
        QFETCH(int, students);
        QFETCH(QList<int>, values);
        QList<int> reported;
        choice_grade_all(evaluation_make(onech, some, 0, students), [&reported](int value) { reported << value; });
        QCOMPARE(reported, values);
    }

    void apply_replaces_only_the_choice_scores()
    {
        evaluation eval = two_one_one();
        eval.onech_score[2][1] = 9;   // stale, as loaded from an earlier score file
        eval.some_score[3][1] = 9;
        eval.unch_score[1][1] = 7.5;  // entered by hand
        choice_grades first = choice_grade_all(eval, [](int) {});
        const QString first_log = first.log;
        choice_grades_apply(eval, first);
        QCOMPARE(scores_of(eval.onech_score, 3, 2), QList<double>({2, 2, 0, 0, 2, 2}));
        QCOMPARE(scores_of(eval.some_score, 3, 1), QList<double>({4, 2, 0}));
        QCOMPARE(scores_of(eval.unch_score, 3, 1), QList<double>({7.5, 0, 0}));

        // Grading again over the graded evaluation gives the same scores and lines.
        const choice_grades second = choice_grade_all(eval, [](int) {});
        QCOMPARE(scores_of(second.onech_score, 3, 2), scores_of(eval.onech_score, 3, 2));
        QCOMPARE(scores_of(second.some_score, 3, 1), scores_of(eval.some_score, 3, 1));
        QCOMPARE(second.log, first_log);
    }
};

QTEST_GUILESS_MAIN(test_choice_grading)
#include "test_choice_grading.moc"

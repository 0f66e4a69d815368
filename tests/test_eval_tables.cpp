#include "store/eval_tables.h"

#include <QtTest>

class test_eval_tables : public QObject
{
    Q_OBJECT

private slots:
    void starts_empty()
    {
        for (int counter : {onech_cnt, some_cnt, unch_cnt, stu_cnt, cur_stu, cur_pro})
            QCOMPARE(counter, 0);
        QCOMPARE(onech_score[1][1], 0.0);
        QCOMPARE(some_score[MAX_STUDENTS][MAX_QUESTIONS_PER_KIND], 0.0);
        QCOMPARE(unch_score[MAX_STUDENTS][MAX_QUESTIONS_PER_KIND], 0.0);
        QCOMPARE(onech_ans[MAX_STUDENTS][MAX_QUESTIONS_PER_KIND], 0);
        QVERIFY(unch_ans[MAX_STUDENTS][MAX_QUESTIONS_PER_KIND].isEmpty());
        QVERIFY(unch_questions[QUESTION_TABLE_SIZE - 1].text.isEmpty());
        QCOMPARE(some_questions[QUESTION_TABLE_SIZE - 1].part_score, 0.0);
        QVERIFY(stu_file[MAX_STUDENTS].isEmpty());
        QVERIFY(st_path.isEmpty() && sc_path.isEmpty() && prb_path.isEmpty() && ans_path.isEmpty());
    }

    void capacities()
    {
        QCOMPARE(int(std::extent<decltype(onech_ans)>::value), 1003);
        QCOMPARE(int(std::extent<decltype(onech_ans), 1>::value), 1004);
        QCOMPARE(int(std::extent<decltype(unch_ans), 1>::value), 1004);
        QCOMPARE(int(std::extent<decltype(unch_questions)>::value), 10003);
        QCOMPARE(int(std::extent<decltype(stu_file)>::value), 1003);
    }

    void letters_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("letters");
        QTest::newRow("empty") << 0 << "";
        QTest::newRow("A and C") << 5 << "AC";
        QTest::newRow("all six") << 63 << "ABCDEF";
        QTest::newRow("bit 6 only") << 64 << "";
        QTest::newRow("F with bit 6") << (32 | 64) << "F";
        QTest::newRow("negative") << -1 << "ABCDEF";
        QTest::newRow("B") << 2 << "B";
    }

    void letters()
    {
        QFETCH(int, set);
        QFETCH(QString, letters);
        QCOMPARE(answer_letters(set), letters);
    }
};

QTEST_APPLESS_MAIN(test_eval_tables)
#include "test_eval_tables.moc"

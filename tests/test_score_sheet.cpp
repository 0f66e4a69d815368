#include "eval_memory.h"
#include "results/score_sheet.h"

#include <QTextCodec>
#include <QtTest>

class test_score_sheet : public QObject
{
    Q_OBJECT

private slots:
    void headers_follow_the_kinds_data()
    {
        QTest::addColumn<int>("onech");
        QTest::addColumn<int>("some");
        QTest::addColumn<int>("unch");
        QTest::addColumn<QStringList>("headers");
        QTest::newRow("every kind") << 2 << 1 << 1
                                    << QStringList{"学生文件名", "总分", "单选题1", "单选题2", "多选题1", "非选择题1"};
        QTest::newRow("no single choice") << 0 << 2 << 1
                                          << QStringList{"学生文件名", "总分", "多选题1", "多选题2", "非选择题1"};
        QTest::newRow("only non-choice") << 0 << 0 << 2 << QStringList{"学生文件名", "总分", "非选择题1", "非选择题2"};
        QTest::newRow("no questions") << 0 << 0 << 0 << QStringList{"学生文件名", "总分"};
    }

    void headers_follow_the_kinds()
    {
        QFETCH(int, onech);
        QFETCH(int, some);
        QFETCH(int, unch);
        QFETCH(QStringList, headers);
        QCOMPARE(score_sheet_headers(evaluation_make(onech, some, unch, {"a.stu"})), headers);
    }

    void rows_hold_every_score_and_the_unrounded_total()
    {
        const QByteArray gb18030_name = QTextCodec::codecForName("GB18030")->fromUnicode(QStringLiteral("李四.stu"));
        evaluation eval = evaluation_make(1, 1, 1, {QStringLiteral("张三.stu").toUtf8(), gb18030_name, "c.stu"});
        eval.onech_score[1][1] = 2.5;
        eval.some_score[1][1] = 0;
        eval.unch_score[1][1] = -0.5;
        // Summed in kind order: (0.1 + 0.2) + 0.3 differs from 0.1 + (0.2 + 0.3) in the last bit.
        eval.onech_score[2][1] = 0.1;
        eval.some_score[2][1] = 0.2;
        eval.unch_score[2][1] = 0.3;
        // The table shows 0.333 twice and a total of 0.667, not their sum.
        eval.some_score[3][1] = 0.3334;
        eval.unch_score[3][1] = 0.3334;
        const score_sheet sheet = score_sheet_make(eval);

        QCOMPARE(int(sheet.rows.size()), 3);
        QCOMPARE(sheet.rows[0].name, QStringLiteral("张三.stu"));
        QCOMPARE(sheet.rows[0].scores, std::vector<double>({2.5, 0, -0.5}));
        QVERIFY(sheet.rows[0].total == 2.0);
        QCOMPARE(sheet.rows[1].name, QStringLiteral("李四.stu"));
        QCOMPARE(sheet.rows[1].scores, std::vector<double>({0.1, 0.2, 0.3}));
        QVERIFY(sheet.rows[1].total == (0.1 + 0.2) + 0.3);
        QCOMPARE(sheet.rows[2].name, QStringLiteral("c.stu"));
        QCOMPARE(sheet.rows[2].scores, std::vector<double>({0, 0.3334, 0.3334}));
        QVERIFY(sheet.rows[2].total == 0.3334 + 0.3334);
    }

    void kinds_without_questions_add_nothing()
    {
        evaluation eval = evaluation_make(0, 0, 0, {"a.stu", "b.stu"});
        const score_sheet sheet = score_sheet_make(eval);
        QCOMPARE(int(sheet.rows.size()), 2);
        QCOMPARE(sheet.rows[1].name, QStringLiteral("b.stu"));
        QVERIFY(sheet.rows[1].scores.empty());
        QVERIFY(sheet.rows[1].total == 0);

        QVERIFY(score_sheet_make(evaluation_make(2, 1, 1, {})).rows.empty());   // no students
    }
};

QTEST_GUILESS_MAIN(test_score_sheet)
#include "test_score_sheet.moc"

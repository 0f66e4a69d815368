// The file of what was scored by hand: any student name round-trips, and a file that is not
// ours gives no marks at all.

#include "eval_memory.h"
#include "store/eval_marks.h"

#include <QtTest>

class test_eval_marks : public QObject
{
    Q_OBJECT

private slots:
    void any_name_round_trips()
    {
        // A line break, a quote, a percent sign, bytes that are no UTF-8, GB18030.
        const QList<QByteArray> names{"a\nb.stu", "\"%41\".stu", "\xff\xfe.stu", "\xd5\xc5\xc8\xfd.stu", "plain.stu"};
        evaluation eval = evaluation_make(0, 0, 3, names);
        eval.unch_scored[1][1] = 1;
        eval.unch_scored[2][3] = 1;
        eval.unch_scored[3][2] = 1;
        eval.unch_scored[4][1] = eval.unch_scored[4][2] = eval.unch_scored[4][3] = 1;
        const QByteArray bytes = eval_marks_format(eval);

        evaluation read = evaluation_make(0, 0, 3, names);
        QCOMPARE(eval_marks_parse(bytes, &read), QString());
        for (int s = 1; s <= eval.stu_cnt; ++s)
            for (int q = 1; q <= 3; ++q)
                QCOMPARE(read.unch_scored[s][q], eval.unch_scored[s][q]);
        QCOMPARE(eval_marks_count(read), 6);

        // Another class list and a shorter paper: what they do not have is passed over.
        evaluation fewer = evaluation_make(0, 0, 2, {"\xd5\xc5\xc8\xfd.stu", "new.stu"});
        QCOMPARE(eval_marks_parse(bytes, &fewer), QString());
        QCOMPARE(eval_marks_count(fewer), 2);
    }

    void a_file_not_ours_gives_nothing()
    {
        evaluation eval = evaluation_make(0, 0, 1, 2);
        for (const QByteArray &bytes : {QByteArray(), QByteArray("s1.stu 1\n"),
                                        QByteArray("lumo_test scored by hand 2\ns1.stu 1\n"),
                                        QByteArray("lumo_test scored by hand 1\ns1.stu 1\ns2.stu 1x\n"),
                                        QByteArray("lumo_test scored by hand 1\ns1.stu 1"),   // cut short
                                        QByteArray("\x00\x01garbage", 9)}) {
            QVERIFY(!eval_marks_parse(bytes, &eval).isEmpty());
            QCOMPARE(eval_marks_count(eval), 0);
        }
    }
};

QTEST_MAIN(test_eval_marks)
#include "test_eval_marks.moc"

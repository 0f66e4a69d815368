#include "eval_fixture.h"
#include "grading/choice_grading.h"
#include "store/eval_tables.h"
#include "window_driver.h"

#include <QProgressBar>
#include <QAbstractTextDocumentLayout>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTextDocument>
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

QList<int> progress_values(QSignalSpy &spy)
{
    QList<int> values;
    for (const QList<QVariant> &arguments : spy)
        values << arguments.at(0).toInt();
    return values;
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
        QCOMPARE(grading_progress(1, 5, 10, 2), 25);
        QCOMPARE(grading_progress(2, 10, 10, 2), 100);
        QCOMPARE(grading_progress(1, 1, 3, 1), 33);
        QCOMPARE(grading_progress(1, 2, 3, 1), 66);
        // The largest class stays within 32 bits and ends at 100.
        QCOMPARE(grading_progress(MAX_STUDENTS, 2 * MAX_QUESTIONS_PER_KIND, 2 * MAX_QUESTIONS_PER_KIND, MAX_STUDENTS), 100);
        QCOMPARE(grading_progress(501, 1, 2006, 1002), 49);
    }

    void log_line_format()
    {
        QString log;
        grading_log_line(&log, QStringLiteral("王五.stu"), false, 3, A | C, C, 0);
        grading_log_line(&log, QStringLiteral("a.stu"), true, 12, 0, A | B | C | D | 16 | 32, 1.0 / 3);
        QCOMPARE(log, QStringLiteral("王五.stu 第 3 道单选题选择了 AC，答案是 C 得分 0.000 分\n"
                                     "a.stu 第 12 道多选题选择了 ，答案是 ABCDEF 得分 0.333 分\n"));
    }

    void grading_through_the_window()
    {
        window_driver d;
        eval_fixture eval;
        two_one_one(eval);
        d.open(eval.path);
        unch_score[1][1] = 7.5;
        QSignalSpy progress(d.find<QProgressBar>("jingdu"), &QProgressBar::valueChanged);
        d.click("test_ch");

        QCOMPARE(d.label("pingce"), QStringLiteral("评测完成"));
        QCOMPARE(d.find<QProgressBar>("jingdu")->value(), 100);
        QCOMPARE(progress_values(progress), QList<int>({11, 22, 33, 44, 55, 66, 77, 88, 100}));
        const QStringList expected{
            "张三.stu 第 1 道单选题选择了 B，答案是 B 得分 2.000 分",
            "张三.stu 第 2 道单选题选择了 A，答案是 A 得分 2.000 分",
            "张三.stu 第 1 道多选题选择了 AC，答案是 AC 得分 4.000 分",
            "李四.stu 第 1 道单选题选择了 C，答案是 B 得分 0.000 分",
            "李四.stu 第 2 道单选题选择了 B，答案是 A 得分 0.000 分",
            "李四.stu 第 1 道多选题选择了 A，答案是 AC 得分 2.000 分",
            "王五.stu 第 1 道单选题选择了 B，答案是 B 得分 2.000 分",
            "王五.stu 第 2 道单选题选择了 A，答案是 A 得分 2.000 分",
            "王五.stu 第 1 道多选题选择了 ，答案是 AC 得分 0.000 分",
        };
        auto *log = d.find<QTextBrowser>("ch_ifm_show");
        QCOMPARE(log->toPlainText(), expected.join('\n'));
        QCOMPARE(log->document()->blockCount(), expected.size());   // one paragraph per line
        QCOMPARE(some_score[2][1], 2.0);
        QCOMPARE(onech_score[3][2], 2.0);
        QCOMPARE(unch_score[1][1], 7.5);   // manual scores are left alone

        d.click("test_ch");   // a second run appends the same block again
        QCOMPARE(log->toPlainText(), expected.join('\n') + '\n' + expected.join('\n'));
        QCOMPARE(log->document()->blockCount(), 2 * expected.size());
        QCOMPARE(some_score[2][1], 2.0);
    }

    void progress_sequences_data()
    {
        QTest::addColumn<QByteArray>("paper");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("answers");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("three questions") << QByteArray("2 1 0\n1 @a$ 1 @b$ 1 1 @c$") << QByteArray("1 1 1")
                                         << QByteArray("1 1 1") << QList<int>{33, 66, 100};
        QTest::newRow("four multiple-choice questions")
            << QByteArray("0 4 0\n1 1 @a$ 1 1 @b$ 1 1 @c$ 1 1 @d$") << QByteArray("1 1 1 1")
            << QByteArray("1 1 1 1") << QList<int>{25, 50, 75, 100};
    }

    void progress_sequences()
    {
        QFETCH(QByteArray, paper);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, answers);
        QFETCH(QList<int>, values);
        window_driver d;
        eval_fixture eval;
        eval.folders().paper(paper).key(key).student("a.stu", answers);
        d.open(eval.path);
        QSignalSpy progress(d.find<QProgressBar>("jingdu"), &QProgressBar::valueChanged);
        d.click("test_ch");
        QCOMPARE(progress_values(progress), values);
    }

    void grading_log_keeps_earlier_lines_above()
    {
        QTextBrowser log;
        grading_log_append(&log, QString());
        QVERIFY(log.document()->isEmpty());
        grading_log_append(&log, QStringLiteral("one\ntwo\n"));
        grading_log_append(&log, QStringLiteral("<b>three</b>\n"));
        QCOMPARE(log.toPlainText(), QStringLiteral("one\ntwo\n<b>three</b>"));
        QCOMPARE(log.document()->blockCount(), 3);
    }

    void appended_lines_are_laid_out_as_if_set_at_once()
    {
        QString lines;
        for (int i = 1; i <= 2000; ++i)
            lines += QStringLiteral("%1.stu 第 %1 道单选题选择了 A，答案是 B 得分 0.000 分\n").arg(i);
        QTextBrowser log;
        log.resize(400, 300);
        log.show();
        grading_log_append(&log, lines);
        const QSizeF page_size = log.document()->pageSize();
        QVERIFY(page_size.width() > 0);
        log.document()->documentLayout()->documentSize();   // the first run fully laid out
        grading_log_append(&log, lines);

        QTextBrowser whole;
        whole.resize(400, 300);
        whole.show();
        whole.setPlainText(lines + lines.left(lines.size() - 1));
        QCOMPARE(log.document()->pageSize(), page_size);
        QCOMPARE(log.document()->blockCount(), 4000);
        QCOMPARE(log.toPlainText(), whole.toPlainText());
        QCOMPARE(log.document()->documentLayout()->documentSize(), whole.document()->documentLayout()->documentSize());
    }
};

QTEST_MAIN(test_choice_grading)
#include "test_choice_grading.moc"

// The figures behind the grade's report and the exam analysis, on totals built in memory.

#include "eval_memory.h"
#include "report/grade_figures.h"
#include "results/score_export.h"

#include <QtTest>
#include <cmath>

namespace {

grade_class class_make(const QString &name, const std::vector<std::pair<QString, double>> &students)
{
    grade_class cls;
    cls.name = name;
    for (const auto &[file, total] : students) {
        score_sheet_row row;
        row.name = file;
        row.total = total;
        cls.sheet.rows.push_back(row);
    }
    return cls;
}

// The discrimination of a question of full score 2 with these scores, given the totals; -1
// for none.
double discrimination_of(const QVector<double> &totals, const QVector<double> &scores)
{
    evaluation eval = evaluation_make(0, 0, 1, totals.size());
    eval.unch_questions[1].full_score = 2;
    for (int s = 1; s <= eval.stu_cnt; ++s)
        eval.unch_score[s][1] = scores[s - 1];
    const std::vector<double> table_totals(totals.begin(), totals.end());
    return exam_analysis_questions(eval, table_totals)[0].discrimination.value_or(-1);
}

}  // namespace

class test_grade_figures : public QObject
{
    Q_OBJECT

private slots:
    void sports_ranks()
    {
        QCOMPARE(grade_figures_ranks({10, 8, 8, 7, 6, 6, 6, 3}), (std::vector<int>{1, 2, 2, 4, 5, 5, 5, 8}));
        QCOMPARE(grade_figures_ranks({5, 5}), (std::vector<int>{1, 1}));
        QVERIFY(grade_figures_ranks({}).empty());
    }

    void ranking_across_classes()
    {
        // 7.0004 and 6.9996 both show as 7.000 and tie; 7.0006 shows as 7.001 and does not.
        const std::vector<grade_class> classes{
            class_make("甲班", {{"a1.stu", 9}, {"a2.stu", 6.9996}, {"A3.STU", 5}}),
            class_make("乙班", {{"b1.stu", 7.0004}, {"b2.stu", 9}, {"b3.stu", 7.0006}, {"b4.stu", 6.9996}}),
        };
        QStringList ranks;
        std::vector<double> totals;
        for (const grade_rank_row &row : grade_figures_ranking(classes)) {
            ranks << QStringLiteral("%1 %2 %3 %4")
                         .arg(row.class_name, row.student)
                         .arg(row.grade_rank)
                         .arg(row.class_rank);
            totals.push_back(row.total);
        }
        // Equal totals keep the classes' order, then the students'. A class rank counts within
        // the class along the grade's order: 乙班 runs b2, b3, b1, b4 = 1, 2, 3, 3.
        QCOMPARE(ranks, QStringList({"甲班 a1 1 1", "乙班 b2 1 1", "乙班 b3 3 2", "甲班 a2 4 2", "乙班 b1 4 3",
                                     "乙班 b4 4 3", "甲班 A3 7 3"}));
        QCOMPARE(totals, (std::vector<double>{9, 9, 7.001, 7, 7, 7, 5}));   // exactly the numbers shown
    }

    void class_figures_thresholds_data()
    {
        QTest::addColumn<double>("full");
        QTest::addColumn<double>("total");
        QTest::addColumn<int>("passed");      // T >= 0.6 F
        QTest::addColumn<int>("excellent");   // T >= 0.85 F
        QTest::addColumn<int>("low");         // T < 0.4 F
        QTest::addColumn<int>("band");        // k F/10 <= T < (k+1) F/10
        double tenths = 0;
        for (int i = 0; i < 60; ++i)
            tenths += 0.1;   // 5.99999999999998: sixty questions of 0.1 points, all right
        QTest::newRow("full score, top band") << 10.0 << 10.0 << 1 << 1 << 0 << 9;
        QTest::newRow("excellent at 8.5") << 10.0 << 8.5 << 1 << 1 << 0 << 8;
        QTest::newRow("8.499 is not") << 10.0 << 8.499 << 1 << 0 << 0 << 8;
        QTest::newRow("pass at 6") << 10.0 << 6.0 << 1 << 0 << 0 << 6;
        QTest::newRow("5.999 is not") << 10.0 << 5.999 << 0 << 0 << 0 << 5;
        QTest::newRow("sixty tenths are 6") << 10.0 << tenths << 1 << 0 << 0 << 6;
        QTest::newRow("4 is not low") << 10.0 << 4.0 << 0 << 0 << 0 << 4;
        QTest::newRow("3.999 is") << 10.0 << 3.999 << 0 << 0 << 1 << 3;
        QTest::newRow("zero") << 10.0 << 0.0 << 0 << 0 << 1 << 0;
        // 0.4 * 3 computes as 1.2000000000000002, yet 1.2 is 0.4 F.
        QTest::newRow("1.2 of 3 is not low") << 3.0 << 1.2 << 0 << 0 << 0 << 4;
    }

    void class_figures_thresholds()
    {
        QFETCH(double, full);
        QFETCH(double, total);
        const class_figures figures = exam_analysis_class({total}, full);
        QTEST(figures.passed, "passed");
        QTEST(figures.excellent, "excellent");
        QTEST(figures.low, "low");
        std::array<int, 10> bands{};
        QFETCH(int, band);
        bands[std::size_t(band)] = 1;
        QCOMPARE(figures.bands, bands);
    }

    void class_figures_spread()
    {
        // Odd: the middle one. Mean 2, squared deviations 1 + 1 + 0 over 3.
        class_figures odd = exam_analysis_class({3, 1, 2}, 10);
        QCOMPARE(odd.median, 2.0);
        QCOMPARE(odd.mean, 2.0);
        QCOMPARE(odd.deviation, std::sqrt(2.0 / 3));
        QCOMPARE(odd.highest, 3.0);
        QCOMPARE(odd.lowest, 1.0);
        // Even: the mean of the middle two, 2 and 3. Squared deviations 2.25 + 2.25 + 0.25 + 0.25.
        class_figures even = exam_analysis_class({4, 1, 3, 2}, 10);
        QCOMPARE(even.median, 2.5);
        QCOMPARE(even.deviation, std::sqrt(5.0 / 4));
        // No students: nothing to count or divide, the full score still stands.
        class_figures none = exam_analysis_class({}, 10);
        QCOMPARE(none.students, 0);
        QCOMPARE(none.full, 10.0);
        QCOMPARE(none.mean + none.median + none.deviation + none.highest + none.lowest, 0.0);
        QCOMPARE(none.bands, (std::array<int, 10>{}));
    }

    void discrimination_groups_data()
    {
        QTest::addColumn<QVector<double>>("totals");
        QTest::addColumn<QVector<double>>("scores");
        QTest::addColumn<double>("discrimination");
        // 0.27 * 1 rounds to 0, yet a group has one student: the same one above and below.
        QTest::newRow("one student") << QVector<double>{5} << QVector<double>{2} << 0.0;
        // Groups of round(1.35) = 1. The first 9 (row 2, scored 2) is above, the first 2 (row
        // 4, scored 1) below: (2 - 1) / 2.
        QTest::newRow("ties by table order") << QVector<double>{5, 9, 9, 2, 2} << QVector<double>{0, 2, 0, 1, 0}
                                             << 0.5;
        // Groups of round(2.7) = 3: rows 1-3 score 2, 2, 0 and rows 8-10 score 2, 0, 0:
        // (4/3 - 2/3) / 2. Groups of 2 would give (2 - 0) / 2.
        QTest::newRow("2.7 rounds to 3") << QVector<double>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}
                                         << QVector<double>{2, 2, 0, 0, 0, 0, 0, 2, 0, 0} << 1.0 / 3;
        // Groups of round(13.5) = 14: the 14th highest, the only one scoring, is in the upper
        // group: (2/14 - 0) / 2.
        QVector<double> totals;
        QVector<double> scores(50, 0);
        for (int i = 0; i < 50; ++i)
            totals << 50 - i;
        scores[13] = 2;
        QTest::newRow("13.5 rounds to 14") << totals << scores << 1.0 / 14;
    }

    void discrimination_groups()
    {
        QFETCH(QVector<double>, totals);
        QFETCH(QVector<double>, scores);
        QFETCH(double, discrimination);
        QCOMPARE(discrimination_of(totals, scores), discrimination);
    }

    // Every figure made from totals counts them as the score table shows them: 5.9996 and 6
    // both show as 6.000, so both pass, the lowest is 6, and the two tie for the 27 % groups.
    void totals_count_as_shown()
    {
        evaluation eval = evaluation_make(0, 0, 1, 2);
        eval.unch_questions[1].full_score = 10;
        eval.unch_score[1][1] = 5.9996;
        eval.unch_score[2][1] = 6;
        const score_sheet sheet = score_sheet_make(eval);
        const workbook book = score_export_workbook(eval, sheet, QDate(2024, 5, 1));
        const auto figure = [&](int sheet_index, int row, int column) {
            return book[std::size_t(sheet_index)].rows[std::size_t(row)][std::size_t(column)].number;
        };
        QCOMPARE(figure(1, 4, 1), 6.0);    // 最低分
        QCOMPARE(figure(1, 7, 1), 2.0);    // 及格人数
        QCOMPARE(figure(1, 18, 1), 2.0);   // the band 6-7
        // Groups of one: the first of the tie above and below, so no discrimination.
        QCOMPARE(figure(2, 1, 7), 0.0);

        grade_class cls = class_make("甲班", {});
        cls.sheet = sheet;
        const grade_summary_row grade = grade_figures_summary({cls}).back();
        QCOMPARE(grade.figures.lowest, 6.0);
        QCOMPARE(grade.figures.passed, 2);
    }

    void no_rate_without_full_score()
    {
        const evaluation eval = evaluation_make(0, 0, 1, 2);   // an open question of full score 0
        const question_figures figures = exam_analysis_questions(eval, {1, 0})[0];
        QVERIFY(!figures.rate && !figures.discrimination);
    }
};

QTEST_GUILESS_MAIN(test_grade_figures)
#include "test_grade_figures.moc"

// The exam analysis of a small class whose figures are worked out by hand below, as the
// exported workbook holds it, read back with openpyxl.

#include "eval_fixture.h"
#include "grading/choice_grading.h"
#include "results/score_export.h"
#include "results/workbook_file.h"
#include "sheet_reader.h"
#include "store/eval_open.h"

#include <QtTest>
#include <cmath>

namespace {

// Two single-choice questions of 2 points (keys A, B), one multiple-choice question of 4
// (partial 2, key AC), one open question of 2: F = 10. Graded and scored by hand:
//   a: A B AC   open 2    -> 2 2 4 2    = 10
//   b: A C A    open 1    -> 2 0 2 1    = 5
//   c: B B -    open 0    -> 0 2 0 0    = 2
//   d: A B ABD  open 1.5  -> 2 2 0 1.5  = 5.5
QString exported(const QString &dir, const QString &name = QStringLiteral("分析.xlsx"))
{
    eval_fixture eval;
    eval.folders()
        .paper("2 1 1\n2 @s1$ 2 @s2$ 4 2 @m1$ 2 @o1$")
        .key("1 2 5 @r$")
        .student("a.stu", "1 2 5 @x$").scores("a.stu", "0 0 0 2")
        .student("b.stu", "1 4 1 @x$").scores("b.stu", "0 0 0 1")
        .student("c.stu", "2 2 0 @x$")
        .student("d.stu", "1 2 11 @x$").scores("d.stu", "0 0 0 1.5");
    eval_open_result opened = eval_open(eval.folder());
    choice_grades grades = choice_grade_all(opened.eval, [](int) {});
    choice_grades_apply(opened.eval, grades);
    const QString path = dir + QLatin1Char('/') + name;
    const QString failure =
        workbook_file_save(file_name_encode(path), score_export_workbook(opened.eval, score_sheet_make(opened.eval), QDate(2024, 5, 1)));
    return failure.isEmpty() ? path : failure;
}

// A sheet's rows without the empty cells a reader pads them with up to the widest row.
QVector<QStringList> trimmed(QVector<QStringList> rows)
{
    for (QStringList &row : rows) {
        while (!row.isEmpty() && row.back().isEmpty())
            row.removeLast();
    }
    return rows;
}

QString n(double value, const char *format)
{
    return QStringLiteral("=%1 %2").arg(value).arg(QLatin1String(format));
}

}  // namespace

class test_exam_analysis : public QObject
{
    Q_OBJECT

private slots:
    void class_figures_and_bands_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("charts");
        QTest::newRow("xlsx") << "分析.xlsx" << 1;
        QTest::newRow("xls, without charts") << "分析.xls" << 0;
    }

    void class_figures_and_bands()
    {
        QFETCH(QString, name);
        QFETCH(int, charts);
        QTemporaryDir dir;
        const QString path = exported(dir.path(), name);
        sheet_read sheet = sheet_read_back(path, 1);
        QCOMPARE(sheet.error, QString());
        sheet.rows = trimmed(sheet.rows);
        QCOMPARE(sheet.sheets, QStringList({"Sheet1", "成绩分析", "试题分析"}));
        // Totals 10, 5, 2, 5.5: mean 22.5 / 4; the middle two are 5 and 5.5; the squared
        // deviations 19.140625 + 0.390625 + 13.140625 + 0.015625 = 32.6875 over 4 students.
        const QVector<QStringList> figures{
            {"参考人数", n(4, "General")},   {"满分", n(10, "0.000")},
            {"平均分", n(5.625, "0.000")},   {"最高分", n(10, "0.000")},
            {"最低分", n(2, "0.000")},       {"中位数", n(5.25, "0.000")},
            {"标准差", n(std::sqrt(32.6875 / 4), "0.000")},
            {"及格人数", n(1, "General"), "≥6分"},     {"及格率", n(0.25, "0.0%")},   // only 10 >= 6
            {"优秀人数", n(1, "General"), "≥8.5分"},   {"优秀率", n(0.25, "0.0%")},   // only 10 >= 8.5
            {"低分人数", n(1, "General"), "<4分"},     {"低分率", n(0.25, "0.0%")},   // only 2 < 4
        };
        QCOMPARE(sheet.rows.mid(0, 13), figures);
        QCOMPARE(sheet.rows.value(14), QStringList({"分数段", "人数", "比例"}));
        // The top band holds the full 10; 5 and 5.5 share 5-6; 2 is in 2-3.
        const int counts[] = {1, 0, 0, 0, 2, 0, 0, 1, 0, 0};
        for (int i = 0; i < 10; ++i) {
            const int k = 9 - i;
            QCOMPARE(sheet.rows.value(15 + i),
                     QStringList({QStringLiteral("%1-%2").arg(k).arg(k + 1), n(counts[i], "General"),
                                  n(counts[i] / 4.0, "0.0%")}));
        }
        QCOMPARE(sheet.frozen, QStringLiteral("A2"));
        QCOMPARE(sheet.charts, charts);
    }

    void question_figures()
    {
        QTemporaryDir dir;
        sheet_read sheet = sheet_read_back(exported(dir.path()), 2);
        QCOMPARE(sheet.error, QString());
        sheet.rows = trimmed(sheet.rows);
        QCOMPARE(sheet.rows.value(0), QStringList({"题型", "题号", "满分", "平均分", "得分率", "满分人数", "零分人数",
                                                   "区分度", "选A", "选B", "选C", "选D", "选E", "选F", "未作答",
                                                   "正确答案", "卷面题号"}));
        // Groups of max(1, round(0.27 * 4)) = 1: a (10) above, c (2) below.
        const auto row = [](const char *kind, int q, double full, double mean, int full_count, int zero_count,
                            double upper, double lower, QList<int> chose, const char *key, int on_paper) {
            QStringList cells{QString::fromUtf8(kind), n(q, "General"), n(full, "0.000"), n(mean, "0.000"),
                              n(mean / full, "0.0%"), n(full_count, "General"), n(zero_count, "General"),
                              n((upper - lower) / full, "0.000")};
            for (int c : chose)
                cells << n(c, "General");
            while (cells.size() < 15)
                cells << QString();
            return cells << QString::fromUtf8(key) << n(on_paper, "General");
        };
        // s1: 2 2 0 2, answers A A B A. s2: 2 0 2 2, answers B C B B.
        // m1: 4 2 0 0, answers AC A - ABD. o1: 2 1 0 1.5.
        QCOMPARE(sheet.rows.value(1), row("单选题", 1, 2, 1.5, 3, 1, 2, 0, {3, 1, 0, 0, 0, 0, 0}, "A", 1));
        QCOMPARE(sheet.rows.value(2), row("单选题", 2, 2, 1.5, 3, 1, 2, 2, {0, 3, 1, 0, 0, 0, 0}, "B", 2));
        QCOMPARE(sheet.rows.value(3), row("多选题", 1, 4, 1.5, 1, 2, 4, 0, {3, 1, 1, 1, 0, 0, 1}, "AC", 3));
        QCOMPARE(sheet.rows.value(4), row("非选择题", 1, 2, 1.125, 1, 1, 2, 0, {}, "", 4));
        QCOMPARE(sheet.rows.size(), 5);
        QCOMPARE(sheet.frozen, QStringLiteral("A2"));
        // Question 1 at the top, rates in percent, a bar's room for each question at least.
        QCOMPARE(sheet.chart_rows.size(), 1);
        QVERIFY2(sheet.chart_rows[0].endsWith("+reversed+percent"), qPrintable(sheet.chart_rows[0]));
    }

    // Every sheet prints across A4, one page wide, its header row on every page, the class
    // and the sheet above, the day and the page below.
    void sheets_print()
    {
        QTemporaryDir dir;
        const QString path = exported(dir.path());
        for (int index = 0; index < 3; ++index) {
            const QJsonObject print = sheet_read_back(path, index).print;
            QCOMPARE(sheet_print_text(print),
                     QStringLiteral("landscape|1x0|$1:$1|&Leval&R&A|&L导出日期：2024-05-01&R第 &P 页，共 &N 页"));
        }
    }
};

QTEST_GUILESS_MAIN(test_exam_analysis)
#include "test_exam_analysis.moc"

#include "store/evaluation.h"

#include <QtTest>

namespace {

// Checks that every cell [1..students][1..questions] of a freshly reset table starts zero
// and keeps a value of its own: cells sharing storage would show either way. Returns the
// first cell that fails, or "".
template <typename T, typename Value>
QString table_cells_check(student_table<T> &table, int students, int questions, Value value)
{
    for (int s = 1; s <= students; ++s) {
        for (int q = 1; q <= questions; ++q) {
            if (!(table[s][q] == T()))
                return QStringLiteral("[%1][%2] was not zero").arg(s).arg(q);
            table[s][q] = value(s * 100 + q);
        }
    }
    for (int s = 1; s <= students; ++s) {
        for (int q = 1; q <= questions; ++q) {
            if (!(table[s][q] == value(s * 100 + q)))
                return QStringLiteral("[%1][%2] was overwritten").arg(s).arg(q);
        }
    }
    return {};
}

}  // namespace

class test_evaluation : public QObject
{
    Q_OBJECT

private slots:
    void tables_reset_gives_every_cell_its_own()
    {
        // Distinct counts: a table sized by a smaller one than its own would share cells
        // between rows. Overruns past the last row show under the sanitizer build.
        evaluation eval;
        eval.onech_cnt = 5;
        eval.some_cnt = 3;
        eval.unch_cnt = 1;
        eval.stu_cnt = 4;
        evaluation_tables_reset(eval);
        const auto set = [](int n) { return answer_set(n); };
        const auto score = [](int n) { return n + 0.5; };
        const auto text = [](int n) { return QString::number(n); };
        QCOMPARE(table_cells_check(eval.onech_ans, 4, 5, set), QString());
        QCOMPARE(table_cells_check(eval.some_ans, 4, 3, set), QString());
        QCOMPARE(table_cells_check(eval.unch_ans, 4, 1, text), QString());
        QCOMPARE(table_cells_check(eval.onech_score, 4, 5, score), QString());
        QCOMPARE(table_cells_check(eval.some_score, 4, 3, score), QString());
        QCOMPARE(table_cells_check(eval.unch_score, 4, 1, score), QString());
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

QTEST_APPLESS_MAIN(test_evaluation)
#include "test_evaluation.moc"

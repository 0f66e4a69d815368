#include "eval_fixture.h"
#include "results/score_table.h"
#include "store/eval_tables.h"
#include "window_driver.h"

#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace {

QStringList row_texts(QTableWidget *table, int r)
{
    QStringList texts;
    for (int c = 0; c < table->columnCount(); ++c)
        texts << (table->item(r, c) ? table->item(r, c)->text() : QStringLiteral("<none>"));
    return texts;
}

}  // namespace

class test_score_table : public QObject
{
    Q_OBJECT

private slots:
    void totals_are_summed_unrounded()
    {
        window_driver d;
        eval_fixture eval;
        eval.folders().paper("0 0 2\n1 @a$ 1 @b$").key("@r$ @s$").student("a.stu", "@x$ @y$")
            .scores("a.stu", "0.3334\n0.3334\n");
        d.open(eval.path);
        d.click("servey");
        auto *table = d.find<QTableWidget>("score_show");
        QCOMPARE(row_texts(table, 0), QStringList({"a.stu", "0.667", "0.333", "0.333"}));
    }

    void columns_follow_the_kinds()
    {
        window_driver d;
        eval_fixture eval;
        eval.folders().paper("0 2 1\n4 2 @a$ 4 2 @b$ 10 @c$").key("1 1 @r$")
            .student("张三.stu", "1 1 @x$").scores("张三.stu", "2.5\n0\n-0.5\n")
            .student("李四.stu", "1 1 @x$");
        d.open(eval.path);
        d.click("servey");
        auto *table = d.find<QTableWidget>("score_show");
        QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("多选题1"));
        QCOMPARE(row_texts(table, 0), QStringList({"张三.stu", "2.000", "2.500", "0.000", "-0.500"}));
        QCOMPARE(row_texts(table, 1), QStringList({"李四.stu", "0.000", "0.000", "0.000", "0.000"}));
    }

    void second_run_follows_the_changes()
    {
        window_driver d;
        eval_fixture eval;
        two_one_one(eval);
        d.open(eval.path);
        d.click("test_ch");
        d.click("servey");
        auto *table = d.find<QTableWidget>("score_show");
        QTableWidgetItem *const first_item = table->item(1, 5);
        const QStringList before = row_texts(table, 1);
        QCOMPARE(before, QStringList({"李四.stu", "2.000", "0.000", "0.000", "2.000", "0.000"}));
        d.click("servey");
        QCOMPARE(row_texts(table, 1), before);
        QCOMPARE(table->item(1, 5), first_item);   // items are reused

        d.find<QTabWidget>("tabWidget")->setCurrentIndex(2);
        d.click("next_stu");
        d.find<QDoubleSpinBox>("unch_score_in")->setValue(7.5);
        d.click("save_score");
        d.click("servey");
        QStringList after = before;
        after[1] = "9.500";
        after[5] = "7.500";
        QCOMPARE(row_texts(table, 1), after);
        QCOMPARE(row_texts(table, 0)[1], QStringLiteral("8.000"));
    }

    void touches_nothing_but_the_cells()
    {
        window_driver d;
        eval_fixture eval;
        two_one_one(eval);
        d.open(eval.path);
        auto *table = d.find<QTableWidget>("score_show");
        const double score = onech_score[1][1];
        d.click("servey");
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->columnCount(), 6);
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("总分"));
        QCOMPARE(onech_score[1][1], score);
        QCOMPARE(dialog_test_take_calls().size(), std::size_t(0));
    }

    void no_students_leaves_the_table()
    {
        QTableWidget table(2, 2);
        stu_cnt = 0;
        score_table_fill(&table);
        QVERIFY(!table.item(0, 0));
    }

    void no_questions_gives_two_columns()
    {
        window_driver d;
        eval_fixture eval;
        eval.folders().paper("0 0 0").key("").student("a.stu", "");
        d.open(eval.path);
        d.click("servey");
        auto *table = d.find<QTableWidget>("score_show");
        QCOMPARE(table->columnCount(), 2);
        QCOMPARE(row_texts(table, 0), QStringList({"a.stu", "0.000"}));
    }

    void cells_cannot_be_edited_or_sorted()
    {
        window_driver d;
        eval_fixture eval;
        two_one_one(eval);
        d.open(eval.path);
        d.click("servey");
        auto *table = d.find<QTableWidget>("score_show");
        d.find<QTabWidget>("tabWidget")->setCurrentIndex(3);
        const QStringList first = row_texts(table, 0);
        const QRect cell = table->visualItemRect(table->item(0, 1));
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::keyClick(table->viewport(), Qt::Key_F2);
        QVERIFY(!table->findChild<QLineEdit *>());
        QTest::mouseClick(table->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(table->horizontalHeader()->sectionViewportPosition(1) + 5, 5));
        QCOMPARE(row_texts(table, 0), first);
    }
};

QTEST_MAIN(test_score_table)
#include "test_score_table.moc"

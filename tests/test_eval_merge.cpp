// Each score decided on its own, scores compared as the score file writes them.

#include "store/eval_merge.h"

#include <QtTest>

class test_eval_merge : public QObject
{
    Q_OBJECT

private slots:
    void each_score_on_its_own()
    {
        //                   unchanged  here only  disk only  both alike  both apart  1/3 here, as read
        const std::vector<double> base{1, 1, 1, 1, 1, 0.333};
        const std::vector<double> ours{1, 2, 1, 3, 4, 1.0 / 3};
        const std::vector<double> disk{1, 1, 5, 3, 6, 0.5};
        const score_row_merge row = eval_merge_row(base, ours, disk);
        QCOMPARE(row.merged, (std::vector<double>{1, 2, 5, 3, 4, 0.5}));
        QCOMPARE(row.conflicts, std::vector<int>{4});
    }
};

QTEST_MAIN(test_eval_merge)
#include "test_eval_merge.moc"

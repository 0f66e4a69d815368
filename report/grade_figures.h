#pragma once
// The grade's figures: each class's and the whole grade's summary, and every student's
// place in the grade and in the class.

#include "report/grade_classes.h"
#include "results/exam_analysis.h"

#include <QString>
#include <optional>
#include <vector>

struct grade_summary_row {
    QString name;   // the class, or 全年级 for all students together
    class_figures figures;
    // A class's place by its average as shown, to three decimals, the highest first, equal
    // averages sharing it (1, 2, 2, 4); 0 for the grade's row.
    int mean_rank = 0;
    // How far the class's average is above the grade's, as a share of the grade's; none for
    // the grade's row, or when the grade's average is 0.
    std::optional<double> above_mean;
};

// One row per class in their order, then the grade's row over every student's total.
std::vector<grade_summary_row> grade_figures_summary(const std::vector<grade_class> &classes);

struct grade_rank_row {
    QString class_name;
    QString student;   // the file name without ".stu"
    double total = 0;  // as the score table shows it, to three decimals
    int grade_rank = 0;
    int class_rank = 0;
};

// Ranks as in sports, for totals sorted from the highest: equal totals share a rank, and the
// next rank skips as many places (1, 2, 2, 4).
std::vector<int> grade_figures_ranks(const std::vector<double> &descending);
// Every student, the highest total first; equal totals keep the classes' order and the
// students' order within a class. Totals are compared as shown, to three decimals, so two
// totals summed in different orders cannot part a tie.
std::vector<grade_rank_row> grade_figures_ranking(const std::vector<grade_class> &classes);

#pragma once
// The figures a teacher hands in after an exam: the class's score analysis and, question by
// question, the paper's.

#include "results/score_sheet.h"
#include "store/evaluation.h"

#include <array>
#include <optional>
#include <vector>

// 成绩分析: the students' totals against the paper's full score F.
struct class_figures {
    int students = 0;
    double full = 0;
    double mean = 0;
    double highest = 0;
    double lowest = 0;
    double median = 0;      // the mean of the two middle totals when their number is even
    double deviation = 0;   // population standard deviation
    int passed = 0;         // total >= 0.6 F
    int excellent = 0;      // total >= 0.85 F
    int low = 0;            // total < 0.4 F
    // Band k (0..9) holds k F/10 <= total < (k+1) F/10; the top band also holds F itself.
    std::array<int, 10> bands{};
};

enum class question_kind { single, multiple, open };

// 试题分析: one question's row.
struct question_figures {
    question_kind kind = question_kind::single;
    int number = 0;   // within its kind, from 1
    double full = 0;
    double mean = 0;
    std::optional<double> rate;             // mean / full; none when full is 0
    int full_count = 0;                     // scores equal to the full score
    int zero_count = 0;                     // scores equal to 0
    std::optional<double> discrimination;   // (upper mean - lower mean) / full; none when full is 0
    std::array<int, 6> chose{};             // choice questions: students whose answer has A..F
    int blank = 0;                          // choice questions: empty answers
    answer_set key = 0;                     // choice questions: the correct answer
};

// The class's figures from the totals (as the score table shows them) and the full score.
class_figures exam_analysis_class(const std::vector<double> &totals, double full);
// Every question's figures, in the paper's order. The upper and lower groups of the
// discrimination are the max(1, round(0.27 N)) students with the highest and the lowest
// totals, ties broken by their order in the score table.
std::vector<question_figures> exam_analysis_questions(const evaluation &eval, const std::vector<double> &totals);

#include "results/exam_analysis.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Scores carry three decimals; the thresholds are products that may be a hair off theirs.
constexpr double tolerance = 1e-9;

bool at_least(double total, double threshold)
{
    return total >= threshold - tolerance * std::max(1.0, std::fabs(threshold));
}

int band_of(double total, double full)
{
    if (full <= 0)
        return 0;
    const int k = int(std::floor(total * 10 / full + tolerance));
    return std::clamp(k, 0, 9);
}

// The students of the upper and the lower group, by their row in the score table.
struct groups {
    std::vector<int> upper;
    std::vector<int> lower;
};

groups groups_make(const std::vector<double> &totals)
{
    const int n_students = int(totals.size());
    const int n = std::max(1, int(std::lround(0.27 * n_students)));
    std::vector<int> order(totals.size());
    std::iota(order.begin(), order.end(), 0);
    groups made;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return totals[std::size_t(a)] > totals[std::size_t(b)]; });
    made.upper.assign(order.begin(), order.begin() + std::min(n, n_students));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return totals[std::size_t(a)] < totals[std::size_t(b)]; });
    made.lower.assign(order.begin(), order.begin() + std::min(n, n_students));
    return made;
}

double group_mean(const std::vector<int> &group, const std::vector<double> &scores)
{
    double sum = 0;
    for (const int row : group)
        sum += scores[std::size_t(row)];
    return group.empty() ? 0 : sum / double(group.size());
}

question_figures question_make(question_kind kind, int number, double full, const std::vector<double> &scores,
                               const groups &parts)
{
    question_figures figures;
    figures.kind = kind;
    figures.number = number;
    figures.full = full;
    for (const double score : scores) {
        figures.mean += score;
        figures.full_count += score == full;
        figures.zero_count += score == 0;
    }
    if (!scores.empty())
        figures.mean /= double(scores.size());
    if (full != 0) {
        figures.rate = figures.mean / full;
        figures.discrimination = (group_mean(parts.upper, scores) - group_mean(parts.lower, scores)) / full;
    }
    return figures;
}

void choices_count(question_figures &figures, const choice_question &question,
                   const student_table<answer_set> &answers, int students, int q)
{
    figures.key = question.key;
    for (int s = 1; s <= students; ++s) {
        const answer_set answer = answers[s][q];
        figures.blank += answer == 0;
        for (int e = 0; e < 6; ++e)
            figures.chose[std::size_t(e)] += (answer >> e) & 1;
    }
}

}  // namespace

class_figures exam_analysis_class(const std::vector<double> &totals, double full)
{
    class_figures figures;
    figures.students = int(totals.size());
    figures.full = full;
    if (totals.empty())
        return figures;
    std::vector<double> sorted = totals;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t n = sorted.size();
    figures.lowest = sorted.front();
    figures.highest = sorted.back();
    figures.median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    figures.mean = std::accumulate(totals.begin(), totals.end(), 0.0) / double(n);
    double squares = 0;
    for (const double total : totals)
        squares += (total - figures.mean) * (total - figures.mean);
    figures.deviation = std::sqrt(squares / double(n));
    for (const double total : totals) {
        figures.passed += at_least(total, 0.6 * full);
        figures.excellent += at_least(total, 0.85 * full);
        figures.low += !at_least(total, 0.4 * full);
        ++figures.bands[std::size_t(band_of(total, full))];
    }
    return figures;
}

std::vector<question_figures> exam_analysis_questions(const evaluation &eval, const std::vector<double> &totals)
{
    const groups parts = groups_make(totals);
    std::vector<question_figures> questions;
    std::vector<double> scores(std::size_t(std::max(0, eval.stu_cnt)));
    const auto column = [&](const student_table<double> &table, int q) {
        for (int s = 1; s <= eval.stu_cnt; ++s)
            scores[std::size_t(s - 1)] = table[s][q];
        return scores;
    };
    for (int q = 1; q <= eval.onech_cnt; ++q) {
        const choice_question &question = eval.onech_questions[std::size_t(q)];
        questions.push_back(question_make(question_kind::single, q, question.full_score, column(eval.onech_score, q),
                                          parts));
        choices_count(questions.back(), question, eval.onech_ans, eval.stu_cnt, q);
    }
    for (int q = 1; q <= eval.some_cnt; ++q) {
        const choice_question &question = eval.some_questions[std::size_t(q)];
        questions.push_back(question_make(question_kind::multiple, q, question.full_score, column(eval.some_score, q),
                                          parts));
        choices_count(questions.back(), question, eval.some_ans, eval.stu_cnt, q);
    }
    for (int q = 1; q <= eval.unch_cnt; ++q)
        questions.push_back(question_make(question_kind::open, q, eval.unch_questions[std::size_t(q)].full_score,
                                          column(eval.unch_score, q), parts));
    return questions;
}

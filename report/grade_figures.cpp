#include "report/grade_figures.h"

#include "store/score_text.h"

#include <QObject>
#include <algorithm>

std::vector<grade_summary_row> grade_figures_summary(const std::vector<grade_class> &classes)
{
    std::vector<grade_summary_row> rows;
    std::vector<double> everyone;
    const double full = classes.empty() ? 0 : evaluation_total(classes.front().eval);
    for (const grade_class &cls : classes) {
        const std::vector<double> totals = score_sheet_totals(cls.sheet);
        everyone.insert(everyone.end(), totals.begin(), totals.end());
        rows.push_back({cls.name, exam_analysis_class(totals, full), 0, std::nullopt});
    }
    rows.push_back({QObject::tr("全年级"), exam_analysis_class(everyone, full), 0, std::nullopt});
    const double grade_mean = rows.back().figures.mean;

    std::vector<std::size_t> order(classes.size());
    for (std::size_t c = 0; c < order.size(); ++c)
        order[c] = c;
    const auto shown_mean = [&](std::size_t c) { return score_text_shown(rows[c].figures.mean); };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return shown_mean(a) > shown_mean(b); });
    std::vector<double> means;
    for (const std::size_t c : order)
        means.push_back(shown_mean(c));
    const std::vector<int> ranks = grade_figures_ranks(means);
    for (std::size_t k = 0; k < order.size(); ++k) {
        grade_summary_row &row = rows[order[k]];
        row.mean_rank = ranks[k];
        if (grade_mean != 0)
            row.above_mean = (row.figures.mean - grade_mean) / grade_mean;
    }
    return rows;
}

std::vector<int> grade_figures_ranks(const std::vector<double> &descending)
{
    std::vector<int> ranks(descending.size());
    for (std::size_t i = 0; i < descending.size(); ++i)
        ranks[i] = i > 0 && descending[i] == descending[i - 1] ? ranks[i - 1] : int(i) + 1;
    return ranks;
}

std::vector<grade_rank_row> grade_figures_ranking(const std::vector<grade_class> &classes)
{
    std::vector<grade_rank_row> rows;
    std::vector<int> class_of;
    for (std::size_t c = 0; c < classes.size(); ++c) {
        for (const score_sheet_row &student : classes[c].sheet.rows) {
            QString name = student.name;
            if (name.endsWith(QLatin1String(".stu"), Qt::CaseInsensitive))
                name.chop(4);
            rows.push_back({classes[c].name, name, score_text_shown(student.total), 0, 0});
            class_of.push_back(int(c));
        }
    }
    std::vector<std::size_t> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return rows[a].total > rows[b].total; });

    std::vector<double> totals;
    totals.reserve(order.size());
    for (const std::size_t i : order)
        totals.push_back(rows[i].total);
    const std::vector<int> grade_ranks = grade_figures_ranks(totals);

    // Walking the grade from the top passes each class's students from its top too.
    std::vector<std::vector<double>> class_totals(classes.size());
    for (const std::size_t i : order)
        class_totals[std::size_t(class_of[i])].push_back(rows[i].total);
    std::vector<std::vector<int>> class_ranks;
    for (const std::vector<double> &totals_of_class : class_totals)
        class_ranks.push_back(grade_figures_ranks(totals_of_class));
    std::vector<std::size_t> passed(classes.size(), 0);

    std::vector<grade_rank_row> sorted;
    sorted.reserve(rows.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        grade_rank_row row = rows[order[k]];
        const auto c = std::size_t(class_of[order[k]]);
        row.grade_rank = grade_ranks[k];
        row.class_rank = class_ranks[c][passed[c]++];
        sorted.push_back(std::move(row));
    }
    return sorted;
}

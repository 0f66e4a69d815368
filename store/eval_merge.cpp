#include "store/eval_merge.h"

#include "store/score_text.h"

namespace {

// Equal as the score file writes them. Most scores compare equal as numbers already: a score
// read back from the same text is the same number.
bool same_as_written(double a, double b)
{
    return a == b || score_text(a) == score_text(b);
}

}  // namespace

score_row_merge eval_merge_row(const std::vector<double> &base, const std::vector<double> &ours,
                               const std::vector<double> &disk)
{
    score_row_merge row;
    row.merged = ours;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        if (same_as_written(disk[i], base[i]))
            continue;   // unchanged on disk: this window's score stands
        if (same_as_written(ours[i], base[i]))
            row.merged[i] = disk[i];
        else if (!same_as_written(ours[i], disk[i]))
            row.conflicts.push_back(int(i));
    }
    return row;
}

#pragma once
// Two windows scoring one class: a score file another window saved since this one read it is
// merged score by score, so neither teacher's work is lost.

#include <vector>

// One student's scores in the order of the score file, as this window last read or wrote them
// (base), as this window has them now (ours), and as the file on disk holds them (disk).
struct score_row_merge {
    std::vector<double> merged;   // ours where only this window changed a score, else disk's
    std::vector<int> conflicts;   // positions both changed, to different scores
};

// Decides each score on its own, comparing scores as the file writes them (three decimals):
// changed here only, this window's; changed on disk only, the disk's; changed in both to the
// same score, that score; to different scores, a conflict, whose merged score is left ours.
// The three rows have the same length.
score_row_merge eval_merge_row(const std::vector<double> &base, const std::vector<double> &ours,
                               const std::vector<double> &disk);

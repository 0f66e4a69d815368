#pragma once
// Two windows scoring one class: a score file another window saved since this one read it is
// merged score by score, so neither teacher's work is lost.

#include "store/evaluation.h"
#include "store/listed_message.h"

#include <QStringList>
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

// A score two windows changed apiece, to different scores.
struct score_conflict {
    int student = 0;
    int position = -1;   // in the score file's order; -1: the whole file no longer fits the paper
    double ours = 0;
    double theirs = 0;
};

// What a save finds in the score files that changed on disk since this window read or wrote
// them.
struct eval_merge {
    // Each merged student's row: this window's scores with the disk's where only it changed.
    std::vector<std::pair<int, std::vector<double>>> rows;
    std::vector<score_conflict> conflicts;
    // Changed files that cannot be read whole (or are gone): replaced only if the teacher agrees.
    QStringList unreadable;
};

// Reads every score file whose bytes changed since this window read or wrote it and merges it
// score by score with the evaluation's scores.
eval_merge eval_merge_read(const evaluation &eval);
// Puts the merged scores into eval, each conflict decided for this window's score (ours) or
// the file's, and adds the marks of answers scored by hand that the folder's record holds
// (their union). Returns the students whose files are to be left as they are: those whose
// whole file conflicted and was decided for the file. *taken tells whether a score from disk
// went in.
std::vector<int> eval_merge_apply(evaluation &eval, const eval_merge &merge, bool ours, bool *taken);

// The question that lists the conflicts, each with this window's score and the file's.
listed_message eval_merge_conflict_question(const evaluation &eval, const eval_merge &merge);

#pragma once
// What the window holds beside its widgets: the open evaluation, the scoring page's cursor
// and the figures the score table shows.

#include "results/score_sheet.h"
#include "store/evaluation.h"

#include <optional>

struct window_state {
    evaluation eval;
    unch_cursor cursor;
    // What the statistics last put into the score table; none while its cells are empty.
    std::optional<score_sheet> table;
    // The table shows the scores as they are: no score changed since it was filled.
    bool table_current = false;
    // Scores changed since the evaluation was opened or last saved.
    bool unsaved = false;
    // The score the scoring page's box showed last: anything else in it was typed.
    double unch_shown = 0;

    // After a score changed: unsaved, and the table shows it no more.
    void scores_change()
    {
        unsaved = true;
        table_current = false;
    }
};

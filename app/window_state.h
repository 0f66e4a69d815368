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
};

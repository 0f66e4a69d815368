#pragma once
// What the window holds beside its pages: the open evaluation, if any, and whether it holds
// scores not yet saved.

#include "store/evaluation.h"

#include <optional>

struct window_state {
    // None while no evaluation is open.
    std::optional<evaluation> eval;
    // Scores changed since the evaluation was opened or last saved.
    bool unsaved = false;
};

#pragma once

#include <QString>

// A score as the program shows, logs, saves and exports it: "%.3f" with a point,
// whatever the process locale is.
QString score_text(double score);
// The number score_text shows: the score rounded to three decimals, exactly as a reader of
// the text would take it back.
double score_text_shown(double score);

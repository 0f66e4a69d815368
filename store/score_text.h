#pragma once

#include <QString>

// A score as the program shows, logs, saves and exports it: "%.3f" with a point,
// whatever the process locale is.
QString score_text(double score);

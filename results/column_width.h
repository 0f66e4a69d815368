#pragma once
// Column widths that fit their texts, in the characters Excel measures widths in.

#include <QString>

// The width text takes in a sheet: a Chinese character, a full-width form or an emoji takes
// two characters' room, anything else one.
double column_width_measure(const QString &text);

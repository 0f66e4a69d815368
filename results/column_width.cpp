#include "results/column_width.h"

#include <QVector>

namespace {

bool wide(uint u)
{
    return (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) || (u >= 0xAC00 && u <= 0xD7A3)
           || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60)
           || (u >= 0xFFE0 && u <= 0xFFE6) || u >= 0x1F300;
}

}  // namespace

double column_width_measure(const QString &text)
{
    double width = 0;
    for (const uint u : text.toUcs4())
        width += wide(u) ? 2 : 1;
    return width;
}

#include "store/score_text.h"

#include <charconv>

QString score_text(double score)
{
    char buffer[400];   // room for the widest double in fixed notation
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, score, std::chars_format::fixed, 3);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

double score_shown(double score)
{
    char buffer[400];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, score, std::chars_format::fixed, 3);
    double shown = 0;
    std::from_chars(buffer, written.ptr, shown, std::chars_format::fixed);
    return shown;
}

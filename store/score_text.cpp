#include "store/score_text.h"

#include <charconv>

QString score_text(double score)
{
    char buffer[400];   // room for the widest double in fixed notation
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, score, std::chars_format::fixed, 3);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

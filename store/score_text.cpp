#include "store/score_text.h"

#include <charconv>

namespace {

// A score in "%.3f" form, the one rounding that both the text and the number come from.
struct fixed_text {
    char chars[400];   // room for the widest double in fixed notation
    int size;
};

fixed_text fixed_text_make(double score)
{
    fixed_text text;
    const auto written = std::to_chars(text.chars, text.chars + sizeof text.chars, score, std::chars_format::fixed, 3);
    text.size = int(written.ptr - text.chars);
    return text;
}

}  // namespace

QString score_text(double score)
{
    const fixed_text text = fixed_text_make(score);
    return QString::fromLatin1(text.chars, text.size);
}

double score_text_shown(double score)
{
    const fixed_text text = fixed_text_make(score);
    double shown = 0;
    std::from_chars(text.chars, text.chars + text.size, shown, std::chars_format::fixed);
    return shown;
}

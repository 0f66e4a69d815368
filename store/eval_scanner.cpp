#include "store/eval_scanner.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace {

bool is_space(QChar c)
{
    const ushort u = c.unicode();
    return u == ' ' || (u >= '\t' && u <= '\r') || u == 0x3000 || u == 0x00A0;
}

bool is_digit(const QString &text, int pos)
{
    return pos < text.size() && text.at(pos).unicode() >= '0' && text.at(pos).unicode() <= '9';
}

int skip_digits(const QString &text, int pos)
{
    while (is_digit(text, pos))
        ++pos;
    return pos;
}

// Where a number may end: white space, the '@' of a text that follows, or the end.
bool is_number_end(const QString &text, int pos)
{
    return pos >= text.size() || is_space(text.at(pos)) || text.at(pos) == QLatin1Char('@');
}

bool is_sign(const QString &text, int pos)
{
    return pos < text.size() && (text.at(pos) == QLatin1Char('+') || text.at(pos) == QLatin1Char('-'));
}

}  // namespace

eval_scanner::eval_scanner(QString text)
    : m_text(std::move(text))
{
    // Looking for a single character is much faster than for the pair, and most files
    // have no CR at all.
    if (m_text.contains(QLatin1Char('\r')))
        m_text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

void eval_scanner::skip_space()
{
    while (m_pos < m_text.size() && is_space(m_text.at(m_pos)))
        ++m_pos;
}

eval_scanner::status eval_scanner::read_int(answer_set *value)
{
    skip_space();
    int end = m_pos;
    const bool negative = is_sign(m_text, end) && m_text.at(end) == QLatin1Char('-');
    if (is_sign(m_text, end))
        ++end;
    const int digits = end;
    end = skip_digits(m_text, end);
    if (end == digits || !is_number_end(m_text, end))
        return status::no_number;

    qint64 magnitude = 0;
    for (int i = digits; i < end; ++i) {
        magnitude = magnitude * 10 + (m_text.at(i).unicode() - '0');
        if (magnitude > qint64(std::numeric_limits<answer_set>::max()) + 1)
            return status::no_number;
    }
    const qint64 signed_value = negative ? -magnitude : magnitude;
    if (signed_value > std::numeric_limits<answer_set>::max())
        return status::no_number;
    *value = answer_set(signed_value);
    m_pos = end;
    return status::ok;
}

eval_scanner::status eval_scanner::read_real(double *value)
{
    skip_space();
    int end = m_pos;
    const bool negative = is_sign(m_text, end) && m_text.at(end) == QLatin1Char('-');
    if (is_sign(m_text, end))
        ++end;
    const int start = end;
    // Most numbers are short plain decimals ("7.500"): their digits and the power of ten that
    // divides them are exact doubles, so the one rounding of the division is the correct one.
    std::uint64_t digits = 0;
    int digit_count = 0;
    int decimals = 0;
    for (; is_digit(m_text, end); ++end, ++digit_count)
        digits = digits * 10 + (m_text.at(end).unicode() - '0');
    bool has_digits = digit_count > 0;
    if (end < m_text.size() && m_text.at(end) == QLatin1Char('.')) {
        const int fraction = end + 1;
        int fraction_end = fraction;
        for (; is_digit(m_text, fraction_end); ++fraction_end, ++digit_count, ++decimals)
            digits = digits * 10 + (m_text.at(fraction_end).unicode() - '0');
        if (has_digits || fraction_end > fraction) {
            has_digits = true;
            end = fraction_end;
        }
    }
    if (!has_digits)
        return status::no_number;
    bool exponent = false;
    if (end < m_text.size() && (m_text.at(end) == QLatin1Char('e') || m_text.at(end) == QLatin1Char('E'))) {
        int exponent_start = end + 1;
        if (is_sign(m_text, exponent_start))
            ++exponent_start;
        const int exponent_end = skip_digits(m_text, exponent_start);
        exponent = exponent_end > exponent_start;
        if (exponent)
            end = exponent_end;
    }
    if (!is_number_end(m_text, end))
        return status::no_number;
    static const double powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (!exponent && digit_count <= 15) {
        const double magnitude = double(digits) / powers[decimals];
        *value = negative ? -magnitude : magnitude;
        m_pos = end;
        return status::ok;
    }

    // from_chars takes no leading '+' and is independent of the process locale. Every
    // character of the number is ASCII: a short one is copied without an allocation.
    const int from = negative ? start - 1 : start;
    const int size = end - from;
    char chars[64];
    QByteArray longer;
    const char *number = chars;
    if (size <= int(sizeof chars)) {
        for (int i = 0; i < size; ++i)
            chars[i] = char(m_text.at(from + i).unicode());
    } else {
        longer = m_text.mid(from, size).toLatin1();
        number = longer.constData();
    }
    double parsed = 0;
    const auto result = std::from_chars(number, number + size, parsed);
    if (result.ec != std::errc() || result.ptr != number + size)
        return status::no_number;
    *value = parsed;
    m_pos = end;
    return status::ok;
}

eval_scanner::status eval_scanner::read_marked(QString *text)
{
    const int at = m_text.indexOf(QLatin1Char('@'), m_pos);
    if (at < 0) {
        m_pos = m_text.size();
        return status::no_at;
    }
    const int dollar = m_text.indexOf(QLatin1Char('$'), at + 1);
    if (dollar < 0) {
        m_pos = m_text.size();
        return status::no_dollar;
    }
    *text = m_text.mid(at + 1, dollar - at - 1);
    m_pos = dollar + 1;
    return status::ok;
}

void eval_scanner::skip_item(bool texts_follow)
{
    skip_space();
    while (m_pos < m_text.size() && !is_space(m_text.at(m_pos)) && !(texts_follow && m_text.at(m_pos) == QLatin1Char('@')))
        ++m_pos;
}

bool eval_scanner::at_end()
{
    skip_space();
    return m_pos >= m_text.size();
}

#include "store/local_text.h"

#include <QHash>
#include <QObject>
#include <QTextCodec>
#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

QTextCodec *utf8_codec()
{
    static QTextCodec *const codec = QTextCodec::codecForName("UTF-8");
    return codec;
}

QTextCodec *gb18030_codec()
{
    static QTextCodec *const codec = QTextCodec::codecForName("GB18030");
    return codec;
}

// What a Chinese class's texts hold beyond ASCII: the characters of GB2312 but its Cyrillic,
// by code point and by their two GB18030 bytes (rows and columns from 0xA1).
struct plausible_tables {
    std::bitset<0x10000> code_points;
    std::bitset<94 * 94> pairs;
};

const plausible_tables &plausible()
{
    static const std::unique_ptr<plausible_tables> tables = [] {
        auto made = std::make_unique<plausible_tables>();
        for (int row = 0xA1; row <= 0xF7; ++row) {
            // Rows 0xAA to 0xAF are empty and row 0xA7 is Cyrillic, which no class's text holds
            // but GB18030 read as UTF-8 often gives.
            if (row == 0xA7 || (row >= 0xAA && row <= 0xAF))
                continue;
            for (int column = 0xA1; column <= 0xFE; ++column) {
                const char pair[] = {char(row), char(column)};
                const QString c = gb18030_codec()->toUnicode(pair, 2);
                const ushort u = c.size() == 1 ? c.at(0).unicode() : 0;
                // Empty cells read as private-use characters.
                if (u < 0x80 || (u >= 0xE000 && u <= 0xF8FF) || u == QChar::ReplacementCharacter)
                    continue;
                made->code_points.set(u);
                made->pairs.set(std::size_t((row - 0xA1) * 94 + column - 0xA1));
            }
        }
        return made;
    }();
    return *tables;
}

// How plausible a reading is: its bytes that read as plausible characters, less those that
// read as anything else but ASCII.
struct plausibility {
    qint64 plausible_bytes = 0;
    qint64 other_bytes = 0;
    qint64 score() const { return plausible_bytes - other_bytes; }
};

// Decodes valid UTF-8 as Qt does (a leading byte order mark skipped) and weighs it on the
// way. False at the first byte that is no valid UTF-8: such a file goes through Qt's decoder.
// Files are mostly ASCII and three-byte characters, so these take the short ways.
bool utf8_decode_valid(const QByteArray &bytes, QString *text, plausibility *weight)
{
    const auto *in = reinterpret_cast<const uchar *>(bytes.constData());
    const uchar *const end = in + bytes.size();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        in += 3;
    QString out(int(end - in), Qt::Uninitialized);
    ushort *o = reinterpret_cast<ushort *>(out.data());
    ushort *const start = o;
    const std::bitset<0x10000> &plausible_code_points = plausible().code_points;
    // Characters by the number of bytes they take, and how many of them are plausible.
    qint64 count[5] = {};
    qint64 plausible_count[4] = {};
    while (in < end) {
        while (end - in >= 8) {
            std::uint64_t eight;
            std::memcpy(&eight, in, 8);
            if (eight & 0x8080808080808080u)
                break;
            for (int k = 0; k < 8; ++k)
                o[k] = in[k];
            in += 8;
            o += 8;
        }
        qint64 threes = 0;
        qint64 plausible_threes = 0;
        while (end - in >= 3 && (*in & 0xF0) == 0xE0) {
            const unsigned b0 = in[0];
            const unsigned b1 = in[1];
            const unsigned b2 = in[2];
            const unsigned c = (b0 & 0x0F) << 12 | (b1 & 0x3F) << 6 | (b2 & 0x3F);
            if ((((b1 ^ 0x80) | (b2 ^ 0x80)) & 0xC0) || c < 0x800 || c - 0xD800 < 0x800)
                return false;
            *o++ = ushort(c);
            in += 3;
            ++threes;
            plausible_threes += plausible_code_points[c];
        }
        count[3] += threes;
        plausible_count[3] += plausible_threes;
        if (in == end)
            break;
        const uchar b = *in;
        if (b < 0x80) {
            *o++ = b;
            ++in;
        } else if (b >= 0xC2 && b <= 0xDF && end - in >= 2 && (in[1] & 0xC0) == 0x80) {
            const unsigned c = unsigned(b & 0x1F) << 6 | unsigned(in[1] & 0x3F);
            *o++ = ushort(c);
            in += 2;
            ++count[2];
            plausible_count[2] += plausible_code_points[c];
        } else if (b >= 0xF0 && b <= 0xF4 && end - in >= 4 && (in[1] & 0xC0) == 0x80 && (in[2] & 0xC0) == 0x80
                   && (in[3] & 0xC0) == 0x80) {
            const char32_t c = char32_t(b & 0x07) << 18 | char32_t(in[1] & 0x3F) << 12 | char32_t(in[2] & 0x3F) << 6
                | char32_t(in[3] & 0x3F);
            if (c < 0x10000 || c > 0x10FFFF)
                return false;
            *o++ = QChar::highSurrogate(c);
            *o++ = QChar::lowSurrogate(c);
            in += 4;
            ++count[4];
        } else {
            return false;   // a three-byte lead its loop did not take included
        }
    }
    out.resize(int(o - start));
    *text = std::move(out);
    weight->plausible_bytes = 2 * plausible_count[2] + 3 * plausible_count[3];
    weight->other_bytes = 2 * (count[2] - plausible_count[2]) + 3 * (count[3] - plausible_count[3]) + 4 * count[4];
    return true;
}

// The weight of a text Qt decoded from bytes: what is not ASCII or plausible was read from
// the other bytes.
plausibility text_weigh(const QString &text, qint64 size, bool utf8)
{
    plausibility weight;
    qint64 ascii = 0;
    const plausible_tables &tables = plausible();
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x80)
            ++ascii;
        else if (tables.code_points[u])
            weight.plausible_bytes += utf8 ? (u < 0x800 ? 2 : 3) : 2;
    }
    weight.other_bytes = size - ascii - weight.plausible_bytes;
    return weight;
}

// The weight of bytes read as GB18030, from their structure alone: one byte below 0x80, four
// with a digit second, else two; a lead without a valid follower stands alone.
plausibility gb18030_weigh(const QByteArray &bytes)
{
    plausibility weight;
    const auto *in = reinterpret_cast<const uchar *>(bytes.constData());
    const uchar *const end = in + bytes.size();
    const plausible_tables &tables = plausible();
    while (in < end) {
        const uchar b = *in;
        if (b < 0x80) {
            ++in;
            continue;
        }
        const uchar next = end - in > 1 ? in[1] : 0;
        if (b == 0x80 || b == 0xFF || next < 0x30 || next == 0x7F || next == 0xFF || (next > 0x39 && next < 0x40)) {
            weight.other_bytes += 1;
            ++in;
        } else if (next <= 0x39) {
            weight.other_bytes += 4;
            in += std::min<std::ptrdiff_t>(4, end - in);
        } else {
            const bool plausible_pair = b >= 0xA1 && next >= 0xA1 && tables.pairs[std::size_t((b - 0xA1) * 94 + next - 0xA1)];
            (plausible_pair ? weight.plausible_bytes : weight.other_bytes) += 2;
            in += 2;
        }
    }
    return weight;
}

decoded_text decode_with(QTextCodec *codec, const QByteArray &bytes, bool utf8)
{
    QTextCodec::ConverterState state;
    decoded_text decoded;
    decoded.text = codec->toUnicode(bytes.constData(), bytes.size(), &state);
    decoded.invalid = state.invalidChars;
    if (state.remainingChars > 0) {
        decoded.text += QChar::ReplacementCharacter;
        ++decoded.invalid;
    }
    // Qt's GB18030 decoder puts U+FFFD for what it cannot read but does not count it.
    if (!utf8)
        decoded.invalid = int(decoded.text.count(QChar::ReplacementCharacter));
    decoded.utf8 = utf8;
    return decoded;
}

// Every character that shows nothing where it stands, or moves or breaks what follows.
bool is_hidden(char32_t c)
{
    if (c < 0x20 || (c >= 0x7f && c <= 0x9f))   // C0 and C1 controls, line breaks
        return true;
    if (QChar::category(c) == QChar::Other_Format)   // bidirectional controls, joiners, U+00AD, U+FEFF, tags ...
        return true;
    return c == 0x034F                                 // combining grapheme joiner
        || c == 0x115F || c == 0x1160 || c == 0x3164 || c == 0xFFA0   // Hangul fillers
        || c == 0x17B4 || c == 0x17B5                                 // Khmer inherent vowels
        || (c >= 0x180B && c <= 0x180F)                               // Mongolian variation selectors
        || c == 0x2028 || c == 0x2029                                 // line and paragraph separators
        || (c >= 0x2060 && c <= 0x206F)                               // word joiner, invisible operators
        || (c >= 0xFE00 && c <= 0xFE0F)                               // variation selectors
        || (c >= 0xFFF0 && c <= 0xFFF8)
        || (c >= 0xE0000 && c <= 0xE0FFF);                            // tags, variation selectors supplement
}

}  // namespace

decoded_text local_text_decode(const QByteArray &bytes, bool prefer_utf8)
{
    decoded_text utf8;
    plausibility utf8_weight;
    const bool valid = utf8_decode_valid(bytes, &utf8.text, &utf8_weight);
    // Nothing reads valid UTF-8 made of plausible characters better: GB18030 can only tie.
    if (valid && utf8_weight.other_bytes == 0 && prefer_utf8)
        return utf8;
    if (!valid) {
        utf8 = decode_with(utf8_codec(), bytes, true);
        utf8_weight = text_weigh(utf8.text, bytes.size(), true);
    }
    const qint64 gb18030_score = gb18030_weigh(bytes).score();
    if (utf8_weight.score() > gb18030_score || (utf8_weight.score() == gb18030_score && prefer_utf8))
        return utf8;
    return decode_with(gb18030_codec(), bytes, false);
}

int local_text_size(const QString &text, bool utf8)
{
    return (utf8 ? utf8_codec() : gb18030_codec())->fromUnicode(text).size();
}

QByteArray local_text_cut(const QByteArray &bytes, int max_bytes, bool utf8)
{
    int end = 0;
    while (end < bytes.size()) {
        const uchar b = uchar(bytes.at(end));
        int length = 1;
        if (utf8) {
            length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        } else if (b >= 0x81 && b <= 0xFE && end + 1 < bytes.size()) {
            const uchar next = uchar(bytes.at(end + 1));
            length = next >= 0x30 && next <= 0x39 ? 4 : 2;
        }
        if (end + length > max_bytes)
            break;
        end += length;
    }
    return bytes.left(end);
}

QString local_text_visible(const QString &name)
{
    QString shown;
    shown.reserve(name.size());
    for (int i = 0; i < name.size(); ++i) {
        const bool pair = name.at(i).isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(name.at(i), name.at(i + 1)) : name.at(i).unicode();
        if (is_hidden(c))
            shown += QChar(QChar::ReplacementCharacter);
        else
            shown += name.midRef(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
    }
    return shown;
}

QString local_text_name(const QByteArray &name, bool prefer_utf8)
{
    return local_text_visible(local_text_decode(name, prefer_utf8).text);
}

QStringList local_text_names(const std::vector<QByteArray> &names, bool prefer_utf8)
{
    QStringList shown;
    QHash<QString, int> seen;
    std::vector<QString> alike;
    for (const QByteArray &name : names) {
        shown << local_text_name(name, prefer_utf8);
        alike.push_back(shown.back().normalized(QString::NormalizationForm_C));
        ++seen[alike.back()];
    }
    QHash<QString, int> marked;
    for (int i = 0; i < shown.size(); ++i) {
        if (seen.value(alike[std::size_t(i)]) > 1)
            shown[i] = QObject::tr("%1（%2）").arg(shown[i]).arg(++marked[alike[std::size_t(i)]]);
    }
    return shown;
}

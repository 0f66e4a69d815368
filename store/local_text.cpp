#include "store/local_text.h"

#include <QTextCodec>

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

int non_ascii_count(const QString &text)
{
    int count = 0;
    for (const QChar c : text)
        count += c.unicode() > 0x7f && c != QChar::ReplacementCharacter;
    return count;
}

bool is_hidden(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f)          // C0 and C1 controls, line breaks
        || c == 0x061c || c == 0x200e || c == 0x200f      // bidirectional marks
        || (c >= 0x2028 && c <= 0x202e)                   // line and paragraph separators, embeddings
        || (c >= 0x2066 && c <= 0x2069);                  // bidirectional isolates
}

}  // namespace

decoded_text local_text_decode(const QByteArray &bytes)
{
    decoded_text utf8 = decode_with(utf8_codec(), bytes, true);
    // Almost any bytes are GB18030 of some sort, so UTF-8 is asked first. GB18030 read as
    // UTF-8 is mostly invalid sequences (about one pair in twelve happens to form a UTF-8
    // character); a UTF-8 file with a few stray bytes has more good characters than bad.
    if (utf8.invalid <= non_ascii_count(utf8.text))
        return utf8;
    return decode_with(gb18030_codec(), bytes, false);
}

int local_text_size(const QString &text, bool utf8)
{
    return (utf8 ? utf8_codec() : gb18030_codec())->fromUnicode(text).size();
}

QString local_text_visible(const QString &name)
{
    QString shown = name;
    for (QChar &c : shown) {
        if (is_hidden(c.unicode()))
            c = QChar::ReplacementCharacter;
    }
    return shown;
}

QString local_text_name(const QByteArray &name)
{
    return local_text_visible(local_text_decode(name).text);
}

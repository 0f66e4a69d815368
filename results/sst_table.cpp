#include "results/sst_table.h"

#include "results/biff_stream.h"
#include "results/le_bytes.h"

#include <algorithm>
#include <utility>

namespace {

constexpr quint16 BIFF_CONTINUE = 0x003C;
constexpr quint16 BIFF_SST = 0x00FC;
constexpr quint16 BIFF_EXTSST = 0x00FF;

// The record being filled: the SST, then each CONTINUE record after it.
struct sst_records {
    QByteArray &s;
    const int sst_at;
    int record_at;

    int room() const { return BIFF_MAX_DATA - (s.size() - record_at - 4); }
    // A record is never left without a string of its own: the SST's counts are no string.
    bool empty() const { return s.size() == record_at + 4 + (record_at == sst_at ? 8 : 0); }
    void next()
    {
        biff_record_end(s, record_at);
        record_at = biff_record_begin(s, BIFF_CONTINUE);
    }
};

// How many records a string of n characters spans when its header starts with room bytes
// left in the current record.
int sst_span_count(int room, int n, int char_size)
{
    const int left = n - (room - 3) / char_size;
    const int per_continue = (BIFF_MAX_DATA - 1) / char_size;
    return left > 0 ? 1 + (left + per_continue - 1) / per_continue : 1;
}

// Writes one string and returns where its header starts: in the stream, and from the start
// of its record. Its length and flags never leave the record they start in; its characters
// may run on into the next CONTINUE, which then begins with the flags byte again, and a
// character or a surrogate pair is never cut in two. A string starts in a new record when
// that spreads it over fewer records: short strings are then never split, and long ones touch
// as few record boundaries as they can, which some readers (libfreexl) need.
std::pair<quint32, quint16> sst_string_write(sst_records &w, const QString &text)
{
    QByteArray &s = w.s;
    const QChar *chars = text.constData();
    const int n = text.size();
    const bool wide = !biff_chars_compressible(chars, n);
    const int char_size = wide ? 2 : 1;
    if (!w.empty()
        && (w.room() < 3 + 2 * char_size
            || sst_span_count(w.room(), n, char_size) > sst_span_count(BIFF_MAX_DATA, n, char_size)))
        w.next();
    const std::pair<quint32, quint16> start(quint32(s.size()), quint16(s.size() - w.record_at));
    le_put_u16(s, unsigned(n));
    le_put_u8(s, wide ? 1 : 0);
    int done = 0;
    while (done < n) {
        int take = std::min(w.room() / char_size, n - done);
        if (take > 0 && take < n - done && chars[done + take - 1].isHighSurrogate())
            --take;
        if (take == 0) {
            w.next();
            le_put_u8(s, wide ? 1 : 0);
            continue;
        }
        biff_chars_put(s, chars + done, take, wide);
        done += take;
    }
    return start;
}

}   // namespace

sst_table sst_table_collect(const workbook &book)
{
    sst_table sst;
    for (const workbook_sheet &sheet : book) {
        for (const workbook_row &row : sheet.rows) {
            for (const workbook_cell &cell : row) {
                if (cell.kind != workbook_cell::type::text || cell.text.isEmpty())
                    continue;
                ++sst.references;
                if (!sst.index.contains(cell.text)) {
                    sst.index.insert(cell.text, quint32(sst.strings.size()));
                    sst.strings.push_back(cell.text);
                }
            }
        }
    }
    return sst;
}

void sst_table_write(QByteArray &s, const sst_table &sst)
{
    const quint32 unique = quint32(sst.strings.size());
    // The lookup table points at every dsst-th string, in at most 128 buckets.
    const quint32 dsst = std::max<quint32>(unique / 128 + 1, 8);
    std::vector<std::pair<quint32, quint16>> buckets;

    const int sst_at = biff_record_begin(s, BIFF_SST);
    sst_records w{s, sst_at, sst_at};
    le_put_u32(s, sst.references);
    le_put_u32(s, unique);
    for (quint32 k = 0; k < unique; ++k) {
        const auto start = sst_string_write(w, sst.strings[k]);
        if (k % dsst == 0)
            buckets.push_back(start);
    }
    biff_record_end(s, w.record_at);

    const int at = biff_record_begin(s, BIFF_EXTSST);
    le_put_u16(s, dsst);
    for (const auto &bucket : buckets) {
        le_put_u32(s, bucket.first);
        le_put_u16(s, bucket.second);
        le_put_u16(s, 0);
    }
    biff_record_end(s, at);
}

#include "results/workbook_xls.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------
// Little-endian output into a growing byte array; the set_ variants patch earlier fields.

void put_u8(QByteArray &b, unsigned v)
{
    b.append(char(v & 0xFF));
}

void put_u16(QByteArray &b, unsigned v)
{
    put_u8(b, v);
    put_u8(b, v >> 8);
}

void put_u32(QByteArray &b, quint32 v)
{
    put_u16(b, v & 0xFFFF);
    put_u16(b, v >> 16);
}

void put_f64(QByteArray &b, double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    put_u32(b, quint32(bits));
    put_u32(b, quint32(bits >> 32));
}

void put_zeros(QByteArray &b, int n)
{
    b.append(n, '\0');
}

void set_u16(QByteArray &b, int at, unsigned v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}

void set_u32(QByteArray &b, int at, quint32 v)
{
    set_u16(b, at, v & 0xFFFF);
    set_u16(b, at + 2, v >> 16);
}

// ---------------------------------------------------------------------------------------
// BIFF8 records: a 2-byte id, a 2-byte length and at most 8224 bytes of data.

constexpr int BIFF_MAX_DATA = 8224;

enum biff_id : quint16 {
    BIFF_FORMULA_CALCCOUNT = 0x000C,
    BIFF_CALCMODE = 0x000D,
    BIFF_PRECISION = 0x000E,
    BIFF_REFMODE = 0x000F,
    BIFF_DELTA = 0x0010,
    BIFF_ITERATION = 0x0011,
    BIFF_PROTECT = 0x0012,
    BIFF_PASSWORD = 0x0013,
    BIFF_HEADER = 0x0014,
    BIFF_FOOTER = 0x0015,
    BIFF_WINDOWPROTECT = 0x0019,
    BIFF_DATEMODE = 0x0022,
    BIFF_PRINTHEADERS = 0x002A,
    BIFF_PRINTGRIDLINES = 0x002B,
    BIFF_FONT = 0x0031,
    BIFF_CONTINUE = 0x003C,
    BIFF_WINDOW1 = 0x003D,
    BIFF_BACKUP = 0x0040,
    BIFF_CODEPAGE = 0x0042,
    BIFF_DEFCOLWIDTH = 0x0055,
    BIFF_WRITEACCESS = 0x005C,
    BIFF_SAVERECALC = 0x005F,
    BIFF_GUTS = 0x0080,
    BIFF_WSBOOL = 0x0081,
    BIFF_GRIDSET = 0x0082,
    BIFF_HCENTER = 0x0083,
    BIFF_VCENTER = 0x0084,
    BIFF_BOUNDSHEET = 0x0085,
    BIFF_COUNTRY = 0x008C,
    BIFF_HIDEOBJ = 0x008D,
    BIFF_SETUP = 0x00A1,
    BIFF_MMS = 0x00C1,
    BIFF_DBCELL = 0x00D7,
    BIFF_BOOKBOOL = 0x00DA,
    BIFF_XF = 0x00E0,
    BIFF_INTERFACEHDR = 0x00E1,
    BIFF_INTERFACEEND = 0x00E2,
    BIFF_SST = 0x00FC,
    BIFF_LABELSST = 0x00FD,
    BIFF_EXTSST = 0x00FF,
    BIFF_RRTABID = 0x013D,
    BIFF_USESELFS = 0x0160,
    BIFF_DSF = 0x0161,
    BIFF_PROT4REV = 0x01AF,
    BIFF_REFRESHALL = 0x01B7,
    BIFF_PROT4REVPASS = 0x01BC,
    BIFF_DIMENSIONS = 0x0200,
    BIFF_NUMBER = 0x0203,
    BIFF_BOOLERR = 0x0205,
    BIFF_ROW = 0x0208,
    BIFF_INDEX = 0x020B,
    BIFF_DEFAULTROWHEIGHT = 0x0225,
    BIFF_WINDOW2 = 0x023E,
    BIFF_STYLE = 0x0293,
    BIFF_FORMAT = 0x041E,
    BIFF_BOF = 0x0809,
    BIFF_EOF = 0x000A,
    BIFF_SELECTION = 0x001D,
    BIFF_PANE = 0x0041,
    BIFF_COLINFO = 0x007D,
};

constexpr quint16 BIFF_ROW_HEIGHT = 255;   // twips, the height of a row in the 10 pt font
constexpr quint16 BIFF_TEXT_XF = 15;        // the default cell format, "General"
constexpr quint16 BIFF_NUMBER_XF = 21;      // a cell format showing "0.000"
constexpr quint16 BIFF_PERCENT_XF = 22;     // a cell format showing "0.0%", when needed
constexpr quint16 BIFF_NUMBER_FORMAT = 164; // the first index free for user formats
constexpr quint16 BIFF_PERCENT_FORMAT = 165;
constexpr int BIFF_ROWS_PER_BLOCK = 32;
constexpr int BIFF_ROW_RECORD_SIZE = 4 + 16;

// Starts a record and returns where it starts; biff_end() fills in its length.
int biff_begin(QByteArray &s, quint16 id)
{
    const int at = s.size();
    put_u16(s, id);
    put_u16(s, 0);
    return at;
}

void biff_end(QByteArray &s, int at)
{
    const int length = s.size() - at - 4;
    Q_ASSERT(length <= BIFF_MAX_DATA);
    set_u16(s, at + 2, unsigned(length));
}

void biff_u16_record(QByteArray &s, quint16 id, unsigned value)
{
    const int at = biff_begin(s, id);
    put_u16(s, value);
    biff_end(s, at);
}

void biff_empty_record(QByteArray &s, quint16 id)
{
    biff_end(s, biff_begin(s, id));
}

// Texts are stored one byte a character when every character fits, else as UTF-16LE.
bool biff_is_compressible(const QChar *chars, int n)
{
    for (int i = 0; i < n; ++i) {
        if (chars[i].unicode() > 0xFF)
            return false;
    }
    return true;
}

void biff_put_chars(QByteArray &s, const QChar *chars, int n, bool wide)
{
    for (int i = 0; i < n; ++i) {
        if (wide)
            put_u16(s, chars[i].unicode());
        else
            put_u8(s, chars[i].unicode());
    }
}

// A string with a 1-byte length (ShortXLUnicodeString) or a 2-byte length (XLUnicodeString).
void biff_put_string(QByteArray &s, const QString &text, bool long_length)
{
    const bool wide = !biff_is_compressible(text.constData(), text.size());
    if (long_length)
        put_u16(s, unsigned(text.size()));
    else
        put_u8(s, unsigned(text.size()));
    put_u8(s, wide ? 1 : 0);
    biff_put_chars(s, text.constData(), text.size(), wide);
}

void biff_bof(QByteArray &s, quint16 substream)
{
    const int at = biff_begin(s, BIFF_BOF);
    put_u16(s, 0x0600);      // BIFF8
    put_u16(s, substream);
    put_u16(s, 0x0DBB);      // build and year of Excel 97, the version BIFF8 came with
    put_u16(s, 0x07CC);
    put_u32(s, 0x00000009);  // last edited, and ever edited, on Windows
    put_u32(s, 0x00000006);  // lowest BIFF version able to read it: 8
    biff_end(s, at);
}

// ---------------------------------------------------------------------------------------
// Shared strings: every distinct text once, in order of first use, referenced by index.

struct sst_table {
    QHash<QString, quint32> index;
    std::vector<QString> strings;
    quint32 references = 0;
};

bool cell_is_written(const workbook_cell &cell)
{
    return cell.kind == workbook_cell::type::number
           || (cell.kind == workbook_cell::type::text && !cell.text.isEmpty());
}

// One table serves every sheet of the workbook.
sst_table sst_collect(const workbook &book)
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

// Fills SST and CONTINUE records. A string's length and flags never leave the record they
// start in; its characters may run on into the next CONTINUE, which then begins with the
// flags byte again. A character, or a surrogate pair, is never cut in two. A string starts
// in a new record when that spreads it over fewer records: short strings are then never
// split, and long ones touch as few record boundaries as they can, which some readers
// (libfreexl) need.
struct sst_writer {
    QByteArray &s;
    int record_at = 0;

    int room() const { return BIFF_MAX_DATA - (s.size() - record_at - 4); }
    void next_record()
    {
        biff_end(s, record_at);
        record_at = biff_begin(s, BIFF_CONTINUE);
    }
};

// How many records a string of n characters spans when its header starts with room bytes
// left in the current record.
int sst_span(int room, int n, int char_size)
{
    const int left = n - (room - 3) / char_size;
    const int per_continue = (BIFF_MAX_DATA - 1) / char_size;
    return left > 0 ? 1 + (left + per_continue - 1) / per_continue : 1;
}

void sst_write(QByteArray &s, const sst_table &sst)
{
    const quint32 unique = quint32(sst.strings.size());
    // The lookup table (EXTSST) points at every dsst-th string, in at most 128 buckets.
    const quint32 dsst = std::max<quint32>(unique / 128 + 1, 8);
    std::vector<std::pair<quint32, quint16>> buckets;

    const int sst_at = biff_begin(s, BIFF_SST);
    sst_writer w{s, sst_at};
    put_u32(s, sst.references);
    put_u32(s, unique);
    for (quint32 k = 0; k < unique; ++k) {
        const QString &text = sst.strings[k];
        const QChar *chars = text.constData();
        const int n = text.size();
        const bool wide = !biff_is_compressible(chars, n);
        const int char_size = wide ? 2 : 1;
        // A record is never left without a string of its own.
        const bool record_empty = s.size() == w.record_at + 4 + (w.record_at == sst_at ? 8 : 0);
        if (!record_empty
            && (w.room() < 3 + 2 * char_size
                || sst_span(w.room(), n, char_size) > sst_span(BIFF_MAX_DATA, n, char_size)))
            w.next_record();
        if (k % dsst == 0)
            buckets.emplace_back(quint32(s.size()), quint16(s.size() - w.record_at));
        put_u16(s, unsigned(n));
        put_u8(s, wide ? 1 : 0);
        int done = 0;
        while (done < n) {
            int take = std::min(w.room() / char_size, n - done);
            if (take > 0 && take < n - done && chars[done + take - 1].isHighSurrogate())
                --take;
            if (take == 0) {
                w.next_record();
                put_u8(s, wide ? 1 : 0);
                continue;
            }
            biff_put_chars(s, chars + done, take, wide);
            done += take;
        }
    }
    biff_end(s, w.record_at);

    const int at = biff_begin(s, BIFF_EXTSST);
    put_u16(s, dsst);
    for (const auto &bucket : buckets) {
        put_u32(s, bucket.first);    // stream position of the bucket's first string
        put_u16(s, bucket.second);   // the same, from the start of its record's header
        put_u16(s, 0);
    }
    biff_end(s, at);
}

// ---------------------------------------------------------------------------------------
// Workbook globals: the records every Excel 97 workbook has, in the order it expects them.

struct xf_def {
    quint16 font;
    quint16 format;
    bool style;
    quint8 used;   // style XF: attribute groups it leaves out; cell XF: groups it sets itself
};

// The 16 built-in style XFs Excel expects first, the default cell XF 15, the styles Comma,
// Comma [0], Currency, Currency [0] and Percent, and our own cell XF for scores. Numbers in
// General share XF 15 with the texts.
const xf_def BIFF_XFS[] = {
    {0, 0, true, 0x00},    {1, 0, true, 0xF4},    {1, 0, true, 0xF4},    {2, 0, true, 0xF4},
    {2, 0, true, 0xF4},    {0, 0, true, 0xF4},    {0, 0, true, 0xF4},    {0, 0, true, 0xF4},
    {0, 0, true, 0xF4},    {0, 0, true, 0xF4},    {0, 0, true, 0xF4},    {0, 0, true, 0xF4},
    {0, 0, true, 0xF4},    {0, 0, true, 0xF4},    {0, 0, true, 0xF4},    {0, 0, false, 0x00},
    {1, 43, true, 0xF8},   {1, 41, true, 0xF8},   {1, 44, true, 0xF8},   {1, 42, true, 0xF8},
    {1, 9, true, 0xF8},    {0, BIFF_NUMBER_FORMAT, false, 0x04},
};
// Written only when a cell uses it, so that a workbook of scores alone keeps the bytes it
// has always had.
const xf_def BIFF_PERCENT_XF_DEF = {0, BIFF_PERCENT_FORMAT, false, 0x04};

void biff_xf(QByteArray &s, const xf_def &xf)
{
    const int at = biff_begin(s, BIFF_XF);
    put_u16(s, xf.font);
    put_u16(s, xf.format);
    // Locked; a style XF has no parent (0xFFF), a cell XF inherits from the Normal style.
    put_u16(s, xf.style ? 0xFFF5 : 0x0001);
    put_u8(s, 0x20);   // general horizontal, bottom vertical alignment
    put_u8(s, 0);      // no rotation
    put_u8(s, 0);      // no indent
    put_u8(s, xf.used);
    put_u32(s, 0);     // no borders
    put_u32(s, 0);     // no fill pattern
    put_u16(s, 0x20C0);   // pattern colours: the system's window text and background
    biff_end(s, at);
}

void biff_font(QByteArray &s)
{
    const int at = biff_begin(s, BIFF_FONT);
    put_u16(s, 200);      // 10 pt
    put_u16(s, 0);        // not italic, not struck out
    put_u16(s, 0x7FFF);   // automatic colour
    put_u16(s, 400);      // normal weight
    put_u16(s, 0);        // no super- or subscript
    put_u8(s, 0);         // no underline
    put_u8(s, 0);         // family not given
    put_u8(s, 0);         // ANSI character set; Chinese is drawn through font fallback
    put_u8(s, 0);
    biff_put_string(s, QStringLiteral("Arial"), false);
    biff_end(s, at);
}

void biff_format(QByteArray &s, quint16 index, const QString &code)
{
    const int at = biff_begin(s, BIFF_FORMAT);
    put_u16(s, index);
    biff_put_string(s, code, true);
    biff_end(s, at);
}

void biff_style(QByteArray &s, quint16 xf, quint8 builtin)
{
    const int at = biff_begin(s, BIFF_STYLE);
    put_u16(s, 0x8000 | xf);
    put_u8(s, builtin);
    put_u8(s, 0xFF);   // not an outline level style
    biff_end(s, at);
}

// The name a sheet goes by: its own, or Excel's default for its place.
QString sheet_name(const workbook &book, size_t index)
{
    return book[index].name.isEmpty() ? QStringLiteral("Sheet%1").arg(index + 1)
                                      : book[index].name;
}

bool uses_percent(const workbook &book)
{
    for (const workbook_sheet &sheet : book) {
        for (const workbook_row &row : sheet.rows) {
            for (const workbook_cell &cell : row) {
                if (cell.kind == workbook_cell::type::number
                    && cell.format == workbook_cell::style::percent)
                    return true;
            }
        }
    }
    return false;
}

// Writes the globals substream and returns, for each sheet, where its stream position is
// to be patched in once the sheet's place is known.
std::vector<int> biff_globals(QByteArray &s, const workbook &book, const sst_table &sst)
{
    biff_bof(s, 0x0005);
    biff_u16_record(s, BIFF_INTERFACEHDR, 1200);
    {
        const int at = biff_begin(s, BIFF_MMS);
        put_u16(s, 0);
        biff_end(s, at);
    }
    biff_empty_record(s, BIFF_INTERFACEEND);
    {
        // The last user's name, padded with spaces to the record's fixed size.
        const int at = biff_begin(s, BIFF_WRITEACCESS);
        biff_put_string(s, QStringLiteral("lumo_test"), true);
        s.append(112 - (s.size() - at - 4), ' ');
        biff_end(s, at);
    }
    biff_u16_record(s, BIFF_CODEPAGE, 1200);   // UTF-16
    biff_u16_record(s, BIFF_DSF, 0);
    {
        // The sheets' ids, 1 and up, in tab order.
        const int at = biff_begin(s, BIFF_RRTABID);
        for (size_t i = 0; i < book.size(); ++i)
            put_u16(s, unsigned(i + 1));
        biff_end(s, at);
    }
    biff_u16_record(s, BIFF_WINDOWPROTECT, 0);
    biff_u16_record(s, BIFF_PROTECT, 0);
    biff_u16_record(s, BIFF_PASSWORD, 0);
    biff_u16_record(s, BIFF_PROT4REV, 0);
    biff_u16_record(s, BIFF_PROT4REVPASS, 0);
    {
        const int at = biff_begin(s, BIFF_WINDOW1);
        put_u16(s, 360);     // window position and size, twips
        put_u16(s, 270);
        put_u16(s, 14940);
        put_u16(s, 9150);
        put_u16(s, 0x0038);  // scroll bars and sheet tabs shown
        put_u16(s, 0);       // active sheet: the first
        put_u16(s, 0);       // first visible tab
        put_u16(s, 1);       // selected sheets: the active one alone
        put_u16(s, 600);     // tab bar width, per mille
        biff_end(s, at);
    }
    biff_u16_record(s, BIFF_BACKUP, 0);
    biff_u16_record(s, BIFF_HIDEOBJ, 0);
    biff_u16_record(s, BIFF_DATEMODE, 0);      // dates count from 1900
    biff_u16_record(s, BIFF_PRECISION, 1);     // full precision
    biff_u16_record(s, BIFF_REFRESHALL, 0);
    biff_u16_record(s, BIFF_BOOKBOOL, 0);

    // Font index 4 does not exist in BIFF, so four fonts cover every index the XFs use.
    for (int i = 0; i < 4; ++i)
        biff_font(s);

    // Excel always carries its eight locale currency and accounting formats; ours follow.
    const QString yuan = QStringLiteral("\"\u00A5\"");
    biff_format(s, 5, yuan + QStringLiteral("#,##0;") + yuan + QStringLiteral("\\-#,##0"));
    biff_format(s, 6, yuan + QStringLiteral("#,##0;[Red]") + yuan + QStringLiteral("\\-#,##0"));
    biff_format(s, 7, yuan + QStringLiteral("#,##0.00;") + yuan + QStringLiteral("\\-#,##0.00"));
    biff_format(s, 8,
                yuan + QStringLiteral("#,##0.00;[Red]") + yuan + QStringLiteral("\\-#,##0.00"));
    biff_format(s, 42,
                QStringLiteral("_ ") + yuan + QStringLiteral("* #,##0_ ;_ ") + yuan
                    + QStringLiteral("* \\-#,##0_ ;_ ") + yuan
                    + QStringLiteral("* \"-\"_ ;_ @_ "));
    biff_format(s, 41, QStringLiteral("_ * #,##0_ ;_ * \\-#,##0_ ;_ * \"-\"_ ;_ @_ "));
    biff_format(s, 44,
                QStringLiteral("_ ") + yuan + QStringLiteral("* #,##0.00_ ;_ ") + yuan
                    + QStringLiteral("* \\-#,##0.00_ ;_ ") + yuan
                    + QStringLiteral("* \"-\"??_ ;_ @_ "));
    biff_format(s, 43, QStringLiteral("_ * #,##0.00_ ;_ * \\-#,##0.00_ ;_ * \"-\"??_ ;_ @_ "));
    biff_format(s, BIFF_NUMBER_FORMAT, QStringLiteral("0.000"));
    const bool percent = uses_percent(book);
    if (percent)
        biff_format(s, BIFF_PERCENT_FORMAT, QStringLiteral("0.0%"));

    for (const xf_def &xf : BIFF_XFS)
        biff_xf(s, xf);
    if (percent)
        biff_xf(s, BIFF_PERCENT_XF_DEF);

    biff_style(s, 16, 3);   // Comma
    biff_style(s, 17, 6);   // Comma [0]
    biff_style(s, 18, 4);   // Currency
    biff_style(s, 19, 7);   // Currency [0]
    biff_style(s, 0, 0);    // Normal
    biff_style(s, 20, 5);   // Percent

    biff_u16_record(s, BIFF_USESELFS, 0);

    std::vector<int> positions_at;
    for (size_t i = 0; i < book.size(); ++i) {
        const int sheet_at = biff_begin(s, BIFF_BOUNDSHEET);
        positions_at.push_back(s.size());
        put_u32(s, 0);   // patched by the caller
        put_u8(s, 0);    // visible
        put_u8(s, 0);    // worksheet
        biff_put_string(s, sheet_name(book, i), false);
        biff_end(s, sheet_at);
    }

    {
        const int at = biff_begin(s, BIFF_COUNTRY);
        put_u16(s, 86);   // China, for the interface and for the system settings
        put_u16(s, 86);
        biff_end(s, at);
    }
    sst_write(s, sst);
    biff_empty_record(s, BIFF_EOF);
    return positions_at;
}

// ---------------------------------------------------------------------------------------
// The worksheet: settings, then the cells in blocks of 32 rows, each block made of its ROW
// records, its cells and a DBCELL pointing back at them, all indexed by the INDEX record.

struct row_span {
    int first = -1;   // first and last written column, -1 when the row has none
    int last = -1;
};

quint16 cell_number_xf(workbook_cell::style format)
{
    switch (format) {
    case workbook_cell::style::general:
        return BIFF_TEXT_XF;
    case workbook_cell::style::percent:
        return BIFF_PERCENT_XF;
    case workbook_cell::style::score:
        break;
    }
    return BIFF_NUMBER_XF;
}

void biff_cell(QByteArray &s, const workbook_cell &cell, int row, int column,
               const sst_table &sst)
{
    if (cell.kind == workbook_cell::type::text) {
        const int at = biff_begin(s, BIFF_LABELSST);
        put_u16(s, unsigned(row));
        put_u16(s, unsigned(column));
        put_u16(s, BIFF_TEXT_XF);
        put_u32(s, sst.index.value(cell.text));
        biff_end(s, at);
    } else if (std::isfinite(cell.number)) {
        const int at = biff_begin(s, BIFF_NUMBER);
        put_u16(s, unsigned(row));
        put_u16(s, unsigned(column));
        put_u16(s, cell_number_xf(cell.format));
        // -0 would show as "-0.000".
        put_f64(s, cell.number == 0 ? 0.0 : cell.number);
        biff_end(s, at);
    } else {
        // Excel has no infinities or NaNs; it shows such results as the error #NUM!.
        const int at = biff_begin(s, BIFF_BOOLERR);
        put_u16(s, unsigned(row));
        put_u16(s, unsigned(column));
        put_u16(s, BIFF_TEXT_XF);
        put_u8(s, 0x24);   // #NUM!
        put_u8(s, 1);      // an error, not a boolean
        biff_end(s, at);
    }
}

void biff_sheet_settings(QByteArray &s)
{
    biff_u16_record(s, BIFF_CALCMODE, 1);          // automatic
    biff_u16_record(s, BIFF_FORMULA_CALCCOUNT, 100);
    biff_u16_record(s, BIFF_REFMODE, 1);           // A1 references
    biff_u16_record(s, BIFF_ITERATION, 0);
    {
        const int at = biff_begin(s, BIFF_DELTA);
        put_f64(s, 0.001);
        biff_end(s, at);
    }
    biff_u16_record(s, BIFF_SAVERECALC, 1);
    biff_u16_record(s, BIFF_PRINTHEADERS, 0);
    biff_u16_record(s, BIFF_PRINTGRIDLINES, 0);
    biff_u16_record(s, BIFF_GRIDSET, 1);
    {
        const int at = biff_begin(s, BIFF_GUTS);
        put_zeros(s, 8);   // no outline
        biff_end(s, at);
    }
    {
        const int at = biff_begin(s, BIFF_DEFAULTROWHEIGHT);
        put_u16(s, 0);
        put_u16(s, BIFF_ROW_HEIGHT);
        biff_end(s, at);
    }
    // Automatic page breaks, outline summaries below and right, outline symbols shown.
    biff_u16_record(s, BIFF_WSBOOL, 0x04C1);
    biff_empty_record(s, BIFF_HEADER);
    biff_empty_record(s, BIFF_FOOTER);
    biff_u16_record(s, BIFF_HCENTER, 0);
    biff_u16_record(s, BIFF_VCENTER, 0);
    {
        // Portrait A4, 100 %; no printer has been asked, so the printer's own settings win.
        const int at = biff_begin(s, BIFF_SETUP);
        put_u16(s, 9);
        put_u16(s, 100);
        put_u16(s, 1);   // first page number
        put_u16(s, 1);   // fit to 1 x 1 pages, when fitting is turned on
        put_u16(s, 1);
        put_u16(s, 0x0006);
        put_u16(s, 600);   // resolution, dpi
        put_u16(s, 600);
        put_f64(s, 0.5);   // header and footer margins, inches
        put_f64(s, 0.5);
        put_u16(s, 1);     // copies
        biff_end(s, at);
    }
}

// A width in characters, as Excel's column width box shows it, in the 1/256 characters of
// COLINFO. Excel stores the cell's padding (5 pixels, with 7-pixel digits in the 10 pt font)
// in the width and leaves it out of what it shows; converting as the .xlsx writer's library
// does gives the column the same width in both files.
quint16 colinfo_width(double characters)
{
    const double digit = 7, padding = 5;
    characters = std::min(characters, 255.0);   // Excel's widest column
    const int pixels = characters < 1 ? int(characters * (digit + padding) + 0.5)
                                      : int(characters * digit + 0.5) + int(padding);
    return quint16(int(pixels / digit * 256));
}

// One COLINFO for each run of columns of the same width; columns without a positive width
// keep the default.
void biff_column_widths(QByteArray &s, const std::vector<double> &widths)
{
    const int columns = int(std::min(widths.size(), size_t(XLS_MAX_COLUMNS)));
    auto given = [&](int c) { return std::isfinite(widths[c]) && widths[c] > 0; };
    for (int first = 0; first < columns;) {
        if (!given(first)) {
            ++first;
            continue;
        }
        const quint16 width = colinfo_width(widths[first]);
        int last = first;
        while (last + 1 < columns && given(last + 1) && colinfo_width(widths[last + 1]) == width)
            ++last;
        const int at = biff_begin(s, BIFF_COLINFO);
        put_u16(s, unsigned(first));
        put_u16(s, unsigned(last));
        put_u16(s, width);
        put_u16(s, BIFF_TEXT_XF);
        put_u16(s, 0x0002);   // width set on purpose, not hidden
        put_u16(s, 0);
        biff_end(s, at);
        first = last + 1;
    }
}

// The rows above the split stay in view: a horizontal split, frozen, with the lower pane
// active and its cursor on the first row below the split, as Excel writes it.
void biff_frozen_rows(QByteArray &s, int rows)
{
    {
        const int at = biff_begin(s, BIFF_PANE);
        put_u16(s, 0);               // no columns left of a split
        put_u16(s, unsigned(rows));  // rows above the split
        put_u16(s, unsigned(rows));  // first row shown in the lower pane
        put_u16(s, 0);               // first column shown in the right pane
        put_u8(s, 2);                // active pane: lower left
        put_u8(s, 0);
        biff_end(s, at);
    }
    // A selection for each pane: A1 above the split, the first cell below it.
    const std::pair<quint8, int> panes[] = {{3, 0}, {2, rows}};
    for (const auto &pane : panes) {
        const int at = biff_begin(s, BIFF_SELECTION);
        put_u8(s, pane.first);
        put_u16(s, unsigned(pane.second));   // active cell
        put_u16(s, 0);
        put_u16(s, 0);                       // which range holds it
        put_u16(s, 1);                       // one range, the active cell alone
        put_u16(s, unsigned(pane.second));
        put_u16(s, unsigned(pane.second));
        put_u8(s, 0);
        put_u8(s, 0);
        biff_end(s, at);
    }
}

void biff_sheet(QByteArray &s, const workbook_sheet &sheet, const sst_table &sst, bool active)
{
    const int row_count = int(sheet.rows.size());
    std::vector<row_span> spans(sheet.rows.size());
    int first_row = -1, last_row = -1, first_column = -1, last_column = -1;
    for (int r = 0; r < row_count; ++r) {
        const workbook_row &row = sheet.rows[r];
        for (int c = 0; c < int(row.size()); ++c) {
            if (!cell_is_written(row[c]))
                continue;
            if (spans[r].first < 0)
                spans[r].first = c;
            spans[r].last = c;
        }
        if (spans[r].first < 0)
            continue;
        if (first_row < 0)
            first_row = r;
        last_row = r;
        first_column = first_column < 0 ? spans[r].first : std::min(first_column, spans[r].first);
        last_column = std::max(last_column, spans[r].last);
    }
    int block_count = 0;
    for (int b = 0; b * BIFF_ROWS_PER_BLOCK < row_count; ++b) {
        const int end = std::min(row_count, (b + 1) * BIFF_ROWS_PER_BLOCK);
        for (int r = b * BIFF_ROWS_PER_BLOCK; r < end; ++r) {
            if (spans[r].first >= 0) {
                ++block_count;
                break;
            }
        }
    }
    const bool has_cells = first_row >= 0;

    biff_bof(s, 0x0010);
    const int index_at = biff_begin(s, BIFF_INDEX);
    put_u32(s, 0);
    put_u32(s, has_cells ? quint32(first_row) : 0);
    put_u32(s, has_cells ? quint32(last_row + 1) : 0);
    const int default_width_pointer_at = s.size();
    put_u32(s, 0);
    const int blocks_pointer_at = s.size();
    put_zeros(s, 4 * block_count);
    biff_end(s, index_at);

    biff_sheet_settings(s);

    set_u32(s, default_width_pointer_at, quint32(s.size()));
    biff_u16_record(s, BIFF_DEFCOLWIDTH, 8);
    biff_column_widths(s, sheet.widths);

    {
        const int at = biff_begin(s, BIFF_DIMENSIONS);
        put_u32(s, has_cells ? quint32(first_row) : 0);
        put_u32(s, has_cells ? quint32(last_row + 1) : 0);
        put_u16(s, has_cells ? unsigned(first_column) : 0);
        put_u16(s, has_cells ? unsigned(last_column + 1) : 0);
        put_u16(s, 0);
        biff_end(s, at);
    }

    int block = 0;
    std::vector<int> first_cell_at;
    for (int b = 0; b * BIFF_ROWS_PER_BLOCK < row_count; ++b) {
        const int begin = b * BIFF_ROWS_PER_BLOCK;
        const int end = std::min(row_count, begin + BIFF_ROWS_PER_BLOCK);
        const int rows_at = s.size();
        for (int r = begin; r < end; ++r) {
            if (spans[r].first < 0)
                continue;
            const int at = biff_begin(s, BIFF_ROW);
            put_u16(s, unsigned(r));
            put_u16(s, unsigned(spans[r].first));
            put_u16(s, unsigned(spans[r].last + 1));
            put_u16(s, BIFF_ROW_HEIGHT);
            put_u16(s, 0);
            put_u16(s, 0);
            put_u16(s, 0x0100);   // height follows the font, not formatted
            put_u16(s, BIFF_TEXT_XF);
            biff_end(s, at);
        }
        if (s.size() == rows_at)
            continue;
        first_cell_at.clear();
        for (int r = begin; r < end; ++r) {
            if (spans[r].first < 0)
                continue;
            first_cell_at.push_back(s.size());
            const workbook_row &row = sheet.rows[r];
            for (int c = spans[r].first; c <= spans[r].last; ++c) {
                if (cell_is_written(row[c]))
                    biff_cell(s, row[c], r, c, sst);
            }
        }
        // Offsets: back to the first ROW, from the second ROW's start to the first row's
        // cells, then from each row's first cell to the next row's.
        const int dbcell_at = biff_begin(s, BIFF_DBCELL);
        put_u32(s, quint32(dbcell_at - rows_at));
        int from = rows_at + BIFF_ROW_RECORD_SIZE;
        for (int at : first_cell_at) {
            put_u16(s, unsigned(at - from));
            from = at;
        }
        biff_end(s, dbcell_at);
        set_u32(s, blocks_pointer_at + 4 * block, quint32(dbcell_at));
        ++block;
    }

    const int frozen_rows = std::clamp(sheet.frozen_rows, 0, XLS_MAX_ROWS - 1);
    {
        const int at = biff_begin(s, BIFF_WINDOW2);
        // Grid, headers, zeros, outline symbols shown; automatic grid colour; normal view.
        // The active sheet's tab is selected and shown; frozen panes were never split by
        // hand, so unfreezing them leaves no split behind.
        put_u16(s, 0x00B6 | (active ? 0x0600 : 0) | (frozen_rows ? 0x0108 : 0));
        put_u16(s, 0);      // top row
        put_u16(s, 0);      // left column
        put_u16(s, 0x40);   // grid colour: automatic
        put_u16(s, 0);
        put_u16(s, 0);      // zoom: default
        put_u16(s, 0);
        put_u32(s, 0);
        biff_end(s, at);
    }
    if (frozen_rows)
        biff_frozen_rows(s, frozen_rows);
    biff_empty_record(s, BIFF_EOF);
}

// ---------------------------------------------------------------------------------------
// Compound file (MS-CFB version 3): 512-byte sectors chained through the FAT, the FAT's own
// sectors listed in the header and, past 109 of them, in DIFAT sectors.

constexpr int CFB_SECTOR = 512;
constexpr int CFB_IDS_PER_SECTOR = CFB_SECTOR / 4;
constexpr int CFB_HEADER_DIFAT = 109;
constexpr int CFB_MINI_STREAM_CUTOFF = 4096;
constexpr quint32 CFB_DIFSECT = 0xFFFFFFFC;
constexpr quint32 CFB_FATSECT = 0xFFFFFFFD;
constexpr quint32 CFB_ENDOFCHAIN = 0xFFFFFFFE;
constexpr quint32 CFB_FREESECT = 0xFFFFFFFF;
constexpr quint32 CFB_NOSTREAM = 0xFFFFFFFF;

void cfb_dir_entry(QByteArray &f, const QString &name, quint8 type, quint32 child,
                   quint32 start, quint32 size)
{
    const int at = f.size();
    biff_put_chars(f, name.constData(), name.size(), true);
    put_zeros(f, 64 - 2 * name.size());
    put_u16(f, name.isEmpty() ? 0 : unsigned(2 * (name.size() + 1)));   // with the 0 ending
    put_u8(f, type);
    put_u8(f, type == 0 ? 0 : 1);   // black: a tree of one node per level
    put_u32(f, CFB_NOSTREAM);       // left and right sibling
    put_u32(f, CFB_NOSTREAM);
    put_u32(f, child);
    put_zeros(f, 16 + 4 + 8 + 8);   // class id, state bits, creation and modification time
    put_u32(f, start);
    put_u32(f, size);
    put_u32(f, 0);
    Q_ASSERT(f.size() - at == 128);
    Q_UNUSED(at);
}

// Wraps a stream of at least CFB_MINI_STREAM_CUTOFF bytes as the file's stream "Workbook",
// which then lives in ordinary sectors and the file needs no mini stream.
void cfb_file(const QByteArray &stream, QByteArray *file)
{
    Q_ASSERT(stream.size() >= CFB_MINI_STREAM_CUTOFF);
    const quint32 data_sectors = quint32((stream.size() + CFB_SECTOR - 1) / CFB_SECTOR);
    quint32 fat_sectors = 0, difat_sectors = 0;
    for (;;) {
        difat_sectors = fat_sectors > CFB_HEADER_DIFAT
                            ? (fat_sectors - CFB_HEADER_DIFAT + CFB_IDS_PER_SECTOR - 2)
                                  / (CFB_IDS_PER_SECTOR - 1)
                            : 0;
        const quint32 sectors = fat_sectors + difat_sectors + 1 + data_sectors;
        const quint32 needed = (sectors + CFB_IDS_PER_SECTOR - 1) / CFB_IDS_PER_SECTOR;
        if (needed <= fat_sectors)
            break;
        fat_sectors = needed;
    }
    // Layout: FAT sectors, DIFAT sectors, the directory sector, the stream.
    const quint32 first_difat = fat_sectors;
    const quint32 directory = fat_sectors + difat_sectors;
    const quint32 first_data = directory + 1;

    QByteArray &f = *file;
    f.clear();
    f.reserve(int(CFB_SECTOR * (1 + first_data + data_sectors)));

    f.append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    put_zeros(f, 16);          // class id
    put_u16(f, 0x003E);        // minor version
    put_u16(f, 0x0003);        // major version 3: 512-byte sectors
    put_u16(f, 0xFFFE);        // little-endian
    put_u16(f, 9);             // sector size 2^9
    put_u16(f, 6);             // mini sector size 2^6
    put_zeros(f, 6);
    put_u32(f, 0);             // directory sectors: not counted in version 3
    put_u32(f, fat_sectors);
    put_u32(f, directory);
    put_u32(f, 0);             // no transactions
    put_u32(f, CFB_MINI_STREAM_CUTOFF);
    put_u32(f, CFB_ENDOFCHAIN);   // no mini FAT
    put_u32(f, 0);
    put_u32(f, difat_sectors ? first_difat : CFB_ENDOFCHAIN);
    put_u32(f, difat_sectors);
    for (quint32 i = 0; i < quint32(CFB_HEADER_DIFAT); ++i)
        put_u32(f, i < fat_sectors ? i : CFB_FREESECT);
    Q_ASSERT(f.size() == CFB_SECTOR);

    for (quint32 i = 0; i < fat_sectors * CFB_IDS_PER_SECTOR; ++i) {
        if (i < fat_sectors)
            put_u32(f, CFB_FATSECT);
        else if (i < directory)
            put_u32(f, CFB_DIFSECT);
        else if (i == directory)
            put_u32(f, CFB_ENDOFCHAIN);
        else if (i < first_data + data_sectors - 1)
            put_u32(f, i + 1);
        else if (i == first_data + data_sectors - 1)
            put_u32(f, CFB_ENDOFCHAIN);
        else
            put_u32(f, CFB_FREESECT);
    }

    // Each DIFAT sector lists 127 more FAT sectors and ends with the next DIFAT sector.
    quint32 listed = CFB_HEADER_DIFAT;
    for (quint32 d = 0; d < difat_sectors; ++d) {
        for (int i = 0; i < CFB_IDS_PER_SECTOR - 1; ++i, ++listed)
            put_u32(f, listed < fat_sectors ? listed : CFB_FREESECT);
        put_u32(f, d + 1 < difat_sectors ? first_difat + d + 1 : CFB_ENDOFCHAIN);
    }

    cfb_dir_entry(f, QStringLiteral("Root Entry"), 5, 1, CFB_ENDOFCHAIN, 0);
    cfb_dir_entry(f, QStringLiteral("Workbook"), 2, CFB_NOSTREAM, first_data,
                  quint32(stream.size()));
    cfb_dir_entry(f, QString(), 0, CFB_NOSTREAM, 0, 0);
    cfb_dir_entry(f, QString(), 0, CFB_NOSTREAM, 0, 0);

    f.append(stream);
    put_zeros(f, int(data_sectors * CFB_SECTOR) - stream.size());
    Q_ASSERT(f.size() == int(CFB_SECTOR * (1 + first_data + data_sectors)));
}

// ---------------------------------------------------------------------------------------

// Excel's rules for a sheet's name: 1 to 31 characters, none of []:*?/\, no apostrophe at
// either end, not "History", which Excel keeps for its change log, and no two sheets named
// alike, whatever the case.
QString xls_check_names(const workbook &book)
{
    for (size_t i = 0; i < book.size(); ++i) {
        const QString name = sheet_name(book, i);
        const QString forbidden = QStringLiteral("[]:*?/\\");
        const bool bad =
            name.size() > 31
            || std::any_of(name.begin(), name.end(),
                           [&](QChar ch) { return forbidden.contains(ch); })
            || name.startsWith(QLatin1Char('\'')) || name.endsWith(QLatin1Char('\''))
            || name.compare(QLatin1String("History"), Qt::CaseInsensitive) == 0;
        if (bad)
            return QStringLiteral("工作表名称“%1”不能用在 Excel 工作簿中：名称最多31个字符，"
                                  "不能含有 [ ] : * ? / \\ 这些字符，不能以单引号开头或结尾，"
                                  "也不能是 History。")
                .arg(name);
        for (size_t j = 0; j < i; ++j) {
            if (sheet_name(book, j).compare(name, Qt::CaseInsensitive) == 0)
                return QStringLiteral("工作簿中有两个工作表都叫“%1”，Excel 工作簿中的工作表"
                                      "名称不能相同（不区分大小写）。")
                    .arg(name);
        }
    }
    return QString();
}

// Checks one sheet against the limits of the format and adds an upper bound of its size in
// the Workbook stream to *bytes. The messages name the sheet, unless named is empty: a
// workbook of one sheet is just "the score table" to the teacher.
QString xls_check_sheet(const workbook_sheet &sheet, const QString &named, qint64 *bytes)
{
    int columns = 0;
    for (const workbook_row &row : sheet.rows)
        columns = std::max(columns, int(row.size()));
    if (columns > XLS_MAX_COLUMNS && named.isEmpty())
        return QStringLiteral("Excel 97-2003 工作簿（.xls）最多只能容纳%1列，当前成绩表有%2列，"
                              "请改为导出 .xlsx 文件。")
            .arg(XLS_MAX_COLUMNS)
            .arg(columns);
    if (columns > XLS_MAX_COLUMNS)
        return QStringLiteral("工作表“%1”有%2列，超出了 .xls 工作表最多%3列的上限，"
                              "请改为导出 .xlsx 文件。")
            .arg(named, QString::number(columns), QString::number(XLS_MAX_COLUMNS));
    if (sheet.rows.size() > size_t(XLS_MAX_ROWS) && named.isEmpty())
        return QStringLiteral("Excel 97-2003 工作簿（.xls）最多只能容纳%1行，当前成绩表有%2行，"
                              "请改为导出 .xlsx 文件。")
            .arg(XLS_MAX_ROWS)
            .arg(sheet.rows.size());
    if (sheet.rows.size() > size_t(XLS_MAX_ROWS))
        return QStringLiteral("工作表“%1”有%2行，超出了 .xls 工作表最多%3行的上限，"
                              "请改为导出 .xlsx 文件。")
            .arg(named, QString::number(sheet.rows.size()), QString::number(XLS_MAX_ROWS));

    *bytes += 4096 + 16 * qint64(sheet.widths.size());
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        const workbook_row &row = sheet.rows[r];
        *bytes += 32;
        for (size_t c = 0; c < row.size(); ++c) {
            const workbook_cell &cell = row[c];
            if (cell.kind == workbook_cell::type::number) {
                *bytes += 18;
            } else if (cell.kind == workbook_cell::type::text) {
                // Excel 2007 and later have the same limit, so .xlsx is no way out.
                if (cell.text.size() > XLS_MAX_TEXT_LENGTH && named.isEmpty())
                    return QStringLiteral("Excel 的一个单元格最多只能容纳%1个字符，成绩表第%2行"
                                          "第%3列的文字有%4个字符，无法导出。")
                        .arg(XLS_MAX_TEXT_LENGTH)
                        .arg(r + 1)
                        .arg(c + 1)
                        .arg(cell.text.size());
                if (cell.text.size() > XLS_MAX_TEXT_LENGTH)
                    return QStringLiteral("Excel 的一个单元格最多只能容纳%1个字符，工作表“%2”"
                                          "第%3行第%4列的文字有%5个字符，无法导出。")
                        .arg(QString::number(XLS_MAX_TEXT_LENGTH), named,
                             QString::number(r + 1), QString::number(c + 1),
                             QString::number(cell.text.size()));
                *bytes += 32 + 2 * qint64(cell.text.size());
            }
        }
    }
    return QString();
}

QString xls_check(const workbook &book)
{
    const QString names = xls_check_names(book);
    if (!names.isEmpty())
        return names;
    // An upper bound of the Workbook stream's size, kept well below what a QByteArray holds.
    qint64 bytes = 16384;
    for (size_t i = 0; i < book.size(); ++i) {
        const QString problem =
            xls_check_sheet(book[i], book.size() > 1 ? sheet_name(book, i) : QString(), &bytes);
        if (!problem.isEmpty())
            return problem;
    }
    if (bytes > (qint64(1) << 30))
        return QStringLiteral("%1的内容超过了 1 GB，无法写成 Excel 97-2003 工作簿（.xls）。")
            .arg(book.size() > 1 ? QStringLiteral("工作簿") : QStringLiteral("成绩表"));
    return QString();
}

}   // namespace

QString xls_workbook_bytes(const workbook &book, QByteArray *out)
{
    Q_ASSERT(out);
    out->clear();
    // Excel opens no workbook without a sheet.
    const workbook one_empty_sheet(1);
    const workbook &sheets = book.empty() ? one_empty_sheet : book;
    const QString problem = xls_check(sheets);
    if (!problem.isEmpty())
        return problem;

    const sst_table sst = sst_collect(sheets);
    QByteArray stream;
    const std::vector<int> positions_at = biff_globals(stream, sheets, sst);
    for (size_t i = 0; i < sheets.size(); ++i) {
        set_u32(stream, positions_at[i], quint32(stream.size()));
        biff_sheet(stream, sheets[i], sst, i == 0);
    }
    // Streams under the cutoff would belong in the mini stream; zeros after the last EOF
    // are never read, so padding keeps the file to ordinary sectors.
    if (stream.size() < CFB_MINI_STREAM_CUTOFF)
        put_zeros(stream, CFB_MINI_STREAM_CUTOFF - stream.size());
    cfb_file(stream, out);
    return QString();
}

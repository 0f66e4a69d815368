#include "results/biff_stream.h"

#include "results/biff_print.h"
#include "results/le_bytes.h"
#include "results/sheet_name.h"
#include "results/sst_table.h"
#include "results/workbook_xls.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

enum biff_id : quint16 {
    BIFF_FORMULA_CALCCOUNT = 0x000C,
    BIFF_CALCMODE = 0x000D,
    BIFF_PRECISION = 0x000E,
    BIFF_REFMODE = 0x000F,
    BIFF_DELTA = 0x0010,
    BIFF_ITERATION = 0x0011,
    BIFF_PROTECT = 0x0012,
    BIFF_PASSWORD = 0x0013,
    BIFF_WINDOWPROTECT = 0x0019,
    BIFF_DATEMODE = 0x0022,
    BIFF_PRINTHEADERS = 0x002A,
    BIFF_PRINTGRIDLINES = 0x002B,
    BIFF_FONT = 0x0031,
    BIFF_WINDOW1 = 0x003D,
    BIFF_BACKUP = 0x0040,
    BIFF_CODEPAGE = 0x0042,
    BIFF_DEFCOLWIDTH = 0x0055,
    BIFF_WRITEACCESS = 0x005C,
    BIFF_SAVERECALC = 0x005F,
    BIFF_GUTS = 0x0080,
    BIFF_WSBOOL = 0x0081,
    BIFF_GRIDSET = 0x0082,
    BIFF_BOUNDSHEET = 0x0085,
    BIFF_COUNTRY = 0x008C,
    BIFF_HIDEOBJ = 0x008D,
    BIFF_MMS = 0x00C1,
    BIFF_DBCELL = 0x00D7,
    BIFF_BOOKBOOL = 0x00DA,
    BIFF_XF = 0x00E0,
    BIFF_INTERFACEHDR = 0x00E1,
    BIFF_INTERFACEEND = 0x00E2,
    BIFF_LABELSST = 0x00FD,
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

void biff_u16_write(QByteArray &s, quint16 id, unsigned value)
{
    const int at = biff_record_begin(s, id);
    le_put_u16(s, value);
    biff_record_end(s, at);
}

void biff_empty_write(QByteArray &s, quint16 id)
{
    biff_record_end(s, biff_record_begin(s, id));
}

void biff_bof_write(QByteArray &s, quint16 substream)
{
    const int at = biff_record_begin(s, BIFF_BOF);
    le_put_u16(s, 0x0600);      // BIFF8
    le_put_u16(s, substream);
    le_put_u16(s, 0x0DBB);      // build and year of Excel 97, the version BIFF8 came with
    le_put_u16(s, 0x07CC);
    le_put_u32(s, 0x00000009);  // last edited, and ever edited, on Windows
    le_put_u32(s, 0x00000006);  // lowest BIFF version able to read it: 8
    biff_record_end(s, at);
}

bool biff_cell_written(const workbook_cell &cell)
{
    return cell.kind == workbook_cell::type::number
           || (cell.kind == workbook_cell::type::text && !cell.text.isEmpty());
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

void biff_xf_write(QByteArray &s, const xf_def &xf)
{
    const int at = biff_record_begin(s, BIFF_XF);
    le_put_u16(s, xf.font);
    le_put_u16(s, xf.format);
    // Locked; a style XF has no parent (0xFFF), a cell XF inherits from the Normal style.
    le_put_u16(s, xf.style ? 0xFFF5 : 0x0001);
    le_put_u8(s, 0x20);   // general horizontal, bottom vertical alignment
    le_put_u8(s, 0);      // no rotation
    le_put_u8(s, 0);      // no indent
    le_put_u8(s, xf.used);
    le_put_u32(s, 0);     // no borders
    le_put_u32(s, 0);     // no fill pattern
    le_put_u16(s, 0x20C0);   // pattern colours: the system's window text and background
    biff_record_end(s, at);
}

void biff_font_write(QByteArray &s)
{
    const int at = biff_record_begin(s, BIFF_FONT);
    le_put_u16(s, 200);      // 10 pt
    le_put_u16(s, 0);        // not italic, not struck out
    le_put_u16(s, 0x7FFF);   // automatic colour
    le_put_u16(s, 400);      // normal weight
    le_put_u16(s, 0);        // no super- or subscript
    le_put_u8(s, 0);         // no underline
    le_put_u8(s, 0);         // family not given
    le_put_u8(s, 0);         // ANSI character set; Chinese is drawn through font fallback
    le_put_u8(s, 0);
    biff_string_put(s, QStringLiteral("Arial"), false);
    biff_record_end(s, at);
}

void biff_format_write(QByteArray &s, quint16 index, const QString &code)
{
    const int at = biff_record_begin(s, BIFF_FORMAT);
    le_put_u16(s, index);
    biff_string_put(s, code, true);
    biff_record_end(s, at);
}

void biff_style_write(QByteArray &s, quint16 xf, quint8 builtin)
{
    const int at = biff_record_begin(s, BIFF_STYLE);
    le_put_u16(s, 0x8000 | xf);
    le_put_u8(s, builtin);
    le_put_u8(s, 0xFF);   // not an outline level style
    biff_record_end(s, at);
}

bool biff_percent_used(const workbook &book)
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

// From BOF to BOOKBOOL: the application, the sheets' tab order, protection and window.
void biff_book_write(QByteArray &s, const workbook &book)
{
    biff_bof_write(s, 0x0005);
    biff_u16_write(s, BIFF_INTERFACEHDR, 1200);
    biff_u16_write(s, BIFF_MMS, 0);
    biff_empty_write(s, BIFF_INTERFACEEND);
    {
        // The last user's name, padded with spaces to the record's fixed size.
        const int at = biff_record_begin(s, BIFF_WRITEACCESS);
        biff_string_put(s, QStringLiteral("lumo_test"), true);
        s.append(112 - (s.size() - at - 4), ' ');
        biff_record_end(s, at);
    }
    biff_u16_write(s, BIFF_CODEPAGE, 1200);   // UTF-16
    biff_u16_write(s, BIFF_DSF, 0);
    {
        // The sheets' ids, 1 and up, in tab order.
        const int at = biff_record_begin(s, BIFF_RRTABID);
        for (size_t i = 0; i < book.size(); ++i)
            le_put_u16(s, unsigned(i + 1));
        biff_record_end(s, at);
    }
    for (quint16 id : {BIFF_WINDOWPROTECT, BIFF_PROTECT, BIFF_PASSWORD, BIFF_PROT4REV,
                       BIFF_PROT4REVPASS})
        biff_u16_write(s, id, 0);
    {
        const int at = biff_record_begin(s, BIFF_WINDOW1);
        le_put_u16(s, 360);     // window position and size, twips
        le_put_u16(s, 270);
        le_put_u16(s, 14940);
        le_put_u16(s, 9150);
        le_put_u16(s, 0x0038);  // scroll bars and sheet tabs shown
        le_put_u16(s, 0);       // active sheet: the first
        le_put_u16(s, 0);       // first visible tab
        le_put_u16(s, 1);       // selected sheets: the active one alone
        le_put_u16(s, 600);     // tab bar width, per mille
        biff_record_end(s, at);
    }
    biff_u16_write(s, BIFF_BACKUP, 0);
    biff_u16_write(s, BIFF_HIDEOBJ, 0);
    biff_u16_write(s, BIFF_DATEMODE, 0);      // dates count from 1900
    biff_u16_write(s, BIFF_PRECISION, 1);     // full precision
    biff_u16_write(s, BIFF_REFRESHALL, 0);
    biff_u16_write(s, BIFF_BOOKBOOL, 0);
}

// Fonts, number formats, cell formats and styles.
void biff_formats_write(QByteArray &s, bool percent)
{
    // Font index 4 does not exist in BIFF, so four fonts cover every index the XFs use.
    for (int i = 0; i < 4; ++i)
        biff_font_write(s);

    // Excel always carries its eight locale currency and accounting formats; ours follow.
    const QString yuan = QStringLiteral("\"\u00A5\"");
    biff_format_write(s, 5, yuan + "#,##0;" + yuan + "\\-#,##0");
    biff_format_write(s, 6, yuan + "#,##0;[Red]" + yuan + "\\-#,##0");
    biff_format_write(s, 7, yuan + "#,##0.00;" + yuan + "\\-#,##0.00");
    biff_format_write(s, 8, yuan + "#,##0.00;[Red]" + yuan + "\\-#,##0.00");
    biff_format_write(s, 42, "_ " + yuan + "* #,##0_ ;_ " + yuan + "* \\-#,##0_ ;_ " + yuan
                                 + "* \"-\"_ ;_ @_ ");
    biff_format_write(s, 41, QStringLiteral("_ * #,##0_ ;_ * \\-#,##0_ ;_ * \"-\"_ ;_ @_ "));
    biff_format_write(s, 44, "_ " + yuan + "* #,##0.00_ ;_ " + yuan + "* \\-#,##0.00_ ;_ " + yuan
                                 + "* \"-\"??_ ;_ @_ ");
    biff_format_write(s, 43,
                      QStringLiteral("_ * #,##0.00_ ;_ * \\-#,##0.00_ ;_ * \"-\"??_ ;_ @_ "));
    biff_format_write(s, BIFF_NUMBER_FORMAT, QStringLiteral("0.000"));
    if (percent)
        biff_format_write(s, BIFF_PERCENT_FORMAT, QStringLiteral("0.0%"));

    for (const xf_def &xf : BIFF_XFS)
        biff_xf_write(s, xf);
    if (percent)
        biff_xf_write(s, BIFF_PERCENT_XF_DEF);

    biff_style_write(s, 16, 3);   // Comma
    biff_style_write(s, 17, 6);   // Comma [0]
    biff_style_write(s, 18, 4);   // Currency
    biff_style_write(s, 19, 7);   // Currency [0]
    biff_style_write(s, 0, 0);    // Normal
    biff_style_write(s, 20, 5);   // Percent
}

// Writes the globals substream and returns, for each sheet, where its stream position is
// to be patched in once the sheet's place is known.
std::vector<int> biff_globals_write(QByteArray &s, const workbook &book, const sst_table &sst)
{
    biff_book_write(s, book);
    biff_formats_write(s, biff_percent_used(book));
    biff_u16_write(s, BIFF_USESELFS, 0);

    std::vector<int> positions_at;
    for (size_t i = 0; i < book.size(); ++i) {
        const int sheet_at = biff_record_begin(s, BIFF_BOUNDSHEET);
        positions_at.push_back(s.size());
        le_put_u32(s, 0);
        le_put_u8(s, 0);    // visible
        le_put_u8(s, 0);    // worksheet
        biff_string_put(s, sheet_name_shown(book, i), false);
        biff_record_end(s, sheet_at);
    }

    {
        const int at = biff_record_begin(s, BIFF_COUNTRY);
        le_put_u16(s, 86);   // China, for the interface and for the system settings
        le_put_u16(s, 86);
        biff_record_end(s, at);
    }
    biff_print_names_write(s, book);
    sst_table_write(s, sst);
    biff_empty_write(s, BIFF_EOF);
    return positions_at;
}

// ---------------------------------------------------------------------------------------
// The worksheet: settings, then the cells in blocks of 32 rows, each block made of its ROW
// records, its cells and a DBCELL pointing back at them, all indexed by the INDEX record.

struct row_span {
    int first = -1;   // first and last written column, -1 when the row has none
    int last = -1;
};

struct sheet_extent {
    std::vector<row_span> spans;
    int first_row = -1, last_row = -1, first_column = -1, last_column = -1;
    int blocks = 0;   // row blocks holding at least one cell

    bool has_cells() const { return first_row >= 0; }
};

sheet_extent biff_extent_measure(const workbook_sheet &sheet)
{
    sheet_extent e;
    const int row_count = int(sheet.rows.size());
    e.spans.resize(sheet.rows.size());
    int last_block = -1;
    for (int r = 0; r < row_count; ++r) {
        const workbook_row &row = sheet.rows[r];
        row_span &span = e.spans[r];
        for (int c = 0; c < int(row.size()); ++c) {
            if (!biff_cell_written(row[c]))
                continue;
            if (span.first < 0)
                span.first = c;
            span.last = c;
        }
        if (span.first < 0)
            continue;
        if (e.first_row < 0)
            e.first_row = r;
        e.last_row = r;
        e.first_column = e.first_column < 0 ? span.first : std::min(e.first_column, span.first);
        e.last_column = std::max(e.last_column, span.last);
        if (r / BIFF_ROWS_PER_BLOCK != last_block) {
            last_block = r / BIFF_ROWS_PER_BLOCK;
            ++e.blocks;
        }
    }
    return e;
}

quint16 biff_number_xf(workbook_cell::style format)
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

void biff_cell_write(QByteArray &s, const workbook_cell &cell, int row, int column,
                     const sst_table &sst)
{
    const quint16 id = cell.kind == workbook_cell::type::text ? BIFF_LABELSST
                       : std::isfinite(cell.number)            ? BIFF_NUMBER
                                                               : BIFF_BOOLERR;
    const int at = biff_record_begin(s, id);
    le_put_u16(s, unsigned(row));
    le_put_u16(s, unsigned(column));
    if (id == BIFF_LABELSST) {
        le_put_u16(s, BIFF_TEXT_XF);
        le_put_u32(s, sst.index.value(cell.text));
    } else if (id == BIFF_NUMBER) {
        le_put_u16(s, biff_number_xf(cell.format));
        // -0 would show as "-0.000".
        le_put_f64(s, cell.number == 0 ? 0.0 : cell.number);
    } else {
        // Excel has no infinities or NaNs; it shows such results as the error #NUM!.
        le_put_u16(s, BIFF_TEXT_XF);
        le_put_u8(s, 0x24);   // #NUM!
        le_put_u8(s, 1);      // an error, not a boolean
    }
    biff_record_end(s, at);
}

void biff_settings_write(QByteArray &s, const std::optional<workbook_print> &print)
{
    biff_u16_write(s, BIFF_CALCMODE, 1);          // automatic
    biff_u16_write(s, BIFF_FORMULA_CALCCOUNT, 100);
    biff_u16_write(s, BIFF_REFMODE, 1);           // A1 references
    biff_u16_write(s, BIFF_ITERATION, 0);
    {
        const int at = biff_record_begin(s, BIFF_DELTA);
        le_put_f64(s, 0.001);
        biff_record_end(s, at);
    }
    biff_u16_write(s, BIFF_SAVERECALC, 1);
    biff_u16_write(s, BIFF_PRINTHEADERS, 0);
    biff_u16_write(s, BIFF_PRINTGRIDLINES, 0);
    biff_u16_write(s, BIFF_GRIDSET, 1);
    {
        const int at = biff_record_begin(s, BIFF_GUTS);
        le_put_zeros(s, 8);   // no outline
        biff_record_end(s, at);
    }
    {
        const int at = biff_record_begin(s, BIFF_DEFAULTROWHEIGHT);
        le_put_u16(s, 0);
        le_put_u16(s, BIFF_ROW_HEIGHT);
        biff_record_end(s, at);
    }
    biff_u16_write(s, BIFF_WSBOOL, biff_print_flags(print));
    biff_print_setup_write(s, print);
}

// A width in characters, as Excel's column width box shows it, in the 1/256 characters of
// COLINFO. Excel stores the cell's padding (5 pixels, with 7-pixel digits in the 10 pt font)
// in the width and leaves it out of what it shows; converting as the .xlsx writer's library
// does gives the column the same width in both files.
quint16 biff_width_units(double characters)
{
    const double digit = 7, padding = 5;
    characters = std::min(characters, 255.0);   // Excel's widest column
    const int pixels = characters < 1 ? int(characters * (digit + padding) + 0.5)
                                      : int(characters * digit + 0.5) + int(padding);
    return quint16(int(pixels / digit * 256));
}

// One COLINFO for each run of columns of the same width; columns without a positive width
// keep the default.
void biff_widths_write(QByteArray &s, const std::vector<double> &widths)
{
    const int columns = int(std::min(widths.size(), size_t(XLS_MAX_COLUMNS)));
    auto given = [&](int c) { return std::isfinite(widths[c]) && widths[c] > 0; };
    for (int first = 0; first < columns;) {
        if (!given(first)) {
            ++first;
            continue;
        }
        const quint16 width = biff_width_units(widths[first]);
        int last = first;
        while (last + 1 < columns && given(last + 1)
               && biff_width_units(widths[last + 1]) == width)
            ++last;
        const int at = biff_record_begin(s, BIFF_COLINFO);
        le_put_u16(s, unsigned(first));
        le_put_u16(s, unsigned(last));
        le_put_u16(s, width);
        le_put_u16(s, BIFF_TEXT_XF);
        le_put_u16(s, 0x0002);   // width set on purpose, not hidden
        le_put_u16(s, 0);
        biff_record_end(s, at);
        first = last + 1;
    }
}

// Returns where the pointers to DEFCOLWIDTH and to each block's DBCELL go, patched in once
// those are written.
int biff_index_write(QByteArray &s, const sheet_extent &e)
{
    const int at = biff_record_begin(s, BIFF_INDEX);
    le_put_u32(s, 0);
    le_put_u32(s, e.has_cells() ? quint32(e.first_row) : 0);
    le_put_u32(s, e.has_cells() ? quint32(e.last_row + 1) : 0);
    const int pointers_at = s.size();
    le_put_zeros(s, 4 + 4 * e.blocks);
    biff_record_end(s, at);
    return pointers_at;
}

void biff_dimensions_write(QByteArray &s, const sheet_extent &e)
{
    const int at = biff_record_begin(s, BIFF_DIMENSIONS);
    le_put_u32(s, e.has_cells() ? quint32(e.first_row) : 0);
    le_put_u32(s, e.has_cells() ? quint32(e.last_row + 1) : 0);
    le_put_u16(s, e.has_cells() ? unsigned(e.first_column) : 0);
    le_put_u16(s, e.has_cells() ? unsigned(e.last_column + 1) : 0);
    le_put_u16(s, 0);
    biff_record_end(s, at);
}

void biff_row_write(QByteArray &s, int r, const row_span &span)
{
    const int at = biff_record_begin(s, BIFF_ROW);
    le_put_u16(s, unsigned(r));
    le_put_u16(s, unsigned(span.first));
    le_put_u16(s, unsigned(span.last + 1));
    le_put_u16(s, BIFF_ROW_HEIGHT);
    le_put_u16(s, 0);
    le_put_u16(s, 0);
    le_put_u16(s, 0x0100);   // height follows the font, not formatted
    le_put_u16(s, BIFF_TEXT_XF);
    biff_record_end(s, at);
}

// Writes the rows begin to end - 1 as one block and returns where its DBCELL starts, or -1
// when none of them holds a cell and the block is left out.
int biff_block_write(QByteArray &s, const workbook_sheet &sheet, const sheet_extent &e,
                     int begin, int end, const sst_table &sst)
{
    const int rows_at = s.size();
    std::vector<int> first_cell_at;
    for (int r = begin; r < end; ++r) {
        if (e.spans[r].first >= 0)
            biff_row_write(s, r, e.spans[r]);
    }
    if (s.size() == rows_at)
        return -1;
    for (int r = begin; r < end; ++r) {
        if (e.spans[r].first < 0)
            continue;
        first_cell_at.push_back(s.size());
        const workbook_row &row = sheet.rows[r];
        for (int c = e.spans[r].first; c <= e.spans[r].last; ++c) {
            if (biff_cell_written(row[c]))
                biff_cell_write(s, row[c], r, c, sst);
        }
    }
    // Offsets: back to the first ROW, from the second ROW's start to the first row's
    // cells, then from each row's first cell to the next row's.
    const int dbcell_at = biff_record_begin(s, BIFF_DBCELL);
    le_put_u32(s, quint32(dbcell_at - rows_at));
    int from = rows_at + BIFF_ROW_RECORD_SIZE;
    for (int at : first_cell_at) {
        le_put_u16(s, unsigned(at - from));
        from = at;
    }
    biff_record_end(s, dbcell_at);
    return dbcell_at;
}

// The rows above the split stay in view: a horizontal split, frozen, with the lower pane
// active and its cursor on the first row below the split, as Excel writes it.
void biff_panes_write(QByteArray &s, int rows)
{
    {
        const int at = biff_record_begin(s, BIFF_PANE);
        le_put_u16(s, 0);               // no columns left of a split
        le_put_u16(s, unsigned(rows));  // rows above the split
        le_put_u16(s, unsigned(rows));  // first row shown in the lower pane
        le_put_u16(s, 0);               // first column shown in the right pane
        le_put_u8(s, 2);                // active pane: lower left
        le_put_u8(s, 0);
        biff_record_end(s, at);
    }
    // A selection for each pane: A1 above the split, the first cell below it.
    const std::pair<quint8, int> panes[] = {{3, 0}, {2, rows}};
    for (const auto &pane : panes) {
        const int at = biff_record_begin(s, BIFF_SELECTION);
        le_put_u8(s, pane.first);
        le_put_u16(s, unsigned(pane.second));   // active cell
        le_put_u16(s, 0);
        le_put_u16(s, 0);                       // which range holds it
        le_put_u16(s, 1);                       // one range, the active cell alone
        le_put_u16(s, unsigned(pane.second));
        le_put_u16(s, unsigned(pane.second));
        le_put_u8(s, 0);
        le_put_u8(s, 0);
        biff_record_end(s, at);
    }
}

void biff_window_write(QByteArray &s, int frozen_rows, bool active)
{
    frozen_rows = std::clamp(frozen_rows, 0, XLS_MAX_ROWS - 1);
    const int at = biff_record_begin(s, BIFF_WINDOW2);
    // Grid, headers, zeros, outline symbols shown; automatic grid colour; normal view.
    // The active sheet's tab is selected and shown; frozen panes were never split by
    // hand, so unfreezing them leaves no split behind.
    le_put_u16(s, 0x00B6 | (active ? 0x0600 : 0) | (frozen_rows ? 0x0108 : 0));
    le_put_u16(s, 0);      // top row
    le_put_u16(s, 0);      // left column
    le_put_u16(s, 0x40);   // grid colour: automatic
    le_put_u16(s, 0);
    le_put_u16(s, 0);      // zoom: default
    le_put_u16(s, 0);
    le_put_u32(s, 0);
    biff_record_end(s, at);
    if (frozen_rows)
        biff_panes_write(s, frozen_rows);
}

void biff_sheet_write(QByteArray &s, const workbook_sheet &sheet, const sst_table &sst,
                      bool active)
{
    const sheet_extent extent = biff_extent_measure(sheet);
    biff_bof_write(s, 0x0010);
    const int pointers_at = biff_index_write(s, extent);
    biff_settings_write(s, sheet.print);
    le_set_u32(s, pointers_at, quint32(s.size()));
    biff_u16_write(s, BIFF_DEFCOLWIDTH, 8);
    biff_widths_write(s, sheet.widths);
    biff_dimensions_write(s, extent);

    const int row_count = int(sheet.rows.size());
    int block = 0;
    for (int begin = 0; begin < row_count; begin += BIFF_ROWS_PER_BLOCK) {
        const int end = std::min(row_count, begin + BIFF_ROWS_PER_BLOCK);
        const int dbcell_at = biff_block_write(s, sheet, extent, begin, end, sst);
        if (dbcell_at >= 0)
            le_set_u32(s, pointers_at + 4 * ++block, quint32(dbcell_at));
    }
    biff_window_write(s, sheet.frozen_rows, active);
    biff_empty_write(s, BIFF_EOF);
}

}   // namespace

int biff_record_begin(QByteArray &s, quint16 id)
{
    const int at = s.size();
    le_put_u16(s, id);
    le_put_u16(s, 0);
    return at;
}

void biff_record_end(QByteArray &s, int at)
{
    const int length = s.size() - at - 4;
    Q_ASSERT(length <= BIFF_MAX_DATA);
    le_set_u16(s, at + 2, unsigned(length));
}

void biff_string_put(QByteArray &s, const QString &text, bool long_length)
{
    const bool wide = !biff_chars_compressible(text.constData(), text.size());
    if (long_length)
        le_put_u16(s, unsigned(text.size()));
    else
        le_put_u8(s, unsigned(text.size()));
    le_put_u8(s, wide ? 1 : 0);
    biff_chars_put(s, text.constData(), text.size(), wide);
}

bool biff_chars_compressible(const QChar *chars, int n)
{
    for (int i = 0; i < n; ++i) {
        if (chars[i].unicode() > 0xFF)
            return false;
    }
    return true;
}

void biff_chars_put(QByteArray &s, const QChar *chars, int n, bool wide)
{
    if (wide) {
        le_put_utf16(s, chars, n);
        return;
    }
    for (int i = 0; i < n; ++i)
        le_put_u8(s, chars[i].unicode());
}

QByteArray biff_stream_write(const workbook &book)
{
    // One shared-string table serves every sheet.
    const sst_table sst = sst_table_collect(book);
    QByteArray stream;
    const std::vector<int> positions_at = biff_globals_write(stream, book, sst);
    for (size_t i = 0; i < book.size(); ++i) {
        le_set_u32(stream, positions_at[i], quint32(stream.size()));
        biff_sheet_write(stream, book[i], sst, i == 0);
    }
    return stream;
}

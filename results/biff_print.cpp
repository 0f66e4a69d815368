#include "results/biff_print.h"

#include "results/biff_stream.h"
#include "results/le_bytes.h"
#include "results/workbook_xls.h"

#include <algorithm>
#include <vector>

namespace {

enum biff_print_id : quint16 {
    BIFF_HEADER = 0x0014,
    BIFF_FOOTER = 0x0015,
    BIFF_EXTERNSHEET = 0x0017,
    BIFF_NAME = 0x0018,
    BIFF_LEFTMARGIN = 0x0026,
    BIFF_RIGHTMARGIN = 0x0027,
    BIFF_TOPMARGIN = 0x0028,
    BIFF_BOTTOMMARGIN = 0x0029,
    BIFF_HCENTER = 0x0083,
    BIFF_VCENTER = 0x0084,
    BIFF_SETUP = 0x00A1,
    BIFF_SUPBOOK = 0x01AE,
};

// An empty record when there is no text.
void text_write(QByteArray &s, quint16 id, const QString &text)
{
    const int at = biff_record_begin(s, id);
    if (!text.isEmpty())
        biff_string_put(s, text, true);
    biff_record_end(s, at);
}

void number_write(QByteArray &s, quint16 id, double value)
{
    const int at = biff_record_begin(s, id);
    le_put_f64(s, value);
    biff_record_end(s, at);
}

void u16_write(QByteArray &s, quint16 id, unsigned value)
{
    const int at = biff_record_begin(s, id);
    le_put_u16(s, value);
    biff_record_end(s, at);
}

// The sheets that repeat rows on every page, by index.
std::vector<int> titled_sheets(const workbook &book)
{
    std::vector<int> titled;
    for (std::size_t i = 0; i < book.size(); ++i) {
        if (book[i].print && book[i].print->title_rows > 0)
            titled.push_back(int(i));
    }
    return titled;
}

}  // namespace

void biff_print_setup_write(QByteArray &s, const std::optional<workbook_print> &print)
{
    text_write(s, BIFF_HEADER, print ? print->header : QString());
    text_write(s, BIFF_FOOTER, print ? print->footer : QString());
    u16_write(s, BIFF_HCENTER, 0);
    u16_write(s, BIFF_VCENTER, 0);
    if (print) {
        number_write(s, BIFF_LEFTMARGIN, print->margin_left);
        number_write(s, BIFF_RIGHTMARGIN, print->margin_right);
        number_write(s, BIFF_TOPMARGIN, print->margin_top);
        number_write(s, BIFF_BOTTOMMARGIN, print->margin_bottom);
    }
    const int at = biff_record_begin(s, BIFF_SETUP);
    le_put_u16(s, 9);     // A4
    le_put_u16(s, 100);   // 100 %, unless fitted
    le_put_u16(s, 1);     // first page number
    le_put_u16(s, print ? unsigned(print->pages_wide) : 1);   // pages across and down when fitted;
    le_put_u16(s, print ? 0 : 1);                              // 0 down: as many as it takes
    // Without page set-up nothing is asked of the printer (fNoPls), so its own settings win;
    // with it, the orientation counts.
    le_put_u16(s, print ? (print->landscape ? 0x0000 : 0x0002) : 0x0006);
    le_put_u16(s, 600);   // resolution, dpi
    le_put_u16(s, 600);
    le_put_f64(s, print ? print->margin_header : 0.5);   // header and footer margins, inches
    le_put_f64(s, print ? print->margin_footer : 0.5);
    le_put_u16(s, 1);     // copies
    biff_record_end(s, at);
}

quint16 biff_print_flags(const std::optional<workbook_print> &print)
{
    // Automatic page breaks, outline summaries below and right, outline symbols shown, and
    // with page set-up the sheet shrunk to the pages SETUP asks for.
    return print ? 0x05C1 : 0x04C1;
}

void biff_print_names_write(QByteArray &s, const workbook &book)
{
    const std::vector<int> titled = titled_sheets(book);
    if (titled.empty())
        return;
    {
        // The workbook's own sheets, which the names refer to.
        const int at = biff_record_begin(s, BIFF_SUPBOOK);
        le_put_u16(s, unsigned(book.size()));
        le_put_u16(s, 0x0401);
        biff_record_end(s, at);
    }
    {
        const int at = biff_record_begin(s, BIFF_EXTERNSHEET);
        le_put_u16(s, unsigned(titled.size()));
        for (const int sheet : titled) {
            le_put_u16(s, 0);   // the SUPBOOK above
            le_put_u16(s, unsigned(sheet));
            le_put_u16(s, unsigned(sheet));
        }
        biff_record_end(s, at);
    }
    for (std::size_t k = 0; k < titled.size(); ++k) {
        const int sheet = titled[k];
        const int at = biff_record_begin(s, BIFF_NAME);
        le_put_u16(s, 0x0020);   // built in
        le_put_u8(s, 0);         // no keyboard shortcut
        le_put_u8(s, 1);         // the name: one character
        le_put_u16(s, 11);       // the formula's bytes
        le_put_u16(s, 0);
        le_put_u16(s, unsigned(sheet + 1));   // the sheet it belongs to, from 1
        le_put_zeros(s, 4);      // no menu, description, help or status texts
        le_put_u8(s, 0);
        le_put_u8(s, 0x07);      // Print_Titles
        // The whole rows from the first to the last title row: an absolute area on the sheet.
        le_put_u8(s, 0x3B);
        le_put_u16(s, unsigned(k));
        le_put_u16(s, 0);
        le_put_u16(s, unsigned(std::min(book[std::size_t(sheet)].print->title_rows, XLS_MAX_ROWS) - 1));
        le_put_u16(s, 0);
        le_put_u16(s, 0x00FF);
        biff_record_end(s, at);
    }
}

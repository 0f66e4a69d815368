#include "results/workbook_print.h"

#include <QObject>
#include <algorithm>
#include <cmath>

namespace {

// What one printed page holds of a sheet at 100 %, in the sheet's pixels (96 to the inch):
// A4 across less the margins.
const workbook_print page;
const double page_pixels_wide = (11.69 - page.margin_left - page.margin_right) * 96;
const double page_pixels_high = (8.27 - page.margin_top - page.margin_bottom) * 96;
constexpr int row_pixels = 20;   // the default row, 15 points
// Room for the scale rounded down to a whole percent and a break between two rows.
constexpr double slack = 1.03;
// Excel shrinks a sheet to a tenth at most: a chart taller than that page can hold is not
// widened past it.
constexpr double least_scale = 0.1;

// A column's width in pixels as libxlsxwriter and Excel turn characters into them; a column
// without a width has the default 8.43 characters.
int column_pixels(const workbook_sheet &sheet, std::size_t c)
{
    const double width = c < sheet.widths.size() && sheet.widths[c] > 0 ? sheet.widths[c] : 8.43;
    return width < 1 ? int(width * 12 + 0.5) : int(width * 7 + 0.5) + 5;
}

int left_of(const workbook_sheet &sheet, std::size_t column)
{
    int pixels = 0;
    for (std::size_t c = 0; c < column; ++c)
        pixels += column_pixels(sheet, c);
    return pixels;
}

int right_of(const workbook_sheet &sheet)
{
    std::size_t columns = 0;
    for (const workbook_row &row : sheet.rows)
        columns = std::max(columns, row.size());
    int right = left_of(sheet, columns);
    for (const workbook_chart &chart : sheet.charts)
        right = std::max(right, left_of(sheet, std::size_t(chart.anchor_column)) + chart.width);
    return right;
}

// Fitting the sheet to the page's width shrinks its height as much: a chart prints whole on
// the first page once the sheet is wide enough for the page to reach down to its bottom.
void charts_fit(workbook_sheet &sheet)
{
    for (workbook_chart &chart : sheet.charts) {
        const double bottom = (chart.anchor_row * row_pixels + chart.height + row_pixels) * slack;
        if (bottom <= page_pixels_high)
            continue;
        const int needed =
            int(std::ceil(std::min(bottom * page_pixels_wide / page_pixels_high, page_pixels_wide / least_scale)));
        const int short_by = needed - right_of(sheet);
        if (short_by > 0)
            chart.width += short_by;
    }
}

QString header_text(const QString &text)
{
    // Excel takes at most 255 characters for a header, its codes included.
    const QString cut = text.size() > 100 ? text.left(99) + QChar(0x2026) : text;
    return QString(cut).replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace

void workbook_print_set(workbook_sheet &sheet, const QString &title, const QDate &day)
{
    workbook_print print;
    print.title_rows = sheet.frozen_rows;
    print.header = QStringLiteral("&L") + header_text(title) + QStringLiteral("&R&A");
    print.footer = QStringLiteral("&L") + QObject::tr("导出日期：%1").arg(day.toString(QStringLiteral("yyyy-MM-dd")))
                   + QStringLiteral("&R") + QObject::tr("第 &P 页，共 &N 页");
    sheet.print = print;
    charts_fit(sheet);
}

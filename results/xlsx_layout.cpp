#include "results/xlsx_layout.h"

#include <QObject>
#include <QStringList>
#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// The groups' colours, as Excel's first three theme colours, and their names for the key.
struct group_colour {
    lxw_color_t colour;
    const char *name;
};
const group_colour group_colours[] = {{0x4472C4, "蓝"}, {0xED7D31, "橙"}, {0x70AD47, "绿"}};

// The title, with a key to the groups' colours on a second line.
QString title_with_key(const workbook_chart &chart)
{
    QStringList key;
    for (std::size_t g = 0; g < chart.group_names.size() && g < std::size(group_colours); ++g) {
        if (std::find(chart.groups.begin(), chart.groups.end(), int(g)) != chart.groups.end())
            key << QObject::tr("%1：%2").arg(QObject::tr(group_colours[g].name), chart.group_names[g]);
    }
    return key.isEmpty() ? chart.title : chart.title + QLatin1Char('\n') + key.join(QStringLiteral("　"));
}

// One fill per bar; libxlsxwriter copies them when they are set.
void points_colour(lxw_chart_series *series, const std::vector<int> &groups)
{
    std::vector<lxw_chart_fill> fills(groups.size());
    std::vector<lxw_chart_point> points(groups.size());
    std::vector<lxw_chart_point *> list;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const auto g = std::size_t(groups[i]) % std::size(group_colours);
        fills[i].color = group_colours[g].colour;
        points[i].fill = &fills[i];
        list.push_back(&points[i]);
    }
    list.push_back(nullptr);
    chart_series_set_points(series, list.data());
}

void chart_insert(lxw_workbook *workbook, lxw_worksheet *worksheet, const workbook_chart &chart)
{
    const char *sheet_name = worksheet->name;
    const bool bar = chart.kind == workbook_chart::type::bar;
    lxw_chart *drawn = workbook_add_chart(workbook, bar ? LXW_CHART_BAR : LXW_CHART_COLUMN);
    lxw_chart_series *series = chart_add_series(drawn, nullptr, nullptr);
    const auto first = lxw_row_t(chart.first_row);
    const auto last = lxw_row_t(chart.last_row);
    chart_series_set_categories(series, sheet_name, first, lxw_col_t(chart.category_column), last,
                                lxw_col_t(chart.category_column));
    chart_series_set_values(series, sheet_name, first, lxw_col_t(chart.value_column), last,
                            lxw_col_t(chart.value_column));
    if (!chart.groups.empty())
        points_colour(series, chart.groups);
    chart_title_set_name(drawn, title_with_key(chart).toUtf8().constData());
    chart_legend_set_position(drawn, LXW_CHART_LEGEND_NONE);

    // A bar chart's value axis is its x axis.
    lxw_chart_axis *values = bar ? drawn->x_axis : drawn->y_axis;
    lxw_chart_axis *categories = bar ? drawn->y_axis : drawn->x_axis;
    if (!chart.category_title.isEmpty())
        chart_axis_set_name(categories, chart.category_title.toUtf8().constData());
    if (!chart.value_title.isEmpty())
        chart_axis_set_name(values, chart.value_title.toUtf8().constData());
    // Counts, scores and rates start at 0, so that a small difference does not look like a large one.
    chart_axis_set_min(values, 0);
    if (chart.value_max > 0)
        chart_axis_set_max(values, chart.value_max);
    if (chart.value_percent)
        chart_axis_set_num_format(values, "0%");
    if (chart.reversed) {
        chart_axis_set_reverse(categories);
        // The value axis stays at the left or bottom, where a reader looks for it.
        chart_axis_set_crossing_max(categories);
    }
    lxw_chart_options options = {};
    options.x_scale = chart.width / 480.0;
    options.y_scale = chart.height / 288.0;
    worksheet_insert_chart_opt(worksheet, lxw_row_t(chart.anchor_row), lxw_col_t(chart.anchor_column), drawn,
                               &options);
}

// Excel takes header and footer texts of at most 255 characters.
lxw_error print_set(lxw_worksheet *worksheet, const workbook_print &print)
{
    if (print.landscape)
        worksheet_set_landscape(worksheet);
    worksheet_set_paper(worksheet, 9);   // A4
    worksheet_fit_to_pages(worksheet, uint16_t(print.pages_wide), 0);
    worksheet_set_margins(worksheet, print.margin_left, print.margin_right, print.margin_top, print.margin_bottom);
    lxw_error error = LXW_NO_ERROR;
    if (print.title_rows > 0)
        error = worksheet_repeat_rows(worksheet, 0, lxw_row_t(print.title_rows - 1));
    lxw_header_footer_options header = {};
    header.margin = print.margin_header;
    if (error == LXW_NO_ERROR && !print.header.isEmpty())
        error = worksheet_set_header_opt(worksheet, print.header.toUtf8().constData(), &header);
    lxw_header_footer_options footer = {};
    footer.margin = print.margin_footer;
    if (error == LXW_NO_ERROR && !print.footer.isEmpty())
        error = worksheet_set_footer_opt(worksheet, print.footer.toUtf8().constData(), &footer);
    return error;
}

}  // namespace

lxw_error xlsx_layout_write(lxw_workbook *workbook, lxw_worksheet *worksheet, const workbook_sheet &sheet)
{
    for (std::size_t c = 0; c < sheet.widths.size(); ++c)
        worksheet_set_column(worksheet, lxw_col_t(c), lxw_col_t(c), sheet.widths[c], nullptr);
    if (sheet.frozen_rows > 0)
        worksheet_freeze_panes(worksheet, lxw_row_t(sheet.frozen_rows), 0);
    for (const workbook_chart &chart : sheet.charts)
        chart_insert(workbook, worksheet, chart);
    return sheet.print ? print_set(worksheet, *sheet.print) : LXW_NO_ERROR;
}

#pragma once
// A workbook as the export hands it to a file writer: its worksheets in order, each a grid of
// cells that are empty, a text, or a number with a number format.

#include <QString>
#include <optional>
#include <vector>

struct workbook_cell {
    enum class type { empty, text, number };
    // The number formats: General, "0.000" for scores, "0.0%" for rates.
    enum class style { general, score, percent };
    type kind = type::empty;
    QString text;        // type::text
    double number = 0;   // type::number
    style format = style::score;
};

inline workbook_cell workbook_text(const QString &text)
{
    workbook_cell cell;
    cell.kind = workbook_cell::type::text;
    cell.text = text;
    return cell;
}

inline workbook_cell workbook_number(double number, workbook_cell::style format)
{
    workbook_cell cell;
    cell.kind = workbook_cell::type::number;
    cell.number = number;
    cell.format = format;
    return cell;
}

// A count, a score and a share of a whole, as the analysis sheets show them.
inline workbook_cell workbook_count(int count)
{
    return workbook_number(count, workbook_cell::style::general);
}

inline workbook_cell workbook_score(double score)
{
    return workbook_number(score, workbook_cell::style::score);
}

inline workbook_cell workbook_share(int part, int whole)
{
    return workbook_number(whole > 0 ? double(part) / whole : 0, workbook_cell::style::percent);
}

using workbook_row = std::vector<workbook_cell>;

// A chart drawn from one column of a sheet (.xlsx only; the .xls writer leaves it out).
struct workbook_chart {
    enum class type { column, bar };
    type kind = type::column;
    QString title;
    int first_row = 0;         // the data rows, 0-based, inclusive
    int last_row = 0;
    int category_column = 0;   // the labels
    int value_column = 1;      // the values
    int anchor_row = 0;        // the chart's top left cell
    int anchor_column = 0;
    int width = 480;           // pixels
    int height = 288;
    QString category_title;    // the axes' titles; "" for none
    QString value_title;
    bool reversed = false;     // the categories from the last row to the first
    double value_max = 0;      // the value axis runs from 0 to this; 0: as the values need
    bool value_percent = false;
    // Bars coloured by group: one group (0, 1 or 2) per data row, each named in the title;
    // empty: all bars alike.
    std::vector<int> groups;
    std::vector<QString> group_names;
};

// How a sheet prints. Header and footer are in Excel's codes: &L, &C and &R start the left,
// centre and right parts, &A is the sheet's name, &P the page, &N the pages, && an "&".
struct workbook_print {
    bool landscape = true;
    int pages_wide = 1;        // shrunk to this many pages across, as many down as it takes
    int title_rows = 0;        // the first rows, printed again at the top of every page
    double margin_left = 0.5;  // inches
    double margin_right = 0.5;
    double margin_top = 0.75;
    double margin_bottom = 0.75;
    double margin_header = 0.3;
    double margin_footer = 0.3;
    QString header;
    QString footer;
};

struct workbook_sheet {
    QString name;                      // "" for the writer's default, "Sheet1"
    std::vector<workbook_row> rows;    // rows may differ in length; missing cells are empty
    std::vector<double> widths;        // column widths in characters; missing ones stay default
    int frozen_rows = 0;               // rows kept in view at the top while scrolling
    std::vector<workbook_chart> charts;
    std::optional<workbook_print> print;   // none: the application's own page set-up
};

using workbook = std::vector<workbook_sheet>;

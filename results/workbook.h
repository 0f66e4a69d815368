#pragma once
// A workbook as the export hands it to a file writer: its worksheets in order, each a grid of
// cells that are empty, a text, or a number with a number format.

#include <QString>
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
    int category_column = 0;   // the labels: this column and the next category_columns - 1
    int category_columns = 1;
    int value_column = 1;      // the values
    int anchor_row = 0;        // the chart's top left cell
    int anchor_column = 0;
};

struct workbook_sheet {
    QString name;                      // "" for the writer's default, "Sheet1"
    std::vector<workbook_row> rows;    // rows may differ in length; missing cells are empty
    std::vector<double> widths;        // column widths in characters; missing ones stay default
    int frozen_rows = 0;               // rows kept in view at the top while scrolling
    std::vector<workbook_chart> charts;
};

using workbook = std::vector<workbook_sheet>;

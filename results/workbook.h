#pragma once
// One worksheet of a workbook as the export hands it to a file writer: row 0 is the
// header row, each cell is empty, a text, or a number shown with the format "0.000".

#include <QString>
#include <vector>

struct workbook_cell {
    enum class type { empty, text, number };
    type kind = type::empty;
    QString text;        // type::text
    double number = 0;   // type::number
};

using workbook_row = std::vector<workbook_cell>;

struct workbook_sheet {
    std::vector<workbook_row> rows;   // rows may differ in length; missing cells are empty
};

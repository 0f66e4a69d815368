#pragma once
// How the exported sheets print: on A4 across, shrunk to one page wide, their header rows on
// every page, the class and the sheet above, the day and the page number below.

#include "results/workbook.h"

#include <QDate>
#include <QString>

// Gives the sheet that page set-up: title (the class, or the whole report) heads every page
// with the sheet's name, the footer tells the day and "第 N 页，共 M 页", the frozen rows
// print again on every page. A chart that would reach past the first page is widened until
// the page, shrunk to the sheet's width, holds it whole, as far as a sheet can be shrunk.
void workbook_print_set(workbook_sheet &sheet, const QString &title, const QDate &day);

#pragma once
// How the sheets of an .xls workbook print, as BIFF8 records: each sheet's page set-up, and
// the rows it repeats on every page as the workbook's built-in name Print_Titles.

#include "results/workbook.h"

#include <QByteArray>
#include <optional>

// HEADER, FOOTER, the centring, the margins and SETUP. A sheet without page set-up gets the
// records every sheet had before it could have one: no header or footer, portrait, 100 %.
void biff_print_setup_write(QByteArray &s, const std::optional<workbook_print> &print);
// The sheet's WSBOOL flags, which say whether it is shrunk to fit the pages.
quint16 biff_print_flags(const std::optional<workbook_print> &print);
// The globals' SUPBOOK and EXTERNSHEET, through which a name refers to a sheet, and one
// Print_Titles name for each sheet that repeats rows; nothing when no sheet does.
void biff_print_names_write(QByteArray &s, const workbook &book);

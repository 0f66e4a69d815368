#pragma once
// Excel's rules for the names of a workbook's sheets, for both file formats: 1 to 31
// characters (UTF-16 code units, as Excel counts them), none of []:*?/\, no apostrophe at
// either end, not "History", which Excel keeps for its change log, and no two sheets named
// alike, whatever the case.

#include "results/workbook.h"

#include <QString>
#include <QStringList>
#include <cstddef>

constexpr int SHEET_NAME_MAX_LENGTH = 31;

// The name the sheet at index goes by: its own, or Excel's default for its place, "Sheet1",
// "Sheet2" and so on.
QString sheet_name_shown(const workbook &book, std::size_t index);

// "" when Excel accepts the names of all the book's sheets; else the message for the teacher
// naming the first sheet it would refuse.
QString sheet_name_check(const workbook &book);

// A name made from name and suffix that Excel accepts and that is not in taken, then added to
// it: []:*?/\ and an apostrophe at either end become "_", the name part is cut so that it and
// suffix fit, and a name already taken (or reserved, as "History" is) gets "~2", "~3", ...
// before the suffix. The suffix is a short fixed word such as "成绩分析".
QString sheet_name_make(const QString &name, const QString &suffix, QStringList *taken);

#pragma once
// The shared-string table of an .xls workbook: every distinct text once, in order of first
// use, which the text cells of all sheets refer to by index.

#include "results/workbook.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

struct sst_table {
    QHash<QString, quint32> index;
    std::vector<QString> strings;
    quint32 references = 0;   // text cells, counted once for each use
};

// The non-empty texts of every sheet; empty texts are written as empty cells.
sst_table sst_table_collect(const workbook &book);

// Appends the table as an SST record with its CONTINUE records, then the EXTSST record that
// lets a reader find every eighth string or so without reading the ones before it.
void sst_table_write(QByteArray &s, const sst_table &sst);

// The .xls writer is checked against three independent readers: libfreexl in process, xlrd
// through tests/read_xls.py, and LibreOffice, which opens every case once and saves it again
// for xlrd to read. Besides, the bytes are taken apart here, down to the pointers that only
// Excel follows: the DIFAT, the EXTSST buckets, the INDEX and DBCELL offsets.

#include "results/workbook_xls.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <freexl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

workbook_cell number_cell(double number,
                          workbook_cell::style format = workbook_cell::style::score)
{
    return workbook_number(number, format);
}

// Every reader's cells in one form, empty cells left out: "row,column text ...",
// "row,column number 2.5" (with " 0.000", its number format, where the reader gives it) or
// "row,column error 36" (#NUM!).
QString cell_entry(int r, int c, const QString &value)
{
    return QString::number(r) + QLatin1Char(',') + QString::number(c) + QLatin1Char(' ') + value;
}

QString number_value(double number)
{
    return QStringLiteral("number ") + QString::number(number, 'g', 17);
}

QStringList expected_cells(const workbook_sheet &sheet, bool formats)
{
    QStringList cells;
    for (int r = 0; r < int(sheet.rows.size()); ++r) {
        for (int c = 0; c < int(sheet.rows[r].size()); ++c) {
            const workbook_cell &in = sheet.rows[r][c];
            QString value;
            if (in.kind == workbook_cell::type::text && !in.text.isEmpty())
                value = QStringLiteral("text ") + in.text;
            else if (in.kind == workbook_cell::type::number && !std::isfinite(in.number))
                value = QStringLiteral("error 36");
            else if (in.kind == workbook_cell::type::number)   // -0 as 0, not "-0.000"
                value = number_value(in.number + 0.0)
                        + (!formats ? QString()
                           : in.format == workbook_cell::style::general ? QStringLiteral(" General")
                           : in.format == workbook_cell::style::percent ? QStringLiteral(" 0.0%")
                                                                        : QStringLiteral(" 0.000"));
            if (!value.isEmpty())
                cells << cell_entry(r, c, value);
        }
    }
    return cells;
}

// The used area: one past the last row and the last column holding a value.
QPair<int, int> used_area(const workbook_sheet &sheet)
{
    int rows = 0, columns = 0;
    for (const QString &cell : expected_cells(sheet, false)) {
        rows = cell.section(QLatin1Char(','), 0, 0).toInt() + 1;
        columns = std::max(columns, cell.section(QLatin1Char(','), 1).section(' ', 0, 0).toInt() + 1);
    }
    return {rows, columns};
}

// The shared strings of the whole workbook, in first-use order.
QStringList distinct_texts(const workbook &book)
{
    QStringList texts;
    QSet<QString> seen;
    for (const workbook_sheet &sheet : book) {
        for (const workbook_row &row : sheet.rows) {
            for (const workbook_cell &cell : row) {
                if (cell.kind == workbook_cell::type::text && !cell.text.isEmpty()
                    && !seen.contains(cell.text)) {
                    seen.insert(cell.text);
                    texts << cell.text;
                }
            }
        }
    }
    return texts;
}

QString expected_name(const workbook &book, int index)
{
    return book[index].name.isEmpty() ? QStringLiteral("Sheet%1").arg(index + 1)
                                      : book[index].name;
}

// ---------------------------------------------------------------------------------------
// Taking the file apart.

quint16 u16(const QByteArray &b, int at)
{
    return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}

quint32 u32(const QByteArray &b, int at)
{
    return quint32(u16(b, at)) | quint32(u16(b, at + 2)) << 16;
}

struct cfb_contents {
    QString error;
    QByteArray workbook;
    quint32 difat_sectors = 0;
};

QByteArray cfb_sector(const QByteArray &file, quint32 id)
{
    return file.mid(int((id + 1) * 512), 512);
}

// The FAT sectors the header and the DIFAT chain list, or "" with *error set.
QVector<quint32> cfb_fat_sectors(const QByteArray &file, quint32 difat_sectors, QString *error)
{
    const quint32 fat_sectors = u32(file, 0x2C);
    const quint32 sectors = quint32(file.size() / 512 - 1);
    QVector<quint32> ids;
    for (int i = 0; i < 109 && quint32(ids.size()) < fat_sectors; ++i)
        ids << u32(file, 0x4C + 4 * i);
    quint32 difat = u32(file, 0x44);
    for (quint32 d = 0; d < difat_sectors && difat < sectors; ++d) {
        const QByteArray sector = cfb_sector(file, difat);
        for (int i = 0; i < 127 && quint32(ids.size()) < fat_sectors; ++i)
            ids << u32(sector, 4 * i);
        difat = u32(sector, 508);
    }
    if (quint32(ids.size()) != fat_sectors || (difat_sectors && difat != 0xFFFFFFFE))
        *error = QStringLiteral("the DIFAT does not list every FAT sector");
    for (quint32 id : ids) {
        if (id >= sectors)
            *error = QStringLiteral("FAT sector %1 outside the file").arg(id);
    }
    return ids;
}

cfb_contents cfb_read(const QByteArray &file)
{
    cfb_contents out;
    if (file.size() < 1024 || file.size() % 512 != 0 || file.left(8) != "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"
        || u16(file, 0x1A) != 3 || u16(file, 0x1C) != 0xFFFE || u16(file, 0x1E) != 9) {
        out.error = QStringLiteral("not a version 3 compound file of whole sectors");
        return out;
    }
    out.difat_sectors = u32(file, 0x48);
    const QVector<quint32> fat_ids = cfb_fat_sectors(file, out.difat_sectors, &out.error);
    if (!out.error.isEmpty())
        return out;
    QVector<quint32> fat;
    for (quint32 id : fat_ids) {
        const QByteArray sector = cfb_sector(file, id);
        for (int i = 0; i < 128; ++i)
            fat << u32(sector, 4 * i);
    }
    for (quint32 id : fat_ids) {
        if (fat.value(int(id)) != 0xFFFFFFFD)
            out.error = QStringLiteral("FAT sector %1 not marked as such").arg(id);
    }
    auto chain = [&](quint32 start) {
        QByteArray data;
        for (quint32 id = start; id != 0xFFFFFFFE; id = fat.value(int(id), 0xFFFFFFFE)) {
            if (id >= quint32(fat.size()) || data.size() > file.size())
                return QByteArray();
            data += cfb_sector(file, id);
        }
        return data;
    };
    const QByteArray directory = chain(u32(file, 0x30));
    for (int at = 0; at + 128 <= directory.size() && out.error.isEmpty(); at += 128) {
        const QString name = QString::fromUtf16(reinterpret_cast<const ushort *>(directory.constData() + at),
                                                std::max(0, u16(directory, at + 0x40) / 2 - 1));
        if (name == QLatin1String("Workbook") && directory[at + 0x42] == 2) {
            const quint32 size = u32(directory, at + 0x78);
            out.workbook = chain(u32(directory, at + 0x74)).left(int(size));
            if (quint32(out.workbook.size()) != size)
                out.error = QStringLiteral("stream chain shorter than the stream");
            return out;
        }
    }
    if (out.error.isEmpty())
        out.error = QStringLiteral("no stream \"Workbook\"");
    return out;
}

struct biff_record {
    int at = 0;
    quint16 id = 0;
    QByteArray data;
};

// The records of one substream, from its BOF through its EOF.
QVector<biff_record> biff_substream(const QByteArray &stream, int at)
{
    QVector<biff_record> records;
    while (at + 4 <= stream.size()) {
        const biff_record rec{at, u16(stream, at), stream.mid(at + 4, u16(stream, at + 2))};
        records << rec;
        at += 4 + rec.data.size();
        if (rec.id == 0x000A)
            break;
    }
    return records;
}

const biff_record *record_at(const QVector<biff_record> &records, int at)
{
    for (const biff_record &rec : records) {
        if (rec.at == at)
            return &rec;
    }
    return nullptr;
}

struct sst_contents {
    QString error;
    QStringList strings;
    QVector<int> starts;   // stream position of each string
};

// Decodes the shared strings following the rules the writer must keep: a string's header
// never leaves its record, a CONTINUE record starts with the flags byte again, and no
// character or surrogate pair is cut in two.
sst_contents sst_read(const QVector<biff_record> &globals)
{
    sst_contents out;
    auto fail = [&](const QString &why) {
        out.error = why;
        return out;
    };
    int index = 0;
    while (index < globals.size() && globals[index].id != 0x00FC)
        ++index;
    if (index == globals.size())
        return fail(QStringLiteral("no SST"));
    const int first = index;
    int pos = 8;
    auto next_record = [&]() {
        pos = 0;
        return ++index < globals.size() && globals[index].id == 0x003C;
    };
    for (quint32 k = 0; k < u32(globals[first].data, 4); ++k) {
        if (pos == globals[index].data.size() && !next_record())
            return fail(QStringLiteral("string %1 missing").arg(k));
        const QByteArray &data = globals[index].data;
        if (pos + 3 > data.size() || (data[pos + 2] & ~1))
            return fail(QStringLiteral("header of string %1 split, or rich text").arg(k));
        out.starts << globals[index].at + 4 + pos;
        const int n = u16(data, pos);
        bool wide = data[pos + 2] & 1;
        pos += 3;
        QString text;
        while (text.size() < n) {
            if (pos == globals[index].data.size()) {
                if (!next_record() || (!text.isEmpty() && text.at(text.size() - 1).isHighSurrogate()))
                    return fail(QStringLiteral("string %1 cut short or in a pair").arg(k));
                wide = globals[index].data[0] & 1;
                pos = 1;
            }
            const QByteArray &part = globals[index].data;
            if (wide && pos + 2 > part.size())
                return fail(QStringLiteral("character of string %1 split").arg(k));
            text += wide ? QChar(u16(part, pos)) : QChar(quint8(part[pos]));
            pos += wide ? 2 : 1;
        }
        out.strings << text;
    }
    if (pos != globals[index].data.size()
        || (index + 1 < globals.size() && globals[index + 1].id == 0x003C))
        return fail(QStringLiteral("bytes left over after the last string"));
    return out;
}

// EXTSST: one bucket for every dsst-th string, pointing at it in the stream and in its record.
void check_extsst(const QVector<biff_record> &globals, const sst_contents &sst)
{
    const auto extsst = std::find_if(globals.begin(), globals.end(),
                                     [](const biff_record &rec) { return rec.id == 0x00FF; });
    QVERIFY(extsst != globals.end());
    const int unique = sst.strings.size();
    const int dsst = u16(extsst->data, 0);
    QCOMPARE(dsst, std::max(unique / 128 + 1, 8));
    QCOMPARE((extsst->data.size() - 2) / 8, (unique + dsst - 1) / dsst);
    for (int b = 0; 2 + 8 * b < extsst->data.size(); ++b) {
        const int ib = int(u32(extsst->data, 2 + 8 * b));
        QCOMPARE(ib, sst.starts[b * dsst]);
        const biff_record *holder = record_at(globals, ib - u16(extsst->data, 6 + 8 * b));
        QVERIFY(holder && (holder->id == 0x00FC || holder->id == 0x003C));
    }
}

// The cells of a sheet's records, in the form of expected_cells().
QStringList biff_cells(const QVector<biff_record> &records, const sst_contents &sst)
{
    QStringList cells;
    for (const biff_record &rec : records) {
        QString value;
        if (rec.id == 0x00FD) {
            value = QStringLiteral("text ") + sst.strings.value(int(u32(rec.data, 6)));
        } else if (rec.id == 0x0203) {
            const quint64 bits = u32(rec.data, 6) | quint64(u32(rec.data, 10)) << 32;
            double number;
            std::memcpy(&number, &bits, sizeof number);
            value = number_value(number);
        } else if (rec.id == 0x0205) {
            value = QStringLiteral("error %1").arg(quint8(rec.data[6]));
        }
        if (!value.isEmpty())
            cells << cell_entry(u16(rec.data, 0), u16(rec.data, 2), value);
    }
    return cells;
}

// The row blocks: INDEX points at each DBCELL, which points back at its first ROW record
// and on at each row's first cell.
void check_row_blocks(const QVector<biff_record> &records, const biff_record &index)
{
    QVector<int> dbcells;
    for (const biff_record &rec : records) {
        if (rec.id == 0x00D7)
            dbcells << rec.at;
    }
    QCOMPARE((index.data.size() - 16) / 4, dbcells.size());
    for (int b = 0; b < dbcells.size(); ++b) {
        QCOMPARE(int(u32(index.data, 16 + 4 * b)), dbcells[b]);
        const biff_record *dbcell = record_at(records, dbcells[b]);
        const biff_record *row = record_at(records, dbcell->at - int(u32(dbcell->data, 0)));
        QVERIFY(row && row->id == 0x0208);
        const int rows_in_block = dbcell->data.size() / 2 - 2;
        QVERIFY(rows_in_block >= 1 && rows_in_block <= 32);
        int cell_at = row->at + 20;
        for (int i = 0; i < rows_in_block; ++i) {
            const biff_record *this_row = record_at(records, row->at + 20 * i);
            QVERIFY(this_row && this_row->id == 0x0208);
            QCOMPARE(u16(this_row->data, 0) / 32, u16(row->data, 0) / 32);
            cell_at += u16(dbcell->data, 4 + 2 * i);
            const biff_record *cell = record_at(records, cell_at);
            QVERIFY(cell);
            QCOMPARE(u16(cell->data, 0), u16(this_row->data, 0));
            QCOMPARE(u16(cell->data, 2), u16(this_row->data, 2));
        }
    }
}

void check_sheet_records(const QByteArray &stream, int sheet_at, const workbook_sheet &sheet,
                         const sst_contents &sst)
{
    QVERIFY(sheet_at > 0);
    const QVector<biff_record> records = biff_substream(stream, sheet_at);
    QVERIFY(records.size() > 2);
    QCOMPARE(records.first().id, quint16(0x0809));
    QCOMPARE(u16(records.first().data, 2), quint16(0x0010));
    QCOMPARE(records.last().id, quint16(0x000A));
    const biff_record &index = records[1];
    QCOMPARE(index.id, quint16(0x020B));
    const auto dimensions = std::find_if(records.begin(), records.end(),
                                         [](const biff_record &rec) { return rec.id == 0x0200; });
    QVERIFY(dimensions != records.end());
    const QStringList cells = expected_cells(sheet, false);
    const auto area = used_area(sheet);
    const int first_row = cells.isEmpty() ? 0 : cells.first().section(',', 0, 0).toInt();
    int first_column = area.second;
    for (const QString &cell : cells)
        first_column = std::min(first_column, cell.section(',', 1).section(' ', 0, 0).toInt());
    QCOMPARE(u32(dimensions->data, 0), quint32(first_row));
    QCOMPARE(u32(dimensions->data, 4), quint32(area.first));
    QCOMPARE(u16(dimensions->data, 8), quint16(first_column));
    QCOMPARE(u16(dimensions->data, 10), quint16(area.second));
    QCOMPARE(u32(index.data, 4), quint32(first_row));
    QCOMPARE(u32(index.data, 8), quint32(area.first));
    const biff_record *default_width = record_at(records, int(u32(index.data, 12)));
    QVERIFY(default_width && default_width->id == 0x0055);
    for (const biff_record &rec : records)
        QVERIFY(rec.data.size() <= 8224);
    check_row_blocks(records, index);
    QCOMPARE(biff_cells(records, sst), cells);
}

// Checks the workbook stream's structure against the book it was made from; *difat_sectors
// tells a test whether its case needed them.
void check_structure(const QByteArray &file, const workbook &book, quint32 *difat_sectors)
{
    const cfb_contents cfb = cfb_read(file);
    QVERIFY2(cfb.error.isEmpty(), qPrintable(cfb.error));
    *difat_sectors = cfb.difat_sectors;
    QVERIFY(cfb.workbook.size() >= 4096);

    const QVector<biff_record> globals = biff_substream(cfb.workbook, 0);   // 4096 bytes
    QCOMPARE(globals.first().id, quint16(0x0809));
    QCOMPARE(u16(globals.first().data, 0), quint16(0x0600));
    QCOMPARE(u16(globals.first().data, 2), quint16(0x0005));
    QCOMPARE(globals.last().id, quint16(0x000A));
    const sst_contents sst = sst_read(globals);
    QVERIFY2(sst.error.isEmpty(), qPrintable(sst.error));
    QVector<int> sheets_at;
    for (const biff_record &rec : globals) {
        QVERIFY(rec.data.size() <= 8224);
        if (rec.id == 0x0085)
            sheets_at << int(u32(rec.data, 0));
        // No SST or CONTINUE without string data.
        QVERIFY(rec.id != 0x00FC || rec.data.size() > 8 || sst.strings.isEmpty());
        QVERIFY(rec.id != 0x003C || rec.data.size() > 1);
    }
    QCOMPARE(sheets_at.size(), int(book.size()));
    QCOMPARE(sst.strings, distinct_texts(book));
    check_extsst(globals, sst);
    for (int i = 0; i < sheets_at.size() && !QTest::currentTestFailed(); ++i)
        check_sheet_records(cfb.workbook, sheets_at[i], book[i], sst);
}

// ---------------------------------------------------------------------------------------
// The readers.

struct freexl_result {
    QString error;
    QString sheet_name;
    unsigned sheets = 0, strings = 0, biff_version = 0, codepage = 0;
    unsigned rows = 0;
    unsigned short columns = 0;
    QStringList cells;
};

QString freexl_value(const FreeXL_CellValue &value)
{
    switch (value.type) {
    case FREEXL_CELL_NULL:
        return QString();
    case FREEXL_CELL_INT:
        return number_value(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return number_value(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return QStringLiteral("text ") + QString::fromUtf8(value.value.text_value);
    }
    return QStringLiteral("type %1").arg(value.type);
}

// The sheet at index and the workbook's counts.
freexl_result freexl_read(const QString &path, unsigned index)
{
    freexl_result out;
    const void *handle = nullptr;
    int rc = freexl_open(QFile::encodeName(path).constData(), &handle);
    auto info = [&](unsigned short what, unsigned *value) {
        if (rc == FREEXL_OK)
            rc = freexl_get_info(handle, what, value);
    };
    info(FREEXL_BIFF_SHEET_COUNT, &out.sheets);
    info(FREEXL_BIFF_STRING_COUNT, &out.strings);
    info(FREEXL_BIFF_VERSION, &out.biff_version);
    info(FREEXL_BIFF_CODEPAGE, &out.codepage);
    const char *name = nullptr;
    if (rc == FREEXL_OK)
        rc = freexl_get_worksheet_name(handle, quint16(index), &name);
    if (rc == FREEXL_OK) {
        out.sheet_name = QString::fromUtf8(name);
        rc = freexl_select_active_worksheet(handle, quint16(index));
    }
    if (rc == FREEXL_OK)
        rc = freexl_worksheet_dimensions(handle, &out.rows, &out.columns);
    for (unsigned r = 0; rc == FREEXL_OK && r < out.rows; ++r) {
        for (unsigned short c = 0; rc == FREEXL_OK && c < out.columns; ++c) {
            FreeXL_CellValue value;
            rc = freexl_get_cell_value(handle, r, c, &value);
            const QString cell = rc == FREEXL_OK ? freexl_value(value) : QString();
            if (!cell.isEmpty())
                out.cells << cell_entry(int(r), c, cell);
        }
    }
    if (rc != FREEXL_OK)
        out.error = QStringLiteral("freexl: %1").arg(rc);
    if (handle)
        freexl_close(handle);
    return out;
}

struct xlrd_sheet {
    QString name;
    int rows = 0, columns = 0;
    QStringList cells;
    QMap<int, int> widths;   // column: width in 1/256 characters
    bool frozen = false, selected = false;
    int split_row = 0;
    QString titles;
};

QString xlrd_value(const QJsonObject &cell)
{
    const QString t = cell.value(QStringLiteral("t")).toString();
    const QJsonValue v = cell.value(QStringLiteral("v"));
    if (t == QLatin1String("text"))
        return QStringLiteral("text ") + v.toString();
    if (t == QLatin1String("number"))
        return number_value(std::strtod(v.toString().toLatin1().constData(), nullptr))
               + QLatin1Char(' ') + cell.value(QStringLiteral("format")).toString();
    if (t == QLatin1String("error"))
        return QStringLiteral("error %1").arg(v.toInt());
    return t == QLatin1String("empty") ? QString() : t;
}

xlrd_sheet xlrd_sheet_read(const QJsonObject &o)
{
    xlrd_sheet sheet;
    sheet.name = o.value(QStringLiteral("name")).toString();
    sheet.rows = o.value(QStringLiteral("nrows")).toInt();
    sheet.columns = o.value(QStringLiteral("ncols")).toInt();
    const QJsonObject widths = o.value(QStringLiteral("widths")).toObject();
    for (auto it = widths.begin(); it != widths.end(); ++it)
        sheet.widths.insert(it.key().toInt(), it.value().toInt());
    sheet.frozen = o.value(QStringLiteral("frozen")).toBool();
    sheet.split_row = o.value(QStringLiteral("split_row")).toInt();
    sheet.selected = o.value(QStringLiteral("selected")).toBool();
    sheet.titles = o.value(QStringLiteral("titles")).toString();
    const QJsonArray rows = o.value(QStringLiteral("cells")).toArray();
    for (int r = 0; r < rows.size(); ++r) {
        const QJsonArray row = rows[r].toArray();
        for (int c = 0; c < row.size(); ++c) {
            const QString cell = xlrd_value(row[c].toObject());
            if (!cell.isEmpty())
                sheet.cells << cell_entry(r, c, cell);
        }
    }
    return sheet;
}

struct xlrd_book {
    QString error;
    QVector<xlrd_sheet> sheets;
};

// Each file's sheets, read by one run of xlrd: its start takes longer than a small file.
// LibreOffice's own .xls files may cut a surrogate pair between records, ours never.
QVector<xlrd_book> xlrd_read(const QStringList &paths, bool ours)
{
    QStringList arguments{QFINDTESTDATA("read_xls.py"), QStringLiteral("--ragged")};
    if (!ours)
        arguments << QStringLiteral("--split-pairs");
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), arguments + paths);
    const bool finished = python.waitForFinished(300000);
    const QList<QByteArray> lines = python.readAllStandardOutput().split('\n');
    const QString failure = QStringLiteral("read_xls.py failed: ") + python.readAllStandardError();
    QVector<xlrd_book> books(paths.size());
    for (int i = 0; i < books.size(); ++i) {
        const QJsonObject doc = QJsonDocument::fromJson(lines.value(i)).object();
        books[i].error = doc.value(QStringLiteral("error")).toString();
        if (!finished || (doc.isEmpty() && books[i].error.isEmpty()))
            books[i].error = failure;
        for (const QJsonValue &sheet : doc.value(QStringLiteral("sheets")).toArray())
            books[i].sheets << xlrd_sheet_read(sheet.toObject());
    }
    return books;
}

// ---------------------------------------------------------------------------------------
// The workbooks every reader reads back.

struct xls_case {
    xls_case(const QString &name, const workbook &book, bool freexl = true)
        : name(name), book(book), freexl(freexl)
    {
    }

    QString name;
    workbook book;
    bool freexl;   // libfreexl 1.0.6 loses texts spanning more than two records
    std::vector<QMap<int, int>> widths;   // per sheet, the widths xlrd reads; none: unchecked
    QString path;
    xlrd_book ours;     // what xlrd reads in our file
    xlrd_book office;   // and in LibreOffice's copy, saved again from what it read
};

workbook_sheet sheet_of(const std::vector<workbook_row> &rows)
{
    workbook_sheet sheet;
    sheet.rows = rows;
    return sheet;
}

// Thousands of distinct names, narrow and wide, and long texts of both kinds, so that the
// table needs many CONTINUE records and the long texts run across their boundaries. Each
// long text needs two records, which is as many as libfreexl reads right. The first text is
// a little too long for what the SST record has left after its counts, yet must start there
// all the same.
workbook_sheet continue_sheet()
{
    workbook_sheet sheet;
    sheet.rows.push_back({workbook_text(QString(8215, QChar('h'))), workbook_text("备注")});
    for (int i = 0; i < 3000; ++i) {
        QString remark;
        if (i % 500 == 7)   // wide, longer than what is left of a record
            remark = QString(5000 + i, QChar(0x4E00 + i % 100));
        else if (i % 500 == 9)   // narrow, longer than a record
            remark = QString(9000 + i, QChar('a' + i % 26));
        else if (i % 500 == 11)   // surrogate pairs, which must not be cut in two
            remark = QString::fromUtf8("😀").repeated(2000 + i / 2);
        sheet.rows.push_back({workbook_text(i % 2 ? QStringLiteral("student_%1.stu").arg(i)
                                                  : QStringLiteral("学生%1号.stu").arg(i)),
                              workbook_text(remark), number_cell(i / 8.0)});
    }
    return sheet;
}

// 65536 rows, the last cell in the 256th column, and texts of 32767 characters, which span
// four and eight records.
workbook_sheet largest_sheet()
{
    workbook_sheet sheet;
    sheet.rows.resize(65536);
    for (int r = 0; r < 65536; r += 4099)
        sheet.rows[r].push_back(number_cell(r + 0.5));
    sheet.rows[0] = {workbook_text(QString(32767, QChar(0x5B57))),
                     workbook_text(QString(32767, 'x'))};
    sheet.rows[65535].resize(256);
    sheet.rows[65535][1] = number_cell(65535.25);
    sheet.rows[65535][255] = workbook_text("最后一列");
    return sheet;
}

// Two sheets as the analysis makes them: Chinese names, a text in both (one shared string
// table), the three number formats, widths and frozen header rows, rows printed on every
// page of the second, and a chart, which the .xls file leaves out. Excel keeps the cell padding in the width: 12 characters show as
// 12 * 7 + 5 pixels, stored as 89 / 7 * 256; a width of 0 leaves the column at its default.
xls_case two_sheets_case()
{
    const auto general = workbook_cell::style::general;
    const auto percent = workbook_cell::style::percent;
    workbook book(2);
    book[0] = sheet_of({{workbook_text("学生文件名"), workbook_text("总分"), workbook_text("得分率"),
                         workbook_text("名次")},
                        {workbook_text("张三.stu"), number_cell(12.5), number_cell(0.625, percent),
                         number_cell(1, general)},
                        {workbook_text("李四.stu"), number_cell(1.0 / 3.0),
                         number_cell(1.0 / 3.0, percent), number_cell(2.5, general)}});
    book[0].name = QStringLiteral("成绩分析");
    book[0].widths = {12, 8, 8, 5};
    book[0].frozen_rows = 1;
    book[1] = sheet_of({{workbook_text("试题"), workbook_text("得分率")},
                        {workbook_text("单选题1"), number_cell(0.875, percent)},
                        {workbook_text("单选题2"), number_cell(0, percent)}});
    book[1].name = QStringLiteral("试题分析");
    book[1].widths = {0, 20, 20, 0.5};
    book[1].frozen_rows = 2;
    book[1].charts.resize(1);
    book[1].print = workbook_print();
    book[1].print->title_rows = 2;
    xls_case two(QStringLiteral("two_sheets"), book);
    two.widths = {{{0, 3254}, {1, 2230}, {2, 2230}, {3, 1462}}, {{1, 5302}, {2, 5302}, {3, 219}}};
    return two;
}

std::vector<xls_case> xls_cases()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<xls_case> cases{
        {QStringLiteral("scores"),
         {sheet_of({{workbook_text("学生文件名"), workbook_text("总分"), workbook_text("单选题1"),
                     workbook_text("单选题2"), workbook_text("非选择题1")},
                    {workbook_text("张三.stu"), number_cell(12.5), number_cell(2.5),
                     number_cell(1.0 / 3.0), number_cell(9.667)},
                    {workbook_text("李四.stu"), number_cell(-1.25), number_cell(0), workbook_cell(),
                     number_cell(-0.0)},
                    {workbook_text("Wang Wu.stu"), number_cell(100), number_cell(1234567.875),
                     workbook_text("总分"), workbook_text("引号\"和,逗号 é 😀")}})}},
        {QStringLiteral("header_only"),
         {sheet_of({{workbook_text("学生文件名"), workbook_text("总分"), workbook_text("非选择题1")}})}},
        {QStringLiteral("no_rows"), {workbook_sheet()}},
        {QStringLiteral("ragged"),
         {sheet_of({{workbook_text("甲"), workbook_text(QString()), workbook_text("丙")},
                    {},
                    {workbook_cell(), number_cell(7)},
                    {workbook_text(QString()), workbook_cell(), workbook_cell(), workbook_cell(),
                     number_cell(0.125)},
                    {workbook_cell(), workbook_cell()}})}},
        {QStringLiteral("non_finite"),
         {sheet_of({{workbook_text("学生文件名"), workbook_text("总分")},
                    {workbook_text("a.stu"), number_cell(nan)},
                    {workbook_text("b.stu"), number_cell(inf)},
                    {workbook_text("c.stu"), number_cell(1.5)}})}},
        {QStringLiteral("continue"), {continue_sheet()}},
        {QStringLiteral("largest"), {largest_sheet()}, false},
    };
    cases.push_back(two_sheets_case());
    return cases;
}

// 1003 rows of 256 columns, in each two distinct texts of about 8100 bytes (a narrow one
// and a wide one, each fitting a record of its own) and a number between them: a stream of
// some 16 MB, which needs 249 FAT sectors, 140 more than the header lists.
workbook_sheet difat_sheet()
{
    workbook_sheet sheet;
    sheet.rows.assign(1003, workbook_row(256));
    for (int r = 0; r < 1003; ++r) {
        workbook_row &row = sheet.rows[r];
        row[0] = workbook_text(QString::number(r) + QString(8100, QChar('a' + r % 26)));
        row[1 + r % 254] = number_cell(r / 7.0);
        row[255] = workbook_text(QStringLiteral("第%1行").arg(r)
                                 + QString(4050, QChar(0x4E00 + r % 2000)));
    }
    return sheet;
}

// Our own file is read to the width; LibreOffice's copy to a pixel, and it may set more.
void check_xlrd(const xlrd_book &book, const xls_case &c, bool ours)
{
    QVERIFY2(book.error.isEmpty(), qPrintable(book.error));
    const QVector<xlrd_sheet> &got = book.sheets;
    QCOMPARE(got.size(), int(c.book.size()));
    for (int i = 0; i < got.size(); ++i) {
        const xlrd_sheet &read = got[i];
        const workbook_sheet &sheet = c.book[i];
        QCOMPARE(read.name, expected_name(c.book, i));
        QCOMPARE(read.selected, i == 0);   // the first sheet is the one shown
        QCOMPARE(read.frozen, sheet.frozen_rows > 0);
        QCOMPARE(read.split_row, sheet.frozen_rows);
        QCOMPARE(read.titles, sheet.print ? QStringLiteral("1:%1").arg(sheet.print->title_rows) : QString());
        QCOMPARE(qMakePair(read.rows, read.columns), used_area(sheet));
        QCOMPARE(read.cells, expected_cells(sheet, true));
        if (size_t(i) >= c.widths.size())
            continue;
        if (ours)
            QCOMPARE(read.widths, c.widths[i]);
        for (auto it = c.widths[i].begin(); it != c.widths[i].end(); ++it)
            QVERIFY2(std::abs(read.widths.value(it.key()) - it.value()) <= 256 / 7,
                     qPrintable(QStringLiteral("sheet %1 column %2: %3")
                                    .arg(i)
                                    .arg(it.key())
                                    .arg(read.widths.value(it.key()))));
    }
}

}   // namespace

class test_workbook_xls : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    QTemporaryDir office_profile;
    std::vector<xls_case> cases;

    // Writes the workbook into name.xls, checking the bytes' structure on the way; *path is
    // set once the file is written.
    void write_file(const workbook &book, const QString &name, QString *path,
                    quint32 *difat_sectors = nullptr);
    // Has LibreOffice open the files and save them again into dir/office/, all at once: its
    // start takes far longer than a conversion.
    void office_resave(const QStringList &paths);
    void check_freexl(const QString &path, const workbook &book);

private slots:
    void initTestCase();
    void cases_read_back_data();
    void cases_read_back();
    void large_stream_lists_fat_sectors_in_difat();
    void workbook_without_sheets_gets_one_empty_sheet();
    void limits_are_refused();
};

void test_workbook_xls::write_file(const workbook &book, const QString &name, QString *path,
                                   quint32 *difat_sectors)
{
    QByteArray bytes = "stale";
    const QString problem = workbook_xls_bytes(book, &bytes);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    quint32 difat = 0;
    check_structure(bytes, book, difat_sectors ? difat_sectors : &difat);
    if (QTest::currentTestFailed())
        return;
    QFile file(dir.filePath(name + QStringLiteral(".xls")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
    *path = file.fileName();
}

void test_workbook_xls::office_resave(const QStringList &paths)
{
    QProcess office;
    office.start(QStringLiteral("soffice"),
                 QStringList{QStringLiteral("-env:UserInstallation=")
                                 + QUrl::fromLocalFile(office_profile.path()).toString(),
                             QStringLiteral("--headless"), QStringLiteral("--norestore"),
                             QStringLiteral("--convert-to"), QStringLiteral("xls:MS Excel 97"),
                             QStringLiteral("--outdir"), dir.filePath(QStringLiteral("office"))}
                     + paths);
    QVERIFY2(office.waitForFinished(600000), "soffice did not finish");
    QVERIFY2(office.exitCode() == 0, office.readAllStandardError().constData());
}

void test_workbook_xls::check_freexl(const QString &path, const workbook &book)
{
    for (unsigned i = 0; i < book.size(); ++i) {
        freexl_result got = freexl_read(path, i);
        QVERIFY2(got.error.isEmpty(), qPrintable(got.error));
        QCOMPARE(got.biff_version, unsigned(FREEXL_BIFF_VER_8));
        QCOMPARE(got.codepage, unsigned(FREEXL_BIFF_UTF16LE));
        QCOMPARE(got.sheets, unsigned(book.size()));
        QCOMPARE(got.sheet_name, expected_name(book, int(i)));
        QCOMPARE(got.strings, unsigned(distinct_texts(book).size()));
        QCOMPARE(qMakePair(int(got.rows), int(got.columns)), used_area(book[i]));
        // libfreexl has no error values; it must read the other cells all the same.
        QStringList want;
        for (const QString &cell : expected_cells(book[i], false)) {
            const QString at = cell.section(QLatin1Char(' '), 0, 0) + QLatin1Char(' ');
            if (cell.section(QLatin1Char(' '), 1, 1) != QLatin1String("error"))
                want << cell;
            else
                got.cells.erase(std::remove_if(got.cells.begin(), got.cells.end(),
                                               [&](const QString &read) { return read.startsWith(at); }),
                                got.cells.end());
        }
        QCOMPARE(got.cells, want);
    }
}

void test_workbook_xls::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY(office_profile.isValid());
    QVERIFY2(QProcess::execute(QStringLiteral("/usr/bin/python3"),
                               {QStringLiteral("-c"), QStringLiteral("import xlrd")})
                 == 0,
             "needs xlrd for /usr/bin/python3 (Debian package python3-xlrd)");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty(),
             "needs soffice (Debian package libreoffice-calc-nogui)");
    cases = xls_cases();
    QStringList paths, copies;
    for (xls_case &c : cases) {
        write_file(c.book, c.name, &c.path);
        if (QTest::currentTestFailed())
            return;
        paths << c.path;
        copies << dir.filePath(QStringLiteral("office/") + c.name + QStringLiteral(".xls"));
    }
    office_resave(paths);
    const QVector<xlrd_book> ours = xlrd_read(paths, true);
    const QVector<xlrd_book> office = xlrd_read(copies, false);
    for (size_t i = 0; i < cases.size(); ++i) {
        cases[i].ours = ours[int(i)];
        cases[i].office = office[int(i)];
    }
}

void test_workbook_xls::cases_read_back_data()
{
    QTest::addColumn<int>("index");
    for (size_t i = 0; i < cases.size(); ++i)
        QTest::newRow(qPrintable(cases[i].name)) << int(i);
}

void test_workbook_xls::cases_read_back()
{
    QFETCH(int, index);
    const xls_case &c = cases[size_t(index)];
    if (c.freexl)
        check_freexl(c.path, c.book);
    if (QTest::currentTestFailed())
        return;
    check_xlrd(c.ours, c, true);
    if (QTest::currentTestFailed())
        return;
    check_xlrd(c.office, c, false);
}

void test_workbook_xls::large_stream_lists_fat_sectors_in_difat()
{
    // Too large for xlrd and LibreOffice to read in a test's time, so libfreexl alone reads
    // it back. Every cell lies beyond the part of the stream the header's FAT sectors map, so
    // none reads right unless the DIFAT sectors, and the chain between them, do.
    const workbook book{difat_sheet()};
    QString path;
    quint32 difat_sectors = 0;
    write_file(book, QStringLiteral("difat"), &path, &difat_sectors);
    QVERIFY(!path.isEmpty());
    // More than one, so that the chain from one to the next is followed too.
    QVERIFY2(difat_sectors >= 2, qPrintable(QString::number(difat_sectors)));
    check_freexl(path, book);
}

void test_workbook_xls::workbook_without_sheets_gets_one_empty_sheet()
{
    // Excel opens no workbook without a sheet.
    QByteArray none, one_empty;
    QVERIFY(workbook_xls_bytes(workbook(), &none).isEmpty());
    QVERIFY(workbook_xls_bytes(workbook(1), &one_empty).isEmpty());
    QCOMPARE(none, one_empty);
}

void test_workbook_xls::limits_are_refused()
{
    auto refusal = [](const workbook &book) {
        QByteArray bytes = "stale";
        const QString problem = workbook_xls_bytes(book, &bytes);
        return bytes.isEmpty() ? problem : QStringLiteral("bytes written");
    };
    workbook_sheet wide;
    wide.rows.resize(2);
    for (int c = 0; c < 257; ++c)
        wide.rows[1].push_back(number_cell(c));
    QString problem = refusal({wide});
    for (const char *part : {"256列", "257列", ".xlsx"})
        QVERIFY2(problem.contains(QString::fromUtf8(part)), qPrintable(problem));

    workbook_sheet tall;
    tall.rows.resize(65537);
    tall.rows.back().push_back(workbook_text("x"));
    problem = refusal({tall});
    for (const char *part : {"65536行", "65537行", ".xlsx"})
        QVERIFY2(problem.contains(QString::fromUtf8(part)), qPrintable(problem));

    problem = refusal({sheet_of({{workbook_text("学生文件名"), workbook_text("备注")},
                                 {workbook_text("a.stu"), workbook_text(QString(32768, QChar(0x5B57)))}})});
    for (const char *part : {"32767", "第2行第2列", "32768"})
        QVERIFY2(problem.contains(QString::fromUtf8(part)), qPrintable(problem));
    // Excel 2007 and later cannot take it either.
    QVERIFY(!problem.contains(QStringLiteral(".xlsx")));

    // With several sheets, the message names the sheet.
    workbook book(2);
    book[1].name = QStringLiteral("试题分析");
    book[1].rows.assign(2, workbook_row(300, number_cell(1)));
    QCOMPARE(refusal(book), QStringLiteral("工作表“试题分析”有300列，超出了 .xls 工作表最多256列的上限，"
                                           "请改为导出 .xlsx 文件。"));
}

QTEST_GUILESS_MAIN(test_workbook_xls)
#include "test_workbook_xls.moc"

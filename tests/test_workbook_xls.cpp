// The .xls writer is checked against three independent readers: libfreexl in process,
// xlrd through tests/read_xls.py, and LibreOffice converting to CSV. Besides, the bytes are
// taken apart here to see that each case really uses the structure it is meant to test
// (CONTINUE records, DIFAT sectors, the INDEX and DBCELL pointers, the EXTSST buckets).

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

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

workbook_cell text_cell(const QString &text)
{
    workbook_cell cell;
    cell.kind = workbook_cell::type::text;
    cell.text = text;
    return cell;
}

workbook_cell number_cell(double number,
                          workbook_cell::style format = workbook_cell::style::score)
{
    workbook_cell cell;
    cell.kind = workbook_cell::type::number;
    cell.number = number;
    cell.format = format;
    return cell;
}

workbook_cell empty_cell()
{
    return workbook_cell();
}

// What a reader should find in a cell, in the terms every reader can give.
struct read_cell {
    enum class kind { empty, text, number, error };
    kind what = kind::empty;
    QString text;
    double number = 0;
    QString format;   // xlrd only: the number format of a number cell
};

read_cell expected_cell(const workbook_sheet &sheet, int r, int c)
{
    read_cell cell;
    if (r >= int(sheet.rows.size()) || c >= int(sheet.rows[r].size()))
        return cell;
    const workbook_cell &in = sheet.rows[r][c];
    if (in.kind == workbook_cell::type::text && !in.text.isEmpty()) {
        cell.what = read_cell::kind::text;
        cell.text = in.text;
    } else if (in.kind == workbook_cell::type::number) {
        cell.what = std::isfinite(in.number) ? read_cell::kind::number : read_cell::kind::error;
        cell.number = in.number;
        cell.format = in.format == workbook_cell::style::general ? QStringLiteral("General")
                      : in.format == workbook_cell::style::percent ? QStringLiteral("0.0%")
                                                                   : QStringLiteral("0.000");
    }
    return cell;
}

// The used area: one past the last row and the last column holding a value.
QPair<int, int> used_area(const workbook_sheet &sheet)
{
    int rows = 0, columns = 0;
    for (int r = 0; r < int(sheet.rows.size()); ++r) {
        for (int c = 0; c < int(sheet.rows[r].size()); ++c) {
            if (expected_cell(sheet, r, c).what != read_cell::kind::empty) {
                rows = r + 1;
                columns = std::max(columns, c + 1);
            }
        }
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

QString describe(const read_cell &cell)
{
    switch (cell.what) {
    case read_cell::kind::empty:
        return QStringLiteral("empty");
    case read_cell::kind::text:
        return QStringLiteral("text \"%1\"").arg(cell.text.left(40));
    case read_cell::kind::number:
        return QStringLiteral("number %1").arg(cell.number, 0, 'g', 17);
    case read_cell::kind::error:
        return QStringLiteral("error");
    }
    return QString();
}

bool same_value(const read_cell &want, const read_cell &got)
{
    if (want.what != got.what)
        return false;
    if (want.what == read_cell::kind::text)
        return want.text == got.text;
    if (want.what == read_cell::kind::number)
        return want.number == got.number;   // exact: the file keeps the IEEE double
    return true;
}

// Compares a reader's grid with the sheet over the used area and reports the first mismatch.
QString compare_grid(const workbook_sheet &sheet, const QVector<QVector<read_cell>> &grid)
{
    const auto area = used_area(sheet);
    if (grid.size() != area.first)
        return QStringLiteral("%1 rows read, %2 expected").arg(grid.size()).arg(area.first);
    for (int r = 0; r < area.first; ++r) {
        if (grid[r].size() != area.second)
            return QStringLiteral("row %1: %2 columns read, %3 expected")
                .arg(r)
                .arg(grid[r].size())
                .arg(area.second);
        for (int c = 0; c < area.second; ++c) {
            const read_cell want = expected_cell(sheet, r, c);
            if (!same_value(want, grid[r][c]))
                return QStringLiteral("cell (%1,%2): read %3, expected %4")
                    .arg(r)
                    .arg(c)
                    .arg(describe(grid[r][c]), describe(want));
        }
    }
    return QString();
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
    quint32 fat_sectors = 0;
    quint32 difat_sectors = 0;
};

QByteArray cfb_sector(const QByteArray &file, quint32 id)
{
    return file.mid(int((id + 1) * 512), 512);
}

cfb_contents cfb_read(const QByteArray &file)
{
    cfb_contents out;
    auto fail = [&out](const QString &why) {
        out.error = why;
        return out;
    };
    if (file.size() < 1024 || file.size() % 512 != 0)
        return fail(QStringLiteral("size %1 is not a whole number of sectors")
                               .arg(file.size()));
    if (file.left(8) != QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) || u16(file, 0x1A) != 3
        || u16(file, 0x1C) != 0xFFFE || u16(file, 0x1E) != 9)
        return fail(QStringLiteral("not a version 3 compound file header"));
    const quint32 sectors = quint32(file.size() / 512 - 1);
    out.fat_sectors = u32(file, 0x2C);
    out.difat_sectors = u32(file, 0x48);
    QVector<quint32> fat_ids;
    for (int i = 0; i < 109 && quint32(fat_ids.size()) < out.fat_sectors; ++i)
        fat_ids << u32(file, 0x4C + 4 * i);
    quint32 difat = u32(file, 0x44);
    for (quint32 d = 0; d < out.difat_sectors; ++d) {
        if (difat >= sectors)
            return fail(QStringLiteral("DIFAT chain leaves the file"));
        const QByteArray sector = cfb_sector(file, difat);
        for (int i = 0; i < 127 && quint32(fat_ids.size()) < out.fat_sectors; ++i)
            fat_ids << u32(sector, 4 * i);
        difat = u32(sector, 508);
    }
    if (quint32(fat_ids.size()) != out.fat_sectors || (out.difat_sectors && difat != 0xFFFFFFFE))
        return fail(QStringLiteral("the DIFAT does not list every FAT sector"));
    QVector<quint32> fat;
    for (quint32 id : fat_ids) {
        if (id >= sectors)
            return fail(QStringLiteral("FAT sector %1 outside the file").arg(id));
        const QByteArray sector = cfb_sector(file, id);
        for (int i = 0; i < 128; ++i)
            fat << u32(sector, 4 * i);
    }
    for (quint32 id : fat_ids) {
        if (fat.value(int(id)) != 0xFFFFFFFD)
            return fail(QStringLiteral("FAT sector %1 not marked as such").arg(id));
    }
    auto chain = [&](quint32 start) {
        QByteArray data;
        int guard = 0;
        for (quint32 id = start; id != 0xFFFFFFFE; id = fat.value(int(id), 0xFFFFFFFE)) {
            if (id >= quint32(fat.size()) || id >= sectors || ++guard > fat.size())
                return QByteArray();
            data += cfb_sector(file, id);
        }
        return data;
    };
    const QByteArray directory = chain(u32(file, 0x30));
    for (int at = 0; at + 128 <= directory.size(); at += 128) {
        const int name_bytes = u16(directory, at + 0x40);
        const QString name = QString::fromUtf16(
            reinterpret_cast<const ushort *>(directory.constData() + at),
            std::max(0, name_bytes / 2 - 1));
        if (name == QLatin1String("Workbook") && directory[at + 0x42] == 2) {
            const quint32 size = u32(directory, at + 0x78);
            out.workbook = chain(u32(directory, at + 0x74)).left(int(size));
            if (quint32(out.workbook.size()) != size)
                out.error = QStringLiteral("stream chain shorter than the stream");
            return out;
        }
    }
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
        biff_record rec;
        rec.at = at;
        rec.id = u16(stream, at);
        const int length = u16(stream, at + 2);
        rec.data = stream.mid(at + 4, length);
        records << rec;
        at += 4 + length;
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
    QStringList strings;
    QVector<int> starts;        // stream position of each string
    int records = 0;            // SST plus its CONTINUE records
    int split_narrow = 0;       // strings whose characters run on into the next record
    int split_wide = 0;
};

// Decodes the shared strings following the rules the writer must keep.
sst_contents sst_read(const QVector<biff_record> &globals, QString *error)
{
    sst_contents out;
    auto fail = [&](const QString &why) {
        *error = why;
        return out;
    };
    int first = -1;
    for (int i = 0; i < globals.size(); ++i) {
        if (globals[i].id == 0x00FC)
            first = i;
    }
    if (first < 0)
        return fail(QStringLiteral("no SST"));
    int index = first;
    int pos = 8;
    const quint32 unique = u32(globals[first].data, 4);
    auto next_record = [&]() {
        ++index;
        pos = 0;
        return index < globals.size() && globals[index].id == 0x003C;
    };
    for (quint32 k = 0; k < unique; ++k) {
        if (pos == globals[index].data.size() && !next_record())
            return fail(QStringLiteral("string %1 missing").arg(k));
        const QByteArray &data = globals[index].data;
        if (pos + 3 > data.size())
            return fail(QStringLiteral("header of string %1 split").arg(k));
        out.starts << globals[index].at + 4 + pos;
        const int n = u16(data, pos);
        bool wide = data[pos + 2] & 1;
        if (data[pos + 2] & ~1)
            return fail(QStringLiteral("string %1 has rich text or phonetic flags").arg(k));
        pos += 3;
        QString text;
        bool split = false;
        while (text.size() < n) {
            if (pos == globals[index].data.size()) {
                if (!next_record())
                    return fail(QStringLiteral("string %1 cut short").arg(k));
                if (!text.isEmpty() && text.at(text.size() - 1).isHighSurrogate())
                    return fail(QStringLiteral("surrogate pair of string %1 split").arg(k));
                wide = globals[index].data[0] & 1;
                pos = 1;
                split = true;
            }
            const QByteArray &part = globals[index].data;
            if (wide) {
                if (pos + 2 > part.size())
                    return fail(QStringLiteral("character of string %1 split").arg(k));
                text += QChar(u16(part, pos));
                pos += 2;
            } else {
                text += QChar(quint8(part[pos]));
                pos += 1;
            }
        }
        if (split) {
            if (wide)
                ++out.split_wide;
            else
                ++out.split_narrow;
        }
        out.strings << text;
    }
    out.records = index - first + 1;
    if (pos != globals[index].data.size() || (index + 1 < globals.size()
                                              && globals[index + 1].id == 0x003C))
        return fail(QStringLiteral("bytes left over after the last string"));
    return out;
}

// Checks the workbook stream's structure against the sheet it was made from and reports
// what it found through the counters, so that a test can tell its case was exercised.
struct structure_report {
    int sst_records = 0;
    int split_narrow = 0;
    int split_wide = 0;
    int row_blocks = 0;
    quint32 difat_sectors = 0;
};

void check_sheet_records(const QByteArray &stream, int sheet_at, const workbook_sheet &sheet,
                         const sst_contents &sst, structure_report *report);

void check_structure(const QByteArray &file, const workbook &book, structure_report *report)
{
    const cfb_contents cfb = cfb_read(file);
    QVERIFY2(cfb.error.isEmpty(), qPrintable(cfb.error));
    report->difat_sectors = cfb.difat_sectors;
    const QByteArray &stream = cfb.workbook;
    QVERIFY(stream.size() >= 4096);

    const QVector<biff_record> globals = biff_substream(stream, 0);   // not empty: 4096 bytes
    QCOMPARE(globals.first().id, quint16(0x0809));
    QCOMPARE(u16(globals.first().data, 0), quint16(0x0600));
    QCOMPARE(u16(globals.first().data, 2), quint16(0x0005));
    QCOMPARE(globals.last().id, quint16(0x000A));

    QVector<int> sheets_at;
    for (const biff_record &rec : globals) {
        QVERIFY(rec.data.size() <= 8224);
        if (rec.id == 0x0085)
            sheets_at << int(u32(rec.data, 0));
    }
    QCOMPARE(sheets_at.size(), int(book.size()));

    // Shared strings: all distinct texts in first-use order, and EXTSST pointing at them.
    QString error;
    const sst_contents sst = sst_read(globals, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    for (const biff_record &rec : globals) {   // no SST or CONTINUE without string data
        if (rec.id == 0x00FC)
            QVERIFY(rec.data.size() > 8 || sst.strings.isEmpty());
        else if (rec.id == 0x003C)
            QVERIFY(rec.data.size() > 1);
    }
    QCOMPARE(sst.strings, distinct_texts(book));
    report->sst_records = sst.records;
    report->split_narrow = sst.split_narrow;
    report->split_wide = sst.split_wide;
    const biff_record *extsst = nullptr;
    for (const biff_record &rec : globals) {
        if (rec.id == 0x00FF)
            extsst = &rec;
    }
    QVERIFY(extsst);
    const int unique = sst.strings.size();
    const int dsst = u16(extsst->data, 0);
    QCOMPARE(dsst, std::max(unique / 128 + 1, 8));
    QCOMPARE((extsst->data.size() - 2) / 8, (unique + dsst - 1) / dsst);
    for (int b = 0; 2 + 8 * b < extsst->data.size(); ++b) {
        const int ib = int(u32(extsst->data, 2 + 8 * b));
        const int offset = u16(extsst->data, 6 + 8 * b);
        QCOMPARE(ib, sst.starts[b * dsst]);
        const biff_record *holder = record_at(globals, ib - offset);
        QVERIFY(holder && (holder->id == 0x00FC || holder->id == 0x003C));
    }

    for (int i = 0; i < sheets_at.size() && !QTest::currentTestFailed(); ++i)
        check_sheet_records(stream, sheets_at[i], book[i], sst, report);
}

// Cells: every written cell once, in row order, and the row blocks' pointers.
void check_sheet_records(const QByteArray &stream, int sheet_at, const workbook_sheet &sheet,
                         const sst_contents &sst, structure_report *report)
{
    QVERIFY(sheet_at > 0);
    const QVector<biff_record> records = biff_substream(stream, sheet_at);
    QVERIFY(!records.isEmpty());
    QCOMPARE(records.first().id, quint16(0x0809));
    QCOMPARE(u16(records.first().data, 2), quint16(0x0010));
    QCOMPARE(records.last().id, quint16(0x000A));
    const biff_record *index = nullptr;
    const biff_record *dimensions = nullptr;
    QVector<int> dbcells;
    for (const biff_record &rec : records) {
        QVERIFY(rec.data.size() <= 8224);
        if (rec.id == 0x020B)
            index = &rec;
        else if (rec.id == 0x0200)
            dimensions = &rec;
        else if (rec.id == 0x00D7)
            dbcells << rec.at;
    }
    QVERIFY(index && dimensions);
    QCOMPARE(index, &records[1]);
    const auto area = used_area(sheet);
    int first_row = -1, first_column = -1;
    for (int r = 0; r < area.first; ++r) {
        for (int c = 0; c < area.second; ++c) {
            if (expected_cell(sheet, r, c).what != read_cell::kind::empty) {
                first_row = first_row < 0 ? r : first_row;
                first_column = first_column < 0 ? c : std::min(first_column, c);
            }
        }
    }
    QCOMPARE(u32(dimensions->data, 0), quint32(std::max(first_row, 0)));
    QCOMPARE(u32(dimensions->data, 4), quint32(area.first));
    QCOMPARE(u16(dimensions->data, 8), quint16(std::max(first_column, 0)));
    QCOMPARE(u16(dimensions->data, 10), quint16(area.second));
    QCOMPARE(u32(index->data, 4), quint32(std::max(first_row, 0)));
    QCOMPARE(u32(index->data, 8), quint32(area.first));
    const biff_record *default_width = record_at(records, int(u32(index->data, 12)));
    QVERIFY(default_width && default_width->id == 0x0055);
    QCOMPARE((index->data.size() - 16) / 4, dbcells.size());
    report->row_blocks += dbcells.size();

    int cells = 0;
    for (int b = 0; b < dbcells.size(); ++b) {
        QCOMPARE(int(u32(index->data, 16 + 4 * b)), dbcells[b]);
        const biff_record *dbcell = record_at(records, dbcells[b]);
        const biff_record *row = record_at(records, dbcell->at - int(u32(dbcell->data, 0)));
        QVERIFY(row && row->id == 0x0208);
        const int rows_in_block = dbcell->data.size() / 2 - 2;
        QVERIFY(rows_in_block >= 1 && rows_in_block <= 32);
        int cell_at = row->at + 20;
        for (int i = 0; i < rows_in_block; ++i) {
            const biff_record *this_row = record_at(records, row->at + 20 * i);
            QVERIFY(this_row && this_row->id == 0x0208);
            const int r = u16(this_row->data, 0);
            QCOMPARE(r / 32, u16(row->data, 0) / 32);
            cell_at += u16(dbcell->data, 4 + 2 * i);
            const biff_record *cell = record_at(records, cell_at);
            QVERIFY(cell);
            QCOMPARE(int(u16(cell->data, 0)), r);
            QCOMPARE(u16(cell->data, 2), u16(this_row->data, 2));
        }
    }
    for (const biff_record &rec : records) {
        if (rec.id == 0x00FD || rec.id == 0x0203 || rec.id == 0x0205) {
            const read_cell want = expected_cell(sheet, u16(rec.data, 0), u16(rec.data, 2));
            QVERIFY(want.what != read_cell::kind::empty);
            if (rec.id == 0x00FD)
                QCOMPARE(sst.strings.value(int(u32(rec.data, 6))), want.text);
            if (rec.id == 0x0203)   // no negative zero, which would show as "-0.000"
                QVERIFY(u32(rec.data, 10) != 0x80000000u || u32(rec.data, 6) != 0);
            ++cells;
        }
    }
    int expected_cells = 0;
    for (int r = 0; r < area.first; ++r) {
        for (int c = 0; c < area.second; ++c)
            expected_cells += expected_cell(sheet, r, c).what != read_cell::kind::empty;
    }
    QCOMPARE(cells, expected_cells);
}

// ---------------------------------------------------------------------------------------
// The readers.

struct freexl_result {
    QString error;
    QString sheet_name;
    unsigned sheets = 0, strings = 0, fat_entries = 0, biff_version = 0, codepage = 0;
    unsigned rows = 0;
    unsigned short columns = 0;
    QVector<QVector<read_cell>> grid;
};

// The sheet at index and the workbook's counts.
freexl_result freexl_read(const QString &path, unsigned index = 0)
{
    freexl_result out;
    auto fail = [&out](const QString &why) {
        out.error = why;
        return out;
    };
    const void *handle = nullptr;
    int rc = freexl_open(QFile::encodeName(path).constData(), &handle);
    if (rc != FREEXL_OK)
        return fail(QStringLiteral("freexl_open: %1").arg(rc));
    auto info = [&](unsigned short what, unsigned *value) {
        if (rc == FREEXL_OK)
            rc = freexl_get_info(handle, what, value);
    };
    info(FREEXL_BIFF_SHEET_COUNT, &out.sheets);
    info(FREEXL_BIFF_STRING_COUNT, &out.strings);
    info(FREEXL_CFBF_FAT_COUNT, &out.fat_entries);
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
        QVector<read_cell> row(out.columns);
        for (unsigned short c = 0; rc == FREEXL_OK && c < out.columns; ++c) {
            FreeXL_CellValue value;
            rc = freexl_get_cell_value(handle, r, c, &value);
            if (rc != FREEXL_OK)
                break;
            read_cell &cell = row[c];
            switch (value.type) {
            case FREEXL_CELL_NULL:
                break;
            case FREEXL_CELL_INT:
                cell.what = read_cell::kind::number;
                cell.number = value.value.int_value;
                break;
            case FREEXL_CELL_DOUBLE:
                cell.what = read_cell::kind::number;
                cell.number = value.value.double_value;
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
                cell.what = read_cell::kind::text;
                cell.text = QString::fromUtf8(value.value.text_value);
                break;
            default:
                cell.what = read_cell::kind::error;
                cell.text = QStringLiteral("type %1").arg(value.type);
                break;
            }
        }
        out.grid << row;
    }
    if (rc != FREEXL_OK)
        out.error = QStringLiteral("freexl: %1").arg(rc);
    freexl_close(handle);
    return out;
}

struct xlrd_sheet {
    QString name;
    int rows = 0, columns = 0;
    QVector<QVector<read_cell>> grid;
    QVector<int> error_codes;
    QMap<int, int> widths;   // column: width in 1/256 characters
    bool frozen = false, selected = false;
    int split_row = 0;
};

struct xlrd_result {
    QString error;
    QVector<xlrd_sheet> sheets;
};

xlrd_result xlrd_read(const QString &path)
{
    xlrd_result out;
    auto fail = [&out](const QString &why) {
        out.error = why;
        return out;
    };
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QFINDTESTDATA("read_xls.py"), path});
    if (!python.waitForFinished(300000) || python.exitCode() != 0)
        return fail(QStringLiteral("read_xls.py failed: %1")
                               .arg(QString::fromUtf8(python.readAllStandardError())));
    QJsonParseError parse_error;
    const QJsonObject doc =
        QJsonDocument::fromJson(python.readAllStandardOutput(), &parse_error).object();
    if (parse_error.error != QJsonParseError::NoError)
        return fail(parse_error.errorString());
    for (const QJsonValue &json_sheet : doc.value(QStringLiteral("sheets")).toArray()) {
        const QJsonObject o = json_sheet.toObject();
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
        for (const QJsonValue &json_row : o.value(QStringLiteral("cells")).toArray()) {
            QVector<read_cell> row;
            for (const QJsonValue &json_cell : json_row.toArray()) {
                const QJsonObject c = json_cell.toObject();
                const QString t = c.value(QStringLiteral("t")).toString();
                read_cell cell;
                if (t == QLatin1String("text")) {
                    cell.what = read_cell::kind::text;
                    cell.text = c.value(QStringLiteral("v")).toString();
                } else if (t == QLatin1String("number")) {
                    cell.what = read_cell::kind::number;
                    cell.number = std::strtod(
                        c.value(QStringLiteral("v")).toString().toLatin1().constData(), nullptr);
                    cell.format = c.value(QStringLiteral("format")).toString();
                } else if (t == QLatin1String("error")) {
                    cell.what = read_cell::kind::error;
                    sheet.error_codes << c.value(QStringLiteral("v")).toInt();
                } else if (t != QLatin1String("empty")) {
                    cell.what = read_cell::kind::error;
                    cell.text = t;
                }
                row << cell;
            }
            sheet.grid << row;
        }
        out.sheets << sheet;
    }
    return out;
}

// One CSV record per line; fields may be quoted, with "" for a quote.
QVector<QStringList> csv_parse(const QString &text)
{
    QVector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false, in_row = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += ch;
                ++i;
            } else if (ch == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += ch;
            }
        } else if (ch == QLatin1Char('"')) {
            quoted = true;
            in_row = true;
        } else if (ch == QLatin1Char(',')) {
            row << field;
            field.clear();
            in_row = true;
        } else if (ch == QLatin1Char('\n')) {
            row << field;
            rows << row;
            row.clear();
            field.clear();
            in_row = false;
        } else if (ch != QLatin1Char('\r')) {
            field += ch;
            in_row = true;
        }
    }
    if (in_row) {
        row << field;
        rows << row;
    }
    return rows;
}

// LibreOffice shows each cell as its format says: numbers with three decimals. A sheet
// without cells still gives one empty line.
QVector<QStringList> expected_csv(const workbook_sheet &sheet)
{
    const auto area = used_area(sheet);
    QVector<QStringList> rows;
    if (area.first == 0)
        return {QStringList{QString()}};
    for (int r = 0; r < area.first; ++r) {
        QStringList row;
        for (int c = 0; c < area.second; ++c) {
            const read_cell cell = expected_cell(sheet, r, c);
            if (cell.what == read_cell::kind::text)
                row << cell.text;
            else if (cell.what == read_cell::kind::number)
                row << QString::number(cell.number, 'f', 3);
            else if (cell.what == read_cell::kind::error)
                row << QStringLiteral("#NUM!");
            else
                row << QString();
        }
        rows << row;
    }
    return rows;
}

}   // namespace

class test_workbook_xls : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    QTemporaryDir office_profile;

    // Writes the workbook into name.xls, checking the bytes' structure on the way; *path is
    // set once the file is written.
    void write_file(const workbook &book, const QString &name, structure_report *report,
                    QString *path);
    void check_freexl(const QString &path, const workbook &book);
    // Also gives what xlrd read through *got, when asked.
    void check_xlrd(const QString &path, const workbook &book, int errors = 0,
                    xlrd_result *got = nullptr);
    // Has LibreOffice convert the file into dir/office/ with the filter; *converted is set
    // to the new file's path.
    void convert_with_libreoffice(const QString &path, const QString &filter,
                                  const QString &extension, QString *converted);
    void check_libreoffice(const QString &path, const workbook_sheet &sheet);
    void check_all_readers(const workbook_sheet &sheet, const QString &name,
                           structure_report *report = nullptr, bool with_freexl = true);

private slots:
    void initTestCase();
    void scores_with_chinese_texts_read_back_everywhere();
    void header_only_sheet();
    void sheet_without_rows();
    void empty_texts_and_ragged_rows_leave_cells_empty();
    void non_finite_numbers_become_num_errors();
    void shared_strings_continue_across_records();
    void large_sheet_uses_difat();
    void too_many_columns_is_refused();
    void too_many_rows_is_refused();
    void too_long_text_is_refused();
    void largest_sheet_and_text_the_format_holds();
    void sheets_formats_widths_and_frozen_rows_read_back();
    void bad_sheet_name_and_too_wide_second_sheet_are_refused();
};

void test_workbook_xls::write_file(const workbook &book, const QString &name,
                                   structure_report *report, QString *path)
{
    QByteArray bytes = "stale";
    const QString problem = xls_workbook_bytes(book, &bytes);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    structure_report local;
    check_structure(bytes, book, report ? report : &local);
    const QString file_path = dir.filePath(name + QStringLiteral(".xls"));
    QFile file(file_path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
    *path = file_path;
}

void test_workbook_xls::check_freexl(const QString &path, const workbook &book)
{
    for (unsigned i = 0; i < book.size(); ++i) {
        const freexl_result got = freexl_read(path, i);
        QVERIFY2(got.error.isEmpty(), qPrintable(got.error));
        QCOMPARE(got.biff_version, unsigned(FREEXL_BIFF_VER_8));
        QCOMPARE(got.codepage, unsigned(FREEXL_BIFF_UTF16LE));
        QCOMPARE(got.sheets, unsigned(book.size()));
        QCOMPARE(got.sheet_name, expected_name(book, int(i)));
        QCOMPARE(got.strings, unsigned(distinct_texts(book).size()));
        const auto area = used_area(book[i]);
        QCOMPARE(got.rows, unsigned(area.first));
        QCOMPARE(int(got.columns), area.second);
        const QString mismatch = compare_grid(book[i], got.grid);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
}

void test_workbook_xls::check_xlrd(const QString &path, const workbook &book, int errors,
                                   xlrd_result *got_out)
{
    const xlrd_result got = xlrd_read(path);
    QVERIFY2(got.error.isEmpty(), qPrintable(got.error));
    QCOMPARE(got.sheets.size(), int(book.size()));
    int error_cells = 0;
    for (int i = 0; i < got.sheets.size(); ++i) {
        const xlrd_sheet &read = got.sheets[i];
        const workbook_sheet &sheet = book[i];
        QCOMPARE(read.name, expected_name(book, i));
        QCOMPARE(read.selected, i == 0);   // the first sheet is the one shown
        QCOMPARE(read.frozen, sheet.frozen_rows > 0);
        QCOMPARE(read.split_row, sheet.frozen_rows);
        const auto area = used_area(sheet);
        QCOMPARE(read.rows, area.first);
        QCOMPARE(read.columns, area.second);
        const QString mismatch = compare_grid(sheet, read.grid);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        for (int r = 0; r < area.first; ++r) {
            for (int c = 0; c < area.second; ++c) {
                if (read.grid[r][c].what == read_cell::kind::number)
                    QCOMPARE(read.grid[r][c].format, expected_cell(sheet, r, c).format);
            }
        }
        for (int code : read.error_codes)
            QCOMPARE(code, 0x24);   // #NUM!
        error_cells += read.error_codes.size();
    }
    QCOMPARE(error_cells, errors);
    if (got_out)
        *got_out = got;
}

void test_workbook_xls::convert_with_libreoffice(const QString &path, const QString &filter,
                                                 const QString &extension, QString *converted)
{
    const QString out_dir = dir.filePath(QStringLiteral("office"));
    QDir().mkpath(out_dir);
    QProcess office;
    office.start(QStringLiteral("soffice"),
                 {QStringLiteral("-env:UserInstallation=")
                      + QUrl::fromLocalFile(office_profile.path()).toString(),
                  QStringLiteral("--headless"), QStringLiteral("--norestore"),
                  QStringLiteral("--convert-to"), extension + QLatin1Char(':') + filter,
                  QStringLiteral("--outdir"), out_dir, path});
    QVERIFY2(office.waitForFinished(600000), "soffice did not finish");
    QCOMPARE(office.exitCode(), 0);
    const QString file = QDir(out_dir).filePath(QFileInfo(path).completeBaseName()
                                                + QLatin1Char('.') + extension);
    QVERIFY2(QFile::exists(file), qPrintable(QStringLiteral("nothing from soffice: ")
                                             + QString::fromUtf8(office.readAllStandardError())));
    *converted = file;
}

void test_workbook_xls::check_libreoffice(const QString &path, const workbook_sheet &sheet)
{
    QString converted;
    convert_with_libreoffice(path, QStringLiteral("Text - txt - csv (StarCalc):44,34,76,1"),
                             QStringLiteral("csv"), &converted);
    QFile csv(converted);
    QVERIFY(!converted.isEmpty() && csv.open(QIODevice::ReadOnly));
    const QVector<QStringList> got = csv_parse(QString::fromUtf8(csv.readAll()));
    const QVector<QStringList> want = expected_csv(sheet);
    QCOMPARE(got.size(), want.size());
    for (int r = 0; r < want.size(); ++r)
        QCOMPARE(got[r], want[r]);
}

void test_workbook_xls::check_all_readers(const workbook_sheet &sheet, const QString &name,
                                          structure_report *report, bool with_freexl)
{
    const workbook book{sheet};
    QString path;
    write_file(book, name, report, &path);
    QVERIFY(!path.isEmpty());
    int errors = 0;
    for (const workbook_row &row : sheet.rows) {
        for (const workbook_cell &cell : row)
            errors += cell.kind == workbook_cell::type::number && !std::isfinite(cell.number);
    }
    if (with_freexl)
        check_freexl(path, book);
    if (QTest::currentTestFailed())
        return;
    check_xlrd(path, book, errors);
    if (QTest::currentTestFailed())
        return;
    check_libreoffice(path, sheet);
}

void test_workbook_xls::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY(office_profile.isValid());
    QVERIFY2(QFile::exists(QStringLiteral("/usr/bin/python3")), "needs /usr/bin/python3");
    QVERIFY2(QProcess::execute(QStringLiteral("/usr/bin/python3"),
                               {QStringLiteral("-c"), QStringLiteral("import xlrd")})
                 == 0,
             "needs xlrd for /usr/bin/python3 (Debian package python3-xlrd)");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty(),
             "needs soffice (Debian package libreoffice-calc-nogui)");
}

void test_workbook_xls::scores_with_chinese_texts_read_back_everywhere()
{
    workbook_sheet sheet;
    sheet.rows = {
        {text_cell(QStringLiteral("学生文件名")), text_cell(QStringLiteral("总分")),
         text_cell(QStringLiteral("单选题1")), text_cell(QStringLiteral("单选题2")),
         text_cell(QStringLiteral("非选择题1"))},
        {text_cell(QStringLiteral("张三.stu")), number_cell(12.5), number_cell(2.5),
         number_cell(1.0 / 3.0), number_cell(9.667)},
        {text_cell(QStringLiteral("李四.stu")), number_cell(-1.25), number_cell(0),
         empty_cell(), number_cell(-0.0)},
        {text_cell(QStringLiteral("Wang Wu.stu")), number_cell(100), number_cell(1234567.875),
         text_cell(QStringLiteral("总分")), text_cell(QStringLiteral("引号\"和,逗号 é 😀"))},
    };
    check_all_readers(sheet, QStringLiteral("scores"));
}

void test_workbook_xls::header_only_sheet()
{
    workbook_sheet sheet;
    sheet.rows = {{text_cell(QStringLiteral("学生文件名")), text_cell(QStringLiteral("总分")),
                   text_cell(QStringLiteral("非选择题1"))}};
    check_all_readers(sheet, QStringLiteral("header_only"));
}

void test_workbook_xls::sheet_without_rows()
{
    check_all_readers(workbook_sheet(), QStringLiteral("no_rows"));
    // A workbook without sheets gets one empty sheet: Excel opens none without.
    QByteArray none, one_empty;
    QVERIFY(xls_workbook_bytes(workbook(), &none).isEmpty());
    QVERIFY(xls_workbook_bytes(workbook(1), &one_empty).isEmpty());
    QCOMPARE(none, one_empty);
}

void test_workbook_xls::empty_texts_and_ragged_rows_leave_cells_empty()
{
    workbook_sheet sheet;
    sheet.rows = {
        {text_cell(QStringLiteral("甲")), text_cell(QString()), text_cell(QStringLiteral("丙"))},
        {},
        {empty_cell(), number_cell(7)},
        {text_cell(QString()), empty_cell(), empty_cell(), empty_cell(), number_cell(0.125)},
        {empty_cell(), empty_cell()},
    };
    check_all_readers(sheet, QStringLiteral("ragged"));
}

void test_workbook_xls::non_finite_numbers_become_num_errors()
{
    workbook_sheet sheet;
    sheet.rows = {
        {text_cell(QStringLiteral("学生文件名")), text_cell(QStringLiteral("总分"))},
        {text_cell(QStringLiteral("a.stu")), number_cell(std::numeric_limits<double>::quiet_NaN())},
        {text_cell(QStringLiteral("b.stu")), number_cell(std::numeric_limits<double>::infinity())},
        {text_cell(QStringLiteral("c.stu")), number_cell(1.5)},
    };
    QString path;
    write_file(workbook{sheet}, QStringLiteral("non_finite"), nullptr, &path);
    QVERIFY(!path.isEmpty());
    check_xlrd(path, workbook{sheet}, 2);
    if (QTest::currentTestFailed())
        return;
    check_libreoffice(path, sheet);
    if (QTest::currentTestFailed())
        return;
    // libfreexl has no error cells; it must still open the file and read the rest.
    const freexl_result got = freexl_read(path);
    QVERIFY2(got.error.isEmpty(), qPrintable(got.error));
    QCOMPARE(got.rows, 4u);
    QCOMPARE(got.grid[3][1].what, read_cell::kind::number);
    QCOMPARE(got.grid[3][1].number, 1.5);
    QCOMPARE(got.grid[2][0].text, QStringLiteral("b.stu"));
}

void test_workbook_xls::shared_strings_continue_across_records()
{
    // Thousands of distinct names, narrow and wide, and long texts of both kinds, so that
    // the table needs many CONTINUE records and the long texts run across their boundaries.
    // Each long text needs two records: libfreexl 1.0.6 loses texts spanning more, which
    // largest_sheet_and_text_the_format_holds covers without it.
    // The first text is a little too long for what the SST record has left after its
    // counts, yet must start there all the same.
    workbook_sheet sheet;
    sheet.rows.push_back({text_cell(QString(8215, QChar('h'))), text_cell(QStringLiteral("备注"))});
    for (int i = 0; i < 3000; ++i) {
        const QString name = i % 2 ? QStringLiteral("student_%1.stu").arg(i)
                                   : QStringLiteral("学生%1号.stu").arg(i);
        QString remark;
        switch (i % 500) {
        case 7:   // wide, longer than what is left of a record
            remark = QString(5000 + i, QChar(0x4E00 + i % 100));
            break;
        case 9:   // narrow, longer than a record
            remark = QString(9000 + i, QChar('a' + i % 26));
            break;
        case 11:   // surrogate pairs, which must not be cut in two
            for (int k = 0; k < 2000 + i / 2; ++k)
                remark += QString::fromUtf8("😀");
            break;
        }
        sheet.rows.push_back({text_cell(name), text_cell(remark), number_cell(i / 8.0)});
    }
    structure_report report;
    check_all_readers(sheet, QStringLiteral("continue"), &report);
    QVERIFY2(report.sst_records > 10, qPrintable(QString::number(report.sst_records)));
    QVERIFY(report.split_narrow >= 1);
    QVERIFY(report.split_wide >= 1);
}

void test_workbook_xls::large_sheet_uses_difat()
{
    // 1003 rows by 256 columns with distinct texts: a stream of more than 109 FAT sectors'
    // worth, so the FAT sectors must be listed in DIFAT sectors too.
    workbook_sheet sheet;
    sheet.rows.resize(1003);
    for (int c = 0; c < 256; ++c)
        sheet.rows[0].push_back(text_cell(c ? QStringLiteral("单选题%1").arg(c)
                                            : QStringLiteral("学生文件名")));
    for (int r = 1; r < 1003; ++r) {
        workbook_row &row = sheet.rows[r];
        row.push_back(text_cell(QStringLiteral("学生%1.stu").arg(r)));
        for (int c = 1; c < 256; ++c) {
            if ((r + c) % 2)
                row.push_back(number_cell((r * 256 + c) / 7.0));
            else
                row.push_back(text_cell(QStringLiteral("第%1行第%2列").arg(r).arg(c)
                                        + QString(44, QChar(0x4E00 + (r * 7 + c) % 2000))));
        }
    }
    structure_report report;
    check_all_readers(sheet, QStringLiteral("large"), &report);
    QVERIFY2(report.difat_sectors >= 2, qPrintable(QString::number(report.difat_sectors)));
    QCOMPARE(report.row_blocks, (1003 + 31) / 32);
    const freexl_result got = freexl_read(dir.filePath(QStringLiteral("large.xls")));
    QVERIFY(got.fat_entries > 109u * 128u);
}

void test_workbook_xls::too_many_columns_is_refused()
{
    workbook_sheet sheet;
    sheet.rows.resize(2);
    for (int c = 0; c < 257; ++c)
        sheet.rows[1].push_back(number_cell(c));
    QByteArray bytes = "stale";
    const QString problem = xls_workbook_bytes(workbook{sheet}, &bytes);
    QVERIFY(problem.contains(QStringLiteral("256列")));
    QVERIFY(problem.contains(QStringLiteral("257列")));
    QVERIFY(problem.contains(QStringLiteral(".xlsx")));
    QVERIFY(bytes.isEmpty());
}

void test_workbook_xls::too_many_rows_is_refused()
{
    workbook_sheet sheet;
    sheet.rows.resize(65537);
    sheet.rows.back().push_back(text_cell(QStringLiteral("x")));
    QByteArray bytes = "stale";
    const QString problem = xls_workbook_bytes(workbook{sheet}, &bytes);
    QVERIFY(problem.contains(QStringLiteral("65536行")));
    QVERIFY(problem.contains(QStringLiteral("65537行")));
    QVERIFY(problem.contains(QStringLiteral(".xlsx")));
    QVERIFY(bytes.isEmpty());
}

void test_workbook_xls::too_long_text_is_refused()
{
    workbook_sheet sheet;
    sheet.rows = {{text_cell(QStringLiteral("学生文件名")), text_cell(QStringLiteral("备注"))},
                  {text_cell(QStringLiteral("a.stu")), text_cell(QString(32768, QChar(0x5B57)))}};
    QByteArray bytes = "stale";
    const QString problem = xls_workbook_bytes(workbook{sheet}, &bytes);
    QVERIFY(problem.contains(QStringLiteral("32767")));
    QVERIFY(problem.contains(QStringLiteral("第2行第2列")));
    QVERIFY(problem.contains(QStringLiteral("32768")));
    // Excel 2007 and later cannot take it either.
    QVERIFY(!problem.contains(QStringLiteral(".xlsx")));
    QVERIFY(bytes.isEmpty());
}

void test_workbook_xls::largest_sheet_and_text_the_format_holds()
{
    workbook_sheet sheet;
    sheet.rows.resize(65536);
    for (int r = 0; r < 65536; r += 4099)
        sheet.rows[r].push_back(number_cell(r + 0.5));
    sheet.rows[0] = {text_cell(QString(32767, QChar(0x5B57))), text_cell(QString(32767, 'x'))};
    sheet.rows[65535] = {empty_cell(), number_cell(65535.25)};
    // Texts this long span four and eight records; libfreexl 1.0.6 cannot read those back.
    check_all_readers(sheet, QStringLiteral("largest"), nullptr, false);
}

void test_workbook_xls::sheets_formats_widths_and_frozen_rows_read_back()
{
    // Two sheets as the analysis makes them: Chinese names, a text in both (one shared
    // string table), the three number formats, widths and frozen header rows, and a chart,
    // which the .xls file leaves out.
    const auto general = workbook_cell::style::general;
    const auto percent = workbook_cell::style::percent;
    workbook book(2);
    book[0].name = QStringLiteral("成绩分析");
    book[0].rows = {
        {text_cell(QStringLiteral("学生文件名")), text_cell(QStringLiteral("总分")),
         text_cell(QStringLiteral("得分率")), text_cell(QStringLiteral("名次"))},
        {text_cell(QStringLiteral("张三.stu")), number_cell(12.5), number_cell(0.625, percent),
         number_cell(1, general)},
        {text_cell(QStringLiteral("李四.stu")), number_cell(1.0 / 3.0),
         number_cell(1.0 / 3.0, percent), number_cell(2.5, general)},
    };
    book[0].widths = {12, 8, 8, 5};
    book[0].frozen_rows = 1;
    book[1].name = QStringLiteral("试题分析");
    book[1].rows = {{text_cell(QStringLiteral("试题")), text_cell(QStringLiteral("得分率"))},
                    {text_cell(QStringLiteral("单选题1")), number_cell(0.875, percent)},
                    {text_cell(QStringLiteral("单选题2")), number_cell(0, percent)}};
    book[1].widths = {0, 20, 20, 0.5};
    book[1].frozen_rows = 2;
    book[1].charts.resize(1);

    QString path;
    write_file(book, QStringLiteral("two_sheets"), nullptr, &path);
    QVERIFY(!path.isEmpty());
    check_freexl(path, book);
    xlrd_result got;
    check_xlrd(path, book, 0, &got);
    if (QTest::currentTestFailed())
        return;
    // Excel keeps the cell padding in the width: 12 characters show as 12 * 7 + 5 pixels,
    // stored as 89 / 7 * 256. A width of 0 leaves the column at its default.
    const QMap<int, int> widths[] = {{{0, 3254}, {1, 2230}, {2, 2230}, {3, 1462}},
                                     {{1, 5302}, {2, 5302}, {3, 219}}};
    QCOMPARE(got.sheets[0].widths, widths[0]);
    QCOMPARE(got.sheets[1].widths, widths[1]);

    // LibreOffice opens it and saves it again as .xls with all of it, widths to a pixel.
    QString again;
    convert_with_libreoffice(path, QStringLiteral("MS Excel 97"), QStringLiteral("xls"), &again);
    QVERIFY(!again.isEmpty());
    check_xlrd(again, book, 0, &got);
    for (int i = 0; i < 2 && !QTest::currentTestFailed(); ++i) {
        for (auto it = widths[i].begin(); it != widths[i].end(); ++it)
            QVERIFY2(std::abs(got.sheets[i].widths.value(it.key()) - it.value()) <= 256 / 7,
                     qPrintable(QStringLiteral("sheet %1 column %2: %3")
                                    .arg(i)
                                    .arg(it.key())
                                    .arg(got.sheets[i].widths.value(it.key()))));
    }
}

void test_workbook_xls::bad_sheet_name_and_too_wide_second_sheet_are_refused()
{
    workbook book(2);
    book[0].rows = {{text_cell(QStringLiteral("学生文件名"))}};
    QByteArray bytes;
    // Excel's rules; "sheet1" is the first sheet's default name in other case.
    const QString bad[] = {QStringLiteral("成绩/分析"), QString(32, QChar(0x5206)),
                           QStringLiteral("'分析'"), QStringLiteral("History"),
                           QStringLiteral("sheet1")};
    for (const QString &name : bad) {
        book[1].name = name;
        bytes = "stale";
        const QString problem = xls_workbook_bytes(book, &bytes);
        QVERIFY2(problem.startsWith(QStringLiteral("工作表名称“") + name + QStringLiteral("”"))
                     || problem.startsWith(QStringLiteral("工作簿中有两个工作表都叫“") + name),
                 qPrintable(problem));
        QVERIFY(bytes.isEmpty());
    }
    book[1].name = QString(31, QChar(0x5206));
    QCOMPARE(xls_workbook_bytes(book, &bytes), QString());

    book[1].name = QStringLiteral("试题分析");
    book[1].rows.assign(2, workbook_row(300, number_cell(1)));
    bytes = "stale";
    QCOMPARE(xls_workbook_bytes(book, &bytes),
             QStringLiteral("工作表“试题分析”有300列，超出了 .xls 工作表最多256列的上限，"
                            "请改为导出 .xlsx 文件。"));
    QVERIFY(bytes.isEmpty());
}

QTEST_GUILESS_MAIN(test_workbook_xls)
#include "test_workbook_xls.moc"

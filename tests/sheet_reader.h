#pragma once
// Reads a workbook back with a real spreadsheet reader (tests/read_xls.py with xlrd,
// tests/read_xlsx.py with openpyxl) and gives every cell as a short text: "" for an empty
// cell, "text" for a text cell, "=2.5 0.000" for a number with its number format.

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTest>
#include <QVector>
#include <cstdlib>

struct sheet_read {
    QString error;
    QVector<QStringList> rows;
    QStringList sheets;   // every sheet's name, in order
    QString frozen;       // .xlsx: the top-left cell below the frozen rows, "" when none
    int charts = 0;       // .xlsx: the charts of the sheet
    QJsonObject print;    // .xlsx: the page set-up, as tests/read_xlsx.py gives it
    QStringList chart_rows;   // .xlsx: the rows each chart spans, "+reversed", "+percent"
};

// A page set-up read back, as one line: orientation, fit, title rows, header and footer
// separated by "|".
inline QString sheet_print_text(const QJsonObject &print)
{
    QStringList parts;
    for (const char *key : {"orientation", "fit", "titles", "header", "footer"})
        parts << print.value(QLatin1String(key)).toString();
    return parts.join(QLatin1Char('|'));
}

// The first sheet, or the one with this index.
inline sheet_read sheet_read_back(const QString &path, int sheet = 0)
{
    sheet_read out;
    const bool xls = path.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive);
    QProcess python;
    QStringList arguments{QFINDTESTDATA(xls ? "read_xls.py" : "read_xlsx.py"), path};
    if (sheet != 0 && !xls)   // read_xls.py gives every sheet
        arguments << QString::number(sheet);
    python.start(QStringLiteral("/usr/bin/python3"), arguments);
    if (!python.waitForFinished(300000) || python.exitCode() != 0) {
        out.error = QString::fromUtf8(python.readAllStandardError());
        return out;
    }
    QJsonObject document = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    const QJsonArray sheets = document.value(QStringLiteral("sheets")).toArray();
    for (const QJsonValue &entry : sheets)
        out.sheets << (entry.isObject() ? entry.toObject().value(QStringLiteral("name")).toString() : entry.toString());
    if (xls) {
        document = sheets.at(sheet).toObject();
        if (document.value(QStringLiteral("frozen")).toBool())
            out.frozen = QStringLiteral("A%1").arg(document.value(QStringLiteral("split_row")).toInt() + 1);
    } else {
        out.frozen = document.value(QStringLiteral("frozen")).toString();
        out.charts = document.value(QStringLiteral("charts")).toInt();
        out.print = document.value(QStringLiteral("print")).toObject();
        for (const QJsonValue &rows : document.value(QStringLiteral("chart_rows")).toArray())
            out.chart_rows << rows.toString();
    }
    for (const QJsonValue &json_row : document.value(QStringLiteral("cells")).toArray()) {
        QStringList row;
        for (const QJsonValue &json_cell : json_row.toArray()) {
            const QJsonObject cell = json_cell.toObject();
            const QString type = cell.value(QStringLiteral("t")).toString();
            const QString value = cell.value(QStringLiteral("v")).toString();
            if (type == QLatin1String("text"))
                row << value;
            else if (type == QLatin1String("number"))
                row << QStringLiteral("=%1 %2").arg(std::strtod(value.toLatin1().constData(), nullptr))
                            .arg(cell.value(QStringLiteral("format")).toString());
            else if (type == QLatin1String("empty"))
                row << QString();
            else
                row << QStringLiteral("?%1").arg(type);
        }
        out.rows << row;
    }
    return out;
}

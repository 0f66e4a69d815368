#pragma once
// Reads a workbook back with a real spreadsheet reader (tests/read_xls.py with xlrd,
// tests/read_xlsx.py with openpyxl) and gives every cell as a short text: "" for an empty
// cell, "text" for a text cell, "=2.5 0.000" for a number with its number format.

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTest>
#include <QVector>
#include <cstdlib>
#ifdef Q_OS_WIN
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QThread>
#include <windows.h>
#endif

struct sheet_read {
    QString error;
    QVector<QStringList> rows;
    QStringList sheets;   // every sheet's name, in order
    QString frozen;       // .xlsx: the top-left cell below the frozen rows, "" when none
    int charts = 0;       // .xlsx: the charts of the sheet
    QJsonObject print;    // .xlsx: the page set-up, as tests/read_xlsx.py gives it
    QStringList chart_rows;   // .xlsx: the rows each chart spans, "+reversed", "+percent"
};

// What the reader printed, and whether it succeeded.
struct sheet_reader_output {
    bool ok = false;
    QByteArray out;
    QByteArray err;
};

#ifdef Q_OS_WIN
// The Windows suites run under Wine, where the reader is Debian's Python, a Unix program. Wine
// tells where a Windows path lies for it, and starts it without the pipes and the process
// handle a Windows program gets: the shell writes what it printed to files, and its exit
// status to the last one.
inline void *sheet_reader_wine(const char *function)
{
    return reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32"), function));
}

inline QString sheet_reader_path(const QString &path)
{
    const auto unix_name = reinterpret_cast<char *(CDECL *)(const wchar_t *)>(sheet_reader_wine("wine_get_unix_file_name"));
    char *name = unix_name ? unix_name(QDir::toNativeSeparators(path).toStdWString().c_str()) : nullptr;
    if (!name)
        return path;
    const QString result = QString::fromUtf8(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// The Windows path of the Unix shell.
inline QString sheet_reader_shell()
{
    const auto dos_name = reinterpret_cast<wchar_t *(CDECL *)(const char *)>(sheet_reader_wine("wine_get_dos_file_name"));
    wchar_t *name = dos_name ? dos_name("/bin/sh") : nullptr;
    if (!name)
        return QStringLiteral("/bin/sh");
    const QString result = QString::fromWCharArray(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

inline QString sheet_reader_quoted(QString word)
{
    return QLatin1Char('\'') + word.replace(QLatin1String("'"), QLatin1String("'\\''")) + QLatin1Char('\'');
}

inline sheet_reader_output sheet_reader_run(const QStringList &arguments)
{
    sheet_reader_output result;
    QTemporaryDir dir;
    QString command = QStringLiteral("/usr/bin/python3");
    for (const QString &argument : arguments)
        command += QLatin1Char(' ') + sheet_reader_quoted(argument);
    command += QStringLiteral(" >%1/out 2>%1/err; echo $? >%1/status.new; mv %1/status.new %1/status")
                   .arg(sheet_reader_quoted(sheet_reader_path(dir.path())));
    if (!QProcess::startDetached(sheet_reader_shell(), {QStringLiteral("-c"), command})) {
        result.err = "cannot start /bin/sh";
        return result;
    }
    QFile status(dir.filePath(QStringLiteral("status")));
    for (QDeadlineTimer deadline(300000); !status.exists() && !deadline.hasExpired();)
        QThread::msleep(20);
    QFile out(dir.filePath(QStringLiteral("out")));
    QFile err(dir.filePath(QStringLiteral("err")));
    result.ok = status.open(QIODevice::ReadOnly) && status.readAll().trimmed() == "0";
    result.out = out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray();
    result.err = err.open(QIODevice::ReadOnly) ? err.readAll() : QByteArray("no answer from the reader");
    return result;
}
#else
inline QString sheet_reader_path(const QString &path)
{
    return path;
}

inline sheet_reader_output sheet_reader_run(const QStringList &arguments)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), arguments);
    sheet_reader_output result;
    result.ok = python.waitForFinished(300000) && python.exitCode() == 0;
    result.out = python.readAllStandardOutput();
    result.err = python.readAllStandardError();
    return result;
}
#endif

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
    QStringList arguments{sheet_reader_path(QFINDTESTDATA(xls ? "read_xls.py" : "read_xlsx.py")),
                          sheet_reader_path(path)};
    if (sheet != 0 && !xls)   // read_xls.py gives every sheet
        arguments << QString::number(sheet);
    const sheet_reader_output python = sheet_reader_run(arguments);
    if (!python.ok) {
        out.error = QString::fromUtf8(python.err);
        return out;
    }
    QJsonObject document = QJsonDocument::fromJson(python.out).object();
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

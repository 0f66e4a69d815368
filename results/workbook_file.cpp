#include "results/workbook_file.h"

#include "results/workbook_xls.h"
#include "results/workbook_xlsx.h"
#include "store/file_io.h"

workbook_format workbook_file_format(const QByteArray &name)
{
    // ASCII case only, on the name's bytes: Qt's case folding would take "ſ" for an "s".
    const QByteArray tail = name.right(5).toLower();
    if (tail.endsWith(".xlsx"))
        return workbook_format::xlsx;
    return tail.endsWith(".xls") ? workbook_format::xls : workbook_format::none;
}

workbook_format workbook_file_format(const QString &name)
{
    return workbook_file_format(name.right(5).toLatin1());
}

QString workbook_file_name(const QString &chosen, bool xls_accepted)
{
    const workbook_format format = workbook_file_format(chosen);
    if (format == workbook_format::xlsx || (xls_accepted && format == workbook_format::xls))
        return chosen;
    return chosen + QLatin1String(".xlsx");
}

QString workbook_file_extension(const QString &name)
{
    const QString file = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    const QString extension = file.mid(dot + 1);
    bool letter = false;
    for (const QChar c : extension) {
        if (c.unicode() > 0x7F || !c.isLetterOrNumber())
            return {};
        letter |= c.isLetter();
    }
    return letter ? extension : QString();
}

QString workbook_file_save(const QByteArray &path, const workbook &book)
{
    if (workbook_file_format(path) == workbook_format::xls) {
        QByteArray bytes;
        const QString failure = workbook_xls_bytes(book, &bytes);
        return failure.isEmpty() ? file_replace(path, bytes) : failure;
    }
    const QByteArray temporary = file_temporary_path(path);
    const QString failure = workbook_xlsx_write(temporary, book);
    if (failure.isEmpty())
        return file_commit(temporary, path);
    file_remove(temporary);
    return failure;
}

#include "results/workbook_format.h"

workbook_format workbook_format_of(const QByteArray &name)
{
    // ASCII case only, on the name's bytes: Qt's case folding would take "ſ" for an "s".
    const QByteArray tail = name.right(5).toLower();
    if (tail.endsWith(".xlsx"))
        return workbook_format::xlsx;
    return tail.endsWith(".xls") ? workbook_format::xls : workbook_format::none;
}

workbook_format workbook_format_of(const QString &name)
{
    return workbook_format_of(name.right(5).toLatin1());
}

QString workbook_file_name(const QString &chosen, bool xls_accepted)
{
    const workbook_format format = workbook_format_of(chosen);
    if (format == workbook_format::xlsx || (xls_accepted && format == workbook_format::xls))
        return chosen;
    return chosen + QLatin1String(".xlsx");
}

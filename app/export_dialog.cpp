#include "app/export_dialog.h"

#include <QObject>
#include <QStandardPaths>

QString export_dialog_folder()
{
#ifdef Q_OS_WIN
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
#else
    return QStringLiteral(".");
#endif
}

QString export_dialog_filter()
{
#ifdef Q_OS_WIN
    return QObject::tr("Excel(*.xlsx *.xls)");
#else
    return QObject::tr("Excel(*.xls *.xlsx)");
#endif
}

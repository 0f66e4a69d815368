#include "store/file_name.h"

#include <QDir>
#include <QFile>

QByteArray file_name_encode(const QString &name)
{
#ifdef Q_OS_WIN
    return QDir::fromNativeSeparators(name).toUtf8();
#else
    return QFile::encodeName(name);
#endif
}

QString file_name_decode(const QByteArray &path)
{
#ifdef Q_OS_WIN
    return QString::fromUtf8(path);
#else
    return QFile::decodeName(path);
#endif
}

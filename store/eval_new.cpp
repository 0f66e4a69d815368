#include "store/eval_new.h"

#include "store/file_io.h"
#include "store/file_name.h"
#include "store/local_text.h"

#include <QObject>
#include <QStringList>

QString eval_new(const QByteArray &folder)
{
    QStringList failures;
    for (const char *sub : {"/st", "/sc"}) {
        const QString failure = dir_make(folder + sub);
        if (!failure.isEmpty())
            failures << QObject::tr("%1：%2").arg(local_text_visible(file_name_decode(folder + sub)), failure);
    }
    if (failures.isEmpty())
        return {};
    return QObject::tr("无法创建下列文件夹：\n%1").arg(failures.join(QLatin1Char('\n')));
}

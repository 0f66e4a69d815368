#include "app/window_title.h"

#include <QObject>

QString window_title(const QString &class_name, int scored, int open_answers)
{
    const QString program = QString::fromUtf8("LUMO试卷评测系统2.0-评测端lumo_test");
    if (class_name.isEmpty())
        return program;
    const QString progress = open_answers > 0 ? QObject::tr(" 已评 %1/%2").arg(scored).arg(open_answers) : QString();
    return class_name + progress + QStringLiteral(" - ") + program;
}

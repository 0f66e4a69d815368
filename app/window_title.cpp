#include "app/window_title.h"

QString window_title(const QString &class_name)
{
    const QString program = QString::fromUtf8("LUMO试卷评测系统2.0-评测端lumo_test");
    return class_name.isEmpty() ? program : class_name + QStringLiteral(" - ") + program;
}

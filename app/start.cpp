#include "app/start.h"

#include "app/lumo_test.h"

void lumo_start(lumo_test &window)
{
    window.show();
    window.setWindowTitle(QString::fromUtf8("LUMO试卷评测系统2.0-评测端lumo_test"));
}

#include "app/lumo_test.h"
#include "app/start.h"
#include "app/translation.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    translation_install();
    lumo_test w;
    lumo_start(w);
    return a.exec();
}

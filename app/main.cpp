#include "app/lumo_test.h"
#include "app/start.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    lumo_test w;
    lumo_start(w);
    return a.exec();
}

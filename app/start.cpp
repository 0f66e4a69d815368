#include "app/start.h"

#include "app/lumo_test.h"
#include "app/window_title.h"

void lumo_start(lumo_test &window)
{
    window.show();
    window.setWindowTitle(window_title());
}

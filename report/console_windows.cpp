#include "report/console.h"

#include <cstdlib>
#include <windows.h>

namespace {

UINT previous_code_page = 0;

void code_page_restore()
{
    SetConsoleOutputCP(previous_code_page);
}

}  // namespace

bool console_prepare()
{
    // A console shows text in its code page (936 on a Chinese Windows), ours is UTF-8: the
    // console takes UTF-8 while the program runs, and its own code page again after.
    previous_code_page = GetConsoleOutputCP();
    if (previous_code_page != 0 && previous_code_page != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
        std::atexit(code_page_restore);
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    return GetConsoleMode(error, &mode) && SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

#include "report/console.h"

#include <unistd.h>

bool console_prepare()
{
    return ::isatty(STDERR_FILENO) == 1;
}

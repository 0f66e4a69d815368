#include "bench_measure.h"

#include <sys/resource.h>

double bench_measure_peak_mb()
{
    struct rusage usage;
    if (::getrusage(RUSAGE_SELF, &usage) != 0)
        return 0;
    return double(usage.ru_maxrss) / 1024;   // kilobytes on Linux
}

#pragma once
// What the benchmark measures: wall-clock seconds and the process's peak resident memory.

#include <chrono>

// The seconds that f takes.
template <typename F>
double bench_measure_seconds(F &&f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The highest resident set size of the process so far, in MiB.
double bench_measure_peak_mb();

#pragma once
// The command line of lumo_bench.

#include "eval_generator.h"

#include <string>

struct bench_options {
    eval_size size;
    int classes = 0;      // the grade preset: this many class folders, each of size
    std::string preset;   // the preset's name, or "custom"
    std::string dir;      // keep the generated folder and the workbooks here; "" = a temporary folder
    bool json = false;
};

// Reads the arguments after the program name. Returns "" or what is wrong with them.
std::string bench_options_parse(int argc, char **argv, bench_options *options);

extern const char bench_usage[];

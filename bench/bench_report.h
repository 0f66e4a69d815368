#pragma once
// The benchmark's figures as a Markdown table and as one JSON object.

#include "bench_floors.h"
#include "bench_options.h"
#include "bench_workflow.h"

#include <string>
#include <vector>

struct bench_run {
    bench_options options;
    read_floor read;
    double log_floor_s = 0;
    double xlsx_floor_s = 0;
    double save_floor_s = 0;
    double show_floor_s = 0;
    std::vector<operation_result> operations;
};

std::string bench_report_markdown(const bench_run &run);
std::string bench_report_json(const bench_run &run);

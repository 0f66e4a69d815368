#pragma once
// The exam office's report of a whole grade, timed in process against its floor.

#include "bench_report.h"

#include <string>

// Generates run->options.classes class folders of run->options.size under base, reads every
// file of them (the read floor), times lumo_report's report of them with the ranking into
// base/grade.xlsx, then libxlsxwriter writing the same cells (the write floor).
// Returns "" or what failed.
std::string bench_grade_run(const std::string &base, bench_run *run);

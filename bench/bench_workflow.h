#pragma once
// The teacher's workflow in the real window, each operation timed from its click to its
// return, with the dialogs answered through the dialog seam.

#include "eval_generator.h"

#include <string>
#include <vector>

struct operation_result {
    std::string key;       // the figure's JSON key, "open_s"
    std::string name;      // the operation as the report names it
    double seconds = 0;
    std::string untimed;   // set when there is no time: "refused: ...", "not offered: ..."
    double peak_mb = 0;    // the process's peak resident memory after the operation
};

// Opens folder, grades, grades again, runs the statistics twice, saves, exports
// scores.xlsx and scores.xls into out_dir and closes. Then opens long_folder (see
// eval_generator_write_long) and shows its two long answers on the scoring page, with
// *show_floor_s the floor of showing as many characters of its Chinese answer as the page
// shows. Returns "" or the first operation that did not do its job.
std::string bench_workflow_run(const std::string &folder, const std::string &long_folder, const std::string &out_dir,
                               const eval_size &size, std::vector<operation_result> *results, double *show_floor_s);

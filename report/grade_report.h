#pragma once
// The grade's report from its class folders: read each, check they share one paper, build
// the workbook and save it. Failures come back as values; the command turns them into text.

#include "report/grade_classes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

struct grade_report_failure {
    enum class kind { none, refused, papers_differ, not_saved };
    kind what = kind::none;
    QStringList folders;   // refused: the folder; papers_differ: the first, then those that differ
    QString reason;        // refused: the window's message; not_saved: why the file was not written
};

struct grade_report_outcome {
    grade_report_failure failure;
    // The folders that opened with problems, each with the window's message of them.
    std::vector<std::pair<QString, listed_message>> warnings;
};

// Called before class k (1..n) is read, with its folder as given.
using grade_report_progress = std::function<void(int k, int n, const QByteArray &folder)>;

// Reads the folders in order and writes the report to out (8-bit path, the name as it is
// saved), with the ranking sheet when asked. Stops at the first folder refused.
grade_report_outcome grade_report_write(const std::vector<QByteArray> &folders, bool ranking,
                                        const QByteArray &out, const grade_report_progress &progress);

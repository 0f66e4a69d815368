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
    enum class kind { none, missing, refused, papers_differ, not_saved };
    kind what = kind::none;
    // missing, refused: the folder; papers_differ: the folders of the paper most classes share
    QStringList folders;
    QString reason;          // refused: the window's message; not_saved: why the file was not written
    QStringList differing;   // papers_differ: each other folder with its first difference
};

struct grade_report_outcome {
    grade_report_failure failure;
    // The folders that opened with problems, each with the window's message of them.
    std::vector<std::pair<QString, listed_message>> warnings;
    // What the classes read hide (see grade_classes_warnings), and texts of the paper that
    // differ between classes, which are counted as one paper all the same.
    QStringList class_warnings;
};

// Called before class k (1..n) is read, with its folder as given.
using grade_report_progress = std::function<void(int k, int n, const QByteArray &folder)>;

// Reads the folders in order and writes the report to out (8-bit path, the name as it is
// saved), with the ranking sheet when asked. Stops at the first folder missing or refused.
// Papers that differ are checked against the one most classes share.
grade_report_outcome grade_report_write(const std::vector<QByteArray> &folders, bool ranking,
                                        const QByteArray &out, const grade_report_progress &progress);

#include "bench_report.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

struct floor_ref {
    double seconds;
    const char *what;
};

double figure_of(const bench_run &run, const char *key)
{
    for (const operation_result &op : run.operations) {
        if (op.key == key)
            return op.seconds;
    }
    return 0;
}

// The floor an operation is compared with; none for the operations that have no such floor.
bool floor_of(const bench_run &run, const operation_result &op, floor_ref *floor)
{
    if (op.key == "open_s")
        *floor = {run.read.seconds, "reading every file"};
    else if (op.key == "grade_s" || op.key == "grade2_s")
        *floor = {run.log_floor_s, "formatting the log"};
    else if (op.key == "save_s" || op.key == "save_merge_s")
        *floor = {run.save_floor_s, "writing, flushing, renaming"};
    else if (op.key == "export_xlsx_s")
        *floor = {run.xlsx_floor_s, "libxlsxwriter alone"};
    else if (op.key == "save_marks_s")
        *floor = {figure_of(run, "save_s"), "the save it is part of"};
    else if (op.key == "show_unbroken_s" || op.key == "show_chinese_s")
        *floor = {run.show_floor_s, "laying out the characters shown"};
    else if (op.key == "report_s")
        *floor = {run.read.seconds + run.xlsx_floor_s, "reading every file + libxlsxwriter alone"};
    else
        return false;
    return true;
}

std::string fixed(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

// A figure, or null where there is none: JSON has no nan or infinity.
QJsonValue json_figure(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

}  // namespace

std::string bench_report_markdown(const bench_run &run)
{
    const eval_size &size = run.options.size;
    const std::string classes = run.options.classes > 0 ? std::to_string(run.options.classes) + " classes of " : "";
    std::string out = "Preset " + run.options.preset + ": " + classes + std::to_string(size.students) + " students, "
        + std::to_string(size.single) + " single-choice, " + std::to_string(size.multiple)
        + " multiple-choice and " + std::to_string(size.open) + " open questions, answers of about "
        + std::to_string(size.answer_bytes) + " bytes; " + (classes.empty() ? "folder" : "folders")
        + " of " + std::to_string(run.read.files)
        + " files, " + fixed(double(run.read.bytes) / (1024 * 1024), 2) + " MB.\n\n";
    out += "| operation | seconds | peak MB | floor | ratio to floor |\n";
    out += "|---|---:|---:|---|---:|\n";
    for (const operation_result &op : run.operations) {
        out += "| " + op.name + " | ";
        out += op.untimed.empty() ? fixed(op.seconds, 3) : op.untimed;
        out += " | " + fixed(op.peak_mb, 1) + " | ";
        floor_ref floor;
        if (op.untimed.empty() && floor_of(run, op, &floor))
            out += fixed(floor.seconds, 3) + " s, " + floor.what + " | "
                + (floor.seconds > 0 ? fixed(op.seconds / floor.seconds, 2) : std::string("-")) + " |\n";
        else
            out += " | |\n";
    }
    return out;
}

std::string bench_report_json(const bench_run &run)
{
    const eval_size &size = run.options.size;
    QJsonObject out{
        {QStringLiteral("preset"), QString::fromStdString(run.options.preset)},
        {QStringLiteral("classes"), run.options.classes},
        {QStringLiteral("students"), size.students},
        {QStringLiteral("single"), size.single},
        {QStringLiteral("multiple"), size.multiple},
        {QStringLiteral("open"), size.open},
        {QStringLiteral("answer_bytes"), size.answer_bytes},
    };
    double peak = 0;
    for (const operation_result &op : run.operations) {
        out.insert(QString::fromStdString(op.key), op.untimed.empty() ? json_figure(op.seconds) : QJsonValue());
        peak = std::max(peak, op.peak_mb);
    }
    out.insert(QStringLiteral("peak_mb"), json_figure(peak));
    out.insert(QStringLiteral("floor_read_s"), json_figure(run.read.seconds));
    out.insert(QStringLiteral("floor_log_s"), json_figure(run.log_floor_s));
    out.insert(QStringLiteral("floor_xlsx_s"), json_figure(run.xlsx_floor_s));
    out.insert(QStringLiteral("floor_save_s"), json_figure(run.save_floor_s));
    out.insert(QStringLiteral("floor_show_s"), json_figure(run.show_floor_s));
    return QJsonDocument(out).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

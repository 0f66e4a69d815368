#include "bench_options.h"

#include "report/command_line.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iterator>

const char bench_usage[] =
    "usage: lumo_bench [--preset class|large|max|grade] [--students N] [--single S] [--multiple M]\n"
    "                  [--open U] [--answer-bytes B] [--dir DIR] [--json]\n"
    "Generates an evaluation folder, runs the teacher's workflow on it in the real window and\n"
    "prints each operation's time and peak memory beside its floor. The class preset is the\n"
    "default; a later option overrides an earlier one. --dir keeps the folder (DIR/eval, which\n"
    "must not exist yet) and the workbooks; --json prints the figures as one JSON object.\n"
    "The grade preset instead generates 20 class folders (DIR/class01..class20) of the given\n"
    "size (50 students, 30 single-choice, 10 multiple-choice and 5 open questions) and times\n"
    "lumo_report's whole report of them, with 年级排名, against reading every file of the\n"
    "folders plus libxlsxwriter writing the same cells.\n";

namespace {

struct preset {
    const char *name;
    eval_size size;
    int classes;   // 0: one folder, the teacher's workflow
};

const preset presets[] = {
    {"class", {40, 30, 10, 5, 200}, 0},
    {"large", {1000, 200, 100, 20, 1024}, 0},
    {"max", {1002, 1003, 1003, 1003, 50}, 0},
    {"grade", {50, 30, 10, 5, 200}, 20},
};

bool number_parse(const char *text, int *value)
{
    char *end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || parsed < 0 || parsed > 1000000000)
        return false;
    *value = int(parsed);
    return true;
}

}  // namespace

std::string bench_options_parse(int argc, char **argv, bench_options *options)
{
    options->size = presets[0].size;
    options->preset = presets[0].name;
    const struct {
        const char *flag;
        int eval_size::*field;
    } sizes[] = {
        {"students", &eval_size::students}, {"single", &eval_size::single},
        {"multiple", &eval_size::multiple}, {"open", &eval_size::open},
        {"answer-bytes", &eval_size::answer_bytes},
    };
    QList<QCommandLineOption> known{QCommandLineOption(QStringLiteral("json")),
                                    QCommandLineOption(QStringLiteral("dir"), QString(), QStringLiteral("DIR")),
                                    QCommandLineOption(QStringLiteral("preset"), QString(), QStringLiteral("NAME"))};
    enum { json_option, dir_option, preset_option, first_size_option };
    for (const auto &size : sizes)
        known << QCommandLineOption(QString::fromLatin1(size.flag), QString(), QStringLiteral("N"));
    QCommandLineParser parser;
    parser.addOptions(known);
    const QStringList words = command_line_words(argc, argv);
    const int refused = command_line_parse(parser, words, false);

    // Each option in turn, so that a later one overrides an earlier one.
    bool custom = false;
    for (const command_line_option &found : command_line_options(parser, known)) {
        const std::string flag = "--" + known[found.option].names().first().toStdString();
        if (found.option == json_option) {
            options->json = true;
            continue;
        }
        if (!found.has_value)
            return "missing value after " + flag;
        const std::string value = command_line_bytes(found.value).toStdString();
        if (found.option == dir_option) {
            options->dir = value;
        } else if (found.option == preset_option) {
            const auto preset_found = std::find_if(std::begin(presets), std::end(presets),
                                                   [&](const preset &p) { return value == p.name; });
            if (preset_found == std::end(presets))
                return "unknown preset " + value;
            options->size = preset_found->size;
            options->preset = preset_found->name;
            options->classes = preset_found->classes;
        } else {
            if (!number_parse(value.c_str(), &(options->size.*sizes[found.option - first_size_option].field)))
                return flag + " takes a whole number, not " + value;
            custom = true;
        }
    }
    if (refused < words.size())
        return "unknown option " + command_line_bytes(words[refused]).toStdString();
    if (custom)
        options->preset = "custom";
    return {};
}

#include "report/command_line.h"

#include "store/file_name.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

QString word_of(const char *argument)
{
#ifdef Q_OS_WIN
    return QString::fromUtf8(argument);
#else
    return QString::fromLatin1(argument);
#endif
}

}  // namespace

QStringList command_line_words(int argc, const char *const *argv)
{
    QStringList words{argc > 0 ? word_of(argv[0]) : QString()};
    for (int i = 1; i < argc; ++i)
        words << word_of(argv[i]);
    return words;
}

QByteArray command_line_bytes(const QString &word)
{
#ifdef Q_OS_WIN
    return file_name_encode(word);
#else
    return word.toLatin1();
#endif
}

QStringList command_line_program_words(int argc, const char *const *argv)
{
#ifdef Q_OS_WIN
    Q_UNUSED(argc)
    Q_UNUSED(argv)
    return QCoreApplication::arguments();
#else
    return command_line_words(argc, argv);
#endif
}

namespace {

// Qt takes "-rank" for --rank and "--o" for -o; here, as in the usage texts, a one-letter
// option has one dash and a longer one two.
bool dashes_fit(const QCommandLineParser &parser, const QString &word)
{
    const bool two_dashes = word.startsWith(QLatin1String("--"));
    const QStringList names = parser.optionNames();
    return std::all_of(names.begin(), names.end(),
                       [&](const QString &name) { return (name.size() > 1) == two_dashes; });
}

}  // namespace

int command_line_parse(QCommandLineParser &parser, const QStringList &words, bool positional_taken)
{
    const QString program = words.value(0);
    int at = 1;
    while (at < words.size()) {
        const QString &word = words[at];
        const bool option =
            word.startsWith(QLatin1Char('-')) && word != QLatin1String("-") && word != QLatin1String("--");
        if (positional_taken && word == QLatin1String("--"))
            at = words.size();
        else if (!option && positional_taken)
            ++at;
        else if (option && parser.parse({program, word}) && dashes_fit(parser, word))
            ++at;
        else if (option && parser.parse({program, word, QString()}) && dashes_fit(parser, word))
            at += 2;   // the next word is its value
        else
            break;
    }
    const int refused = std::min(at, int(words.size()));
    parser.parse(words.mid(0, refused));
    return refused;
}

std::vector<command_line_option> command_line_options(const QCommandLineParser &parser,
                                                      const QList<QCommandLineOption> &options)
{
    std::vector<command_line_option> found;
    std::vector<int> seen(std::size_t(options.size()), 0);
    for (const QString &name : parser.optionNames()) {
        const auto option = std::find_if(options.begin(), options.end(),
                                         [&](const QCommandLineOption &o) { return o.names().contains(name); });
        const int index = int(option - options.begin());
        const QStringList values = parser.values(name);
        const int k = seen[std::size_t(index)]++;
        found.push_back({index, k < values.size(), values.value(k)});
    }
    return found;
}

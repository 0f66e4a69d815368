#pragma once
// Command lines read by QCommandLineParser, word by word in their order. An 8-bit path need not
// be valid in the locale's encoding (a GB18030 folder name under a UTF-8 locale), so each byte
// of a word travels as the one QChar of the same value: the parser sees the options' ASCII as
// typed, and every word it hands back turns into its bytes again. On Windows, where a name is
// UTF-16 and our 8-bit paths are UTF-8 (store/file_name.h), a word travels as its text.

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

// The program's arguments, its name first, as the parser takes them.
QStringList command_line_words(int argc, const char *const *argv);
// The running program's own arguments: argv, and on Windows the UTF-16 command line instead,
// since its argv holds the words in the ANSI code page, which cannot hold every name.
QStringList command_line_program_words(int argc, const char *const *argv);
// A word the parser handed back, as the bytes it was typed in.
QByteArray command_line_bytes(const QString &word);

// Parses the words up to the first one the parser refuses on its own: an unknown option, one
// with the wrong number of dashes ("-rank", "--o"), a value given to an option that takes
// none, or, unless positional words are taken, a word that is no option ("--" and "-"
// included). Returns that word's index, or words.size() when none is refused. The word after
// an option that takes a value is its value; with positional words taken, everything after
// "--" is one.
int command_line_parse(QCommandLineParser &parser, const QStringList &words, bool positional_taken);

// One option the parser found, in the command line's order.
struct command_line_option {
    int option;       // its index in the options given
    bool has_value;   // false only for a value missing at the end of the line
    QString value;
};
std::vector<command_line_option> command_line_options(const QCommandLineParser &parser,
                                                      const QList<QCommandLineOption> &options);

#pragma once
// The command line of lumo_report.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

struct report_options {
    bool help = false;                 // -h, --help: show the help and do nothing else
    bool ranking = false;              // --rank
    QByteArray out;                    // -o FILE, --output FILE, --output=FILE, -oFILE; as typed
    std::vector<QByteArray> folders;   // as typed; a lone "-" is one, and so is everything after "--"
    QString wrong;                     // the usage error, in Chinese; "" when there is none
};

// Reads the words (command_line_words: the program's name first) in their order: help or the
// first usage error met decides, as a teacher reads the line from its start.
report_options report_options_read(const QStringList &words);

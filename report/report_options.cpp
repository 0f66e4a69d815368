#include "report/report_options.h"

#include "report/command_line.h"
#include "store/local_text.h"

#include <QObject>

report_options report_options_read(const QStringList &words)
{
    QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")}, QString(),
                              QStringLiteral("file"));
    // "-oFILE" is -o with FILE as typed, a leading "=" included.
    output.setFlags(QCommandLineOption::ShortOptionStyle);
    const QList<QCommandLineOption> known{output, QCommandLineOption(QStringLiteral("rank")),
                                          QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")})};
    enum { output_option, rank_option, help_option };
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(known);
    const int refused = command_line_parse(parser, words, true);

    report_options options;
    const auto wrong = [&](const QString &what) {
        options.wrong = what;
        return options;
    };
    for (const command_line_option &found : command_line_options(parser, known)) {
        if (found.option == help_option) {
            options.help = true;
            return options;
        }
        if (found.option == rank_option) {
            options.ranking = true;
            continue;
        }
        if (!options.out.isEmpty())
            return wrong(QObject::tr("只能指定一个输出文件"));
        if (!found.has_value)
            return wrong(QObject::tr("%1 后缺少输出文件名").arg(words.last()));
        options.out = command_line_bytes(found.value);
        if (options.out.isEmpty())
            return wrong(QObject::tr("输出文件名不能为空"));
    }
    if (refused < words.size())
        return wrong(QObject::tr("未知选项 %1").arg(local_text_name(command_line_bytes(words[refused]))));
    if (options.out.isEmpty())
        return wrong(QObject::tr("缺少 -o 输出文件"));
    for (const QString &folder : parser.positionalArguments())
        options.folders.push_back(command_line_bytes(folder));
    if (options.folders.empty())
        return wrong(QObject::tr("缺少班级文件夹"));
    return options;
}

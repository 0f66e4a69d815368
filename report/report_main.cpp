// lumo_report: the exam office's report of a whole grade, from its classes' evaluation folders.

#include "report/command_line.h"
#include "report/console.h"
#include "report/grade_report.h"
#include "results/workbook_file.h"
#include "report/report_options.h"
#include "store/file_io.h"
#include "store/file_name.h"
#include "store/local_text.h"

#include <QCoreApplication>
#include <QObject>
#include <cstdio>

namespace {

const char usage_line[] = "用法：lumo_report [--rank] -o 年级报告.xlsx 班级文件夹...\n";

const char help_text[] =
    "用法：lumo_report [--rank] -o 年级报告.xlsx 班级文件夹...\n"
    "\n"
    "把一个年级各班的评测文件夹汇总成一份 Excel 工作簿（.xlsx）。\n"
    "每个班级文件夹按“打开评测”的方式读取（同样的检查、同样的提示），不会写入其中；\n"
    "选择题按答案重新评分，非选择题的得分取自 sc 文件夹中保存的成绩。班级名即文件夹名。\n"
    "各班必须是同一份试卷：题目数量、分值、部分得分和答案都相同；只有题目或参考答案的\n"
    "文字不同时给出警告，照常汇总。\n"
    "\n"
    "工作簿依次包含：\n"
    "  年级汇总      每班一行，最后一行“全年级”：参考人数、平均分、最高分、最低分、\n"
    "                及格率（≥60%满分）、优秀率（≥85%满分）、低分率（<40%满分）、\n"
    "                中位数、标准差、平均分名次和超均率，以及各班平均分的柱形图；\n"
    "  年级排名      （仅 --rank）全体学生按总分从高到低，含年级名次和班级名次，\n"
    "                总分相同者名次相同，下一名次顺延（1、2、2、4）；\n"
    "  每班三张表    “班级”成绩表、“班级成绩分析”、“班级试题分析”，与导出文件相同；\n"
    "                表名超过 31 个字符时截短，重名时加“~2”等。\n"
    "每张表都按 A4 横向、缩放到一页宽打印，每页重复表头，页眉写班级和表名，\n"
    "页脚写日期和页码。\n"
    "\n"
    "下列情况在标准错误上给出警告，报告照常写出：学生没有成绩文件（按0分计）、\n"
    "非选择题答卷尚未由老师评分（文件夹中记有评分情况时）、班级正在另一个窗口中打开\n"
    "（最新的成绩可能尚未保存）、文件有部分未能读取。\n"
    "\n"
    "选项：\n"
    "  -o, --output 文件   工作簿的文件名，须以 .xlsx 结尾；没有扩展名时自动加上\n"
    "  --rank              加入“年级排名”表\n"
    "  -h, --help          显示本说明\n"
    "\n"
    "退出状态：0 成功；1 有文件夹不存在或无法打开、试卷不一致或工作簿无法写入；\n"
    "2 用法错误（包括同一个文件夹给了两次、输出文件不是 .xlsx）。\n";

int usage_error(const QString &what)
{
    std::fprintf(stderr, "lumo_report：%s\n%s请用 lumo_report --help 查看说明。\n", what.toUtf8().constData(),
                 usage_line);
    return 2;
}

int failure(const QString &what)
{
    std::fprintf(stderr, "lumo_report：%s\n", what.toUtf8().constData());
    return 1;
}

// Whether path lies in folder or below it, both as the file system resolves them.
bool inside(const QByteArray &path, const QByteArray &folder)
{
    const QByteArray f = path_resolve(folder);
    const QByteArray p = path_resolve(path);
    if (f.isEmpty() || p.isEmpty())
        return false;
    return p == f || p.startsWith(f.endsWith('/') ? f : f + '/');
}

QByteArray folder_of(const QByteArray &file)
{
    const int slash = file.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : file.left(slash);
}

void warning_line(const QString &text)
{
    std::fputs(QObject::tr("lumo_report：警告：%1\n").arg(text).toUtf8().constData(), stderr);
}

// The window's list of what an open could not read whole. Its closing words are about saving,
// which the report never does, so they are left out.
void warning_print(const QString &folder, const listed_message &message)
{
    QString text = QObject::tr("lumo_report：警告：班级文件夹 %1：%2\n").arg(folder, message.head);
    for (const QString &item : message.items)
        text += QStringLiteral("  ") + item + QLatin1Char('\n');
    std::fputs(text.toUtf8().constData(), stderr);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool terminal = console_prepare();
    const report_options options = report_options_read(command_line_program_words(argc, argv));
    if (options.help) {
        std::fputs(help_text, stdout);
        return 0;
    }
    if (!options.wrong.isEmpty())
        return usage_error(options.wrong);
    const std::vector<QByteArray> &folders = options.folders;
    const QString named = file_name_decode(options.out);
    const QString extension = workbook_file_extension(named);
    if (workbook_file_format(named) != workbook_format::xlsx && !extension.isEmpty())
        return usage_error(QObject::tr("输出文件只能是 .xlsx 工作簿，不能是 .%1：%2").arg(extension, local_text_name(options.out)));
    const QByteArray out = file_name_encode(workbook_file_name(named, false));
    int earlier = -1;
    const int repeated = grade_classes_repeated(folders, &earlier);
    if (repeated >= 0)
        return usage_error(QObject::tr("班级文件夹 %1 与 %2 是同一个文件夹")
                               .arg(local_text_name(folders[std::size_t(repeated)]),
                                    local_text_name(folders[std::size_t(earlier)])));
    for (const QByteArray &folder : folders) {
        if (inside(folder_of(out), folder))
            return usage_error(QObject::tr("报告不能写在班级文件夹 %1 中").arg(local_text_name(folder)));
    }

    const auto progress = [&](int k, int n, const QByteArray &folder) {
        const QString line = QObject::tr("正在读取班级 %1/%2：%3").arg(k).arg(n).arg(local_text_name(folder));
        std::fprintf(stderr, "\r%s\033[K", line.toUtf8().constData());
        std::fflush(stderr);
    };
    const grade_report_outcome outcome =
        grade_report_write(folders, options.ranking, out, terminal ? grade_report_progress(progress) : nullptr);
    if (terminal)
        std::fputs("\r\033[K", stderr);
    for (const auto &warning : outcome.warnings)
        warning_print(warning.first, warning.second);
    for (const QString &warning : outcome.class_warnings)
        warning_line(warning);

    const grade_report_failure &f = outcome.failure;
    switch (f.what) {
    case grade_report_failure::kind::none:
        return 0;
    case grade_report_failure::kind::missing:
        return failure(QObject::tr("班级文件夹不存在：%1").arg(f.folders.value(0)));
    case grade_report_failure::kind::refused:
        return failure(QObject::tr("无法打开班级文件夹 %1：%2").arg(f.folders.value(0), f.reason));
    case grade_report_failure::kind::papers_differ:
        return failure(QObject::tr("下列班级文件夹的试卷或答案与 %1 的不同，未写出报告：\n  %2")
                           .arg(f.folders.join(QObject::tr("、")), f.differing.join(QStringLiteral("\n  "))));
    case grade_report_failure::kind::not_saved:
        return failure(QObject::tr("无法写入 %1：%2").arg(local_text_name(out), f.reason));
    }
    return 1;
}

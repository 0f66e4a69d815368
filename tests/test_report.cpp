// lumo_report run as the exam office runs it, on class folders built here.

#include "eval_fixture.h"
#include "report/command_line.h"
#include "report/report_options.h"
#include "sheet_reader.h"
#include "store/eval_lock.h"
#include "store/eval_marks.h"
#include "store/file_io.h"
#include "store/eval_open.h"

#include <QProcess>
#include <QtTest>
#include <cstdio>
#include <memory>

namespace {

// One single-choice question (full 4), one multiple-choice (full 4, partial 2) and one open
// question (full 2): F = 10, so a pass is T >= 6, excellent T >= 8.5, low T < 4.
const QByteArray paper = "1 1 1\n4 @一加一？ A. 2 B. 3$\n4 2 @哪些是偶数？ A. 2 B. 4 C. 5$\n2 @说明理由。$\n";
const QByteArray key = "1\n3\n@都能被二整除。$\n";

struct pupil {
    QByteArray name;
    int single;
    int multiple;
    const char *open_score;
};

// A class folder named name. The saved choice scores are wrong on purpose: the report
// grades the answers again, so only the open question's saved score counts.
std::unique_ptr<eval_fixture> class_folder(const QString &name, const std::vector<pupil> &pupils,
                                           const QByteArray &answer_key = key)
{
    auto fixture = std::make_unique<eval_fixture>();
    fixture->path = fixture->dir.path() + QLatin1Char('/') + name;
    QDir().mkpath(fixture->path);
    fixture->folders().paper(paper).key(answer_key);
    for (const pupil &p : pupils) {
        fixture->student(p.name + ".stu", QByteArray::number(p.single) + '\n' + QByteArray::number(p.multiple)
                                              + "\n@答案$\n");
        fixture->scores(p.name + ".stu", QByteArray("3.000\n1.000\n") + p.open_score + '\n');
    }
    return fixture;
}

// 甲班: 4+4+2 = 10, 4+2+1 = 7, 0+2+1.5 = 3.5.
// 乙班: 4+4+0 = 8, 0+0+2 = 2.
// 丙班: 4+2+2 = 8, 4+2+0 = 6, 0+4+2 = 6, 0+0+1 = 1.
std::vector<std::unique_ptr<eval_fixture>> three_classes()
{
    std::vector<std::unique_ptr<eval_fixture>> classes;
    classes.push_back(class_folder("甲班", {{"a1", 1, 3, "2.000"}, {"a2", 1, 1, "1.000"}, {"a3", 2, 2, "1.500"}}));
    classes.push_back(class_folder("乙班", {{"b1", 1, 3, "0.000"}, {"b2", 4, 4, "2.000"}}));
    classes.push_back(class_folder("丙班", {{"c1", 1, 1, "2.000"}, {"c2", 1, 1, "0.000"},
                                           {"c3", 2, 3, "2.000"}, {"c4", 2, 0, "1.000"}}));
    return classes;
}

struct run_result {
    int code = -1;
    QString err;
};

run_result report_run(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(LUMO_REPORT_PATH), arguments);
    process.waitForFinished(120000);
    // Windows ends the lines a program prints with CR LF.
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError().replace("\r\n", "\n"))};
}

QStringList folders_of(const std::vector<std::unique_ptr<eval_fixture>> &classes)
{
    QStringList folders;
    for (const auto &c : classes)
        folders << c->path;
    return folders;
}

// The options of lumo_report typed as these words.
report_options options_of(const QList<QByteArray> &arguments)
{
    std::vector<const char *> argv{"lumo_report"};
    for (const QByteArray &argument : arguments)
        argv.push_back(argument.constData());
    return report_options_read(command_line_words(int(argv.size()), argv.data()));
}

double number_of(const QString &cell)
{
    return cell.mid(1).section(QLatin1Char(' '), 0, 0).toDouble();
}

// A summary row read back: name, N, mean, highest, lowest, pass, excellent and low rates.
void summary_check(const QStringList &row, const QString &name, int n, double mean, double highest,
                   double lowest, double pass, double excellent, double low)
{
    QCOMPARE(row.value(0), name);
    QCOMPARE(number_of(row.value(1)), double(n));
    const double expected[] = {mean, highest, lowest, pass, excellent, low};
    for (int c = 2; c < 8; ++c)
        QVERIFY2(qAbs(number_of(row.value(c)) - expected[c - 2]) < 1e-5, qPrintable(row.join('|')));
    QVERIFY(row.value(2).endsWith(QLatin1String(" 0.000")));
    QVERIFY(row.value(5).endsWith(QLatin1String(" 0.0%")));
}

}  // namespace

class test_report : public QObject
{
    Q_OBJECT

private slots:
    void summary_and_class_sheets()
    {
        const auto classes = three_classes();
        QTemporaryDir out_dir;
        const QString out = out_dir.path() + QStringLiteral("/年级报告");
        const run_result run = report_run(QStringList{"-o", out} + folders_of(classes));
        QCOMPARE(run.code, 0);
        QCOMPARE(run.err, QString());   // nothing on stderr when it is no terminal

        const sheet_read summary = sheet_read_back(out + ".xlsx", 0);
        QVERIFY2(summary.error.isEmpty(), qPrintable(summary.error));
        QCOMPARE(summary.sheets, (QStringList{"年级汇总", "甲班", "甲班成绩分析", "甲班试题分析", "乙班", "乙班成绩分析",
                                              "乙班试题分析", "丙班", "丙班成绩分析", "丙班试题分析"}));
        QCOMPARE(summary.rows.value(0), (QStringList{"班级", "参考人数", "平均分", "最高分", "最低分", "及格率",
                                                     "优秀率", "低分率", "中位数", "标准差", "平均分名次", "超均率"}));
        QCOMPARE(summary.rows.size(), 5);
        // 甲班 20.5 / 3; passes 10, 7; excellent 10; low 3.5.
        summary_check(summary.rows[1], "甲班", 3, 20.5 / 3, 10, 3.5, 2.0 / 3, 1.0 / 3, 1.0 / 3);
        // 乙班 10 / 2; 8 passes but is not excellent (8 < 8.5); low 2.
        summary_check(summary.rows[2], "乙班", 2, 5, 8, 2, 0.5, 0, 0.5);
        // 丙班 21 / 4; passes 8, 6, 6; low 1.
        summary_check(summary.rows[3], "丙班", 4, 5.25, 8, 1, 0.75, 0, 0.25);
        // All nine: 51.5 / 9; passes 10, 7, 8, 8, 6, 6; excellent 10; low 3.5, 2, 1.
        summary_check(summary.rows[4], "全年级", 9, 51.5 / 9, 10, 1, 6.0 / 9, 1.0 / 9, 3.0 / 9);
        // 中位数, 标准差, the place by average (甲 6.833, 丙 5.25, 乙 5) and the share above the
        // grade's 51.5 / 9; none of the last two for the grade itself.
        const double grade = 51.5 / 9;
        QCOMPARE(number_of(summary.rows[1].value(8)), 7.0);
        QCOMPARE(number_of(summary.rows[2].value(9)), 3.0);   // 8 and 2, each 3 from 5
        QCOMPARE(summary.rows[1].value(10), QStringLiteral("=1 General"));
        QCOMPARE(summary.rows[2].value(10), QStringLiteral("=3 General"));
        QCOMPARE(summary.rows[3].value(10), QStringLiteral("=2 General"));
        QVERIFY(qAbs(number_of(summary.rows[2].value(11)) - (5 - grade) / grade) < 1e-5);
        QVERIFY(summary.rows[2].value(11).endsWith(QLatin1String(" 0.0%")));
        QCOMPARE(summary.rows[4].mid(10), (QStringList{"", ""}));
        QCOMPARE(summary.charts, 1);
        QCOMPARE(summary.frozen, QStringLiteral("A2"));
        QCOMPARE(summary.print.value("header").toString(), QStringLiteral("&L年级报告&R&A"));

        // 甲班's score table: the choice scores graded, the open score as saved.
        const sheet_read table = sheet_read_back(out + ".xlsx", 1);
        QCOMPARE(table.rows.value(1), (QStringList{"a1.stu", "=10 0.000", "=4 0.000", "=4 0.000", "=2 0.000"}));
        QCOMPARE(table.rows.value(3), (QStringList{"a3.stu", "=3.5 0.000", "=0 0.000", "=2 0.000", "=1.5 0.000"}));
        QCOMPARE(sheet_read_back(out + ".xlsx", 8).rows.value(0).value(1), QStringLiteral("=4 General"));   // 丙班 N
        QCOMPARE(sheet_read_back(out + ".xlsx", 9).charts, 1);
    }

    void ranking_with_equal_totals()
    {
        const auto classes = three_classes();
        QTemporaryDir out_dir;
        const QString out = out_dir.path() + QStringLiteral("/rank.xlsx");
        QCOMPARE(report_run(QStringList{"--rank", "-o", out} + folders_of(classes)).code, 0);
        const sheet_read ranking = sheet_read_back(out, 1);
        QCOMPARE(ranking.sheets.value(1), QStringLiteral("年级排名"));
        // 10, 8, 8, 7, 6, 6, 3.5, 2, 1; equal totals in the classes' order, then the students'.
        const QVector<QStringList> expected{
            {"班级", "学生", "总分", "年级名次", "班级名次"},
            {"甲班", "a1", "=10 0.000", "=1 General", "=1 General"},
            {"乙班", "b1", "=8 0.000", "=2 General", "=1 General"},
            {"丙班", "c1", "=8 0.000", "=2 General", "=1 General"},
            {"甲班", "a2", "=7 0.000", "=4 General", "=2 General"},
            {"丙班", "c2", "=6 0.000", "=5 General", "=2 General"},
            {"丙班", "c3", "=6 0.000", "=5 General", "=2 General"},
            {"甲班", "a3", "=3.5 0.000", "=7 General", "=3 General"},
            {"乙班", "b2", "=2 0.000", "=8 General", "=2 General"},
            {"丙班", "c4", "=1 0.000", "=9 General", "=4 General"},
        };
        QCOMPARE(ranking.rows, expected);
    }

    void refused_folder()
    {
        const auto classes = three_classes();
        eval_fixture no_key;
        no_key.folders().paper(paper).student("x.stu", "1\n3\n@答案$\n");
        const QString refusal = eval_open(no_key.folder()).refusal;   // what 打开评测 shows
        QVERIFY(!refusal.isEmpty());
        QTemporaryDir out_dir;
        const QString out = out_dir.path() + QStringLiteral("/r.xlsx");
        const run_result run = report_run({"-o", out, classes[0]->path, no_key.path, classes[1]->path});
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(no_key.path) && run.err.contains(refusal), qPrintable(run.err));
        QVERIFY(!QFile::exists(out));
    }

    void differing_papers()
    {
        // Listed first, the odd class is still the one named: the paper most classes share decides.
        const auto classes = three_classes();
        const auto other = class_folder("丁班", {{"d1", 1, 3, "2.000"}}, "2\n3\n@都能被二整除。$\n");
        QTemporaryDir out_dir;
        const QString out = out_dir.path() + QStringLiteral("/d.xlsx");
        const run_result run = report_run({"-o", out, other->path, classes[0]->path, classes[1]->path});
        QCOMPARE(run.code, 1);
        QCOMPARE(run.err, QStringLiteral("lumo_report：下列班级文件夹的试卷或答案与 %1、%2 的不同，未写出报告：\n"
                                         "  %3：第1道单选题的答案不同\n")
                              .arg(classes[0]->path, classes[1]->path, other->path));
        QVERIFY(!QFile::exists(out));

        // A reworded open question is the same paper: a warning, and the report is written.
        const auto reworded = class_folder("戊班", {{"e1", 1, 3, "2.000"}});
        reworded->paper(QByteArray(paper).replace("说明理由。", "说明理由！"));
        const run_result warned = report_run({"-o", out, classes[0]->path, reworded->path});
        QCOMPARE(warned.code, 0);
        QCOMPARE(warned.err, QStringLiteral("lumo_report：警告：戊班：试卷文字与甲班不同（仍按同一份试卷汇总）："
                                            "第1道非选择题的题目\n"));
        QVERIFY(QFile::exists(out));
    }

    // What the clerk must not miss: a score file missing, open answers not scored by hand, a
    // class open in a window. Each is named with its class; the report is written all the same.
    void warnings_name_the_class()
    {
        const auto classes = three_classes();
        QVERIFY(QFile::remove(classes[0]->path + "/sc/a2.stu"));
        eval_open_result opened = eval_open(classes[1]->folder());
        opened.eval.unch_scored[1][1] = 1;   // b1 scored by hand, b2 not
        QCOMPARE(file_replace(eval_marks_path(opened.eval), eval_marks_format(opened.eval)), QString());
        QCOMPARE(eval_lock_take(classes[2]->folder()), QString());   // this process holds it
        QTemporaryDir out_dir;
        const QString out = out_dir.path() + QStringLiteral("/w.xlsx");
        const run_result run = report_run(QStringList{"-o", out} + folders_of(classes));
        eval_lock_release(classes[2]->folder());
        QCOMPARE(run.code, 0);
        QCOMPARE(run.err, QStringLiteral("lumo_report：警告：甲班：1名学生没有成绩文件（按0分计）：a2\n"
                                         "lumo_report：警告：乙班：1份非选择题答卷尚未由老师评分，涉及1名学生：b2\n"
                                         "lumo_report：警告：丙班：正在另一个窗口中打开（进程号%1），最新的成绩可能尚未保存\n")
                              .arg(QCoreApplication::applicationPid()));
        QVERIFY(QFile::exists(out));
    }

    void wrong_usage()
    {
        const auto classes = three_classes();
        QCOMPARE(report_run({}).code, 2);
        QCOMPARE(report_run({classes[0]->path}).code, 2);                  // no -o
        QCOMPARE(report_run({"-o", "x.xlsx"}).code, 2);                    // no folder
        QCOMPARE(report_run({"--bogus", "-o", "x.xlsx", classes[0]->path}).code, 2);
        QCOMPARE(report_run({"-o", classes[0]->path + "/in.xlsx", classes[0]->path}).code, 2);
        QVERIFY(!QFile::exists(classes[0]->path + "/in.xlsx"));
        QVERIFY(!report_run({"--help"}).code);

        QTemporaryDir out_dir;
        const QString out = out_dir.path() + QStringLiteral("/年级报告.xls");
        run_result run = report_run({"-o", out, classes[0]->path});
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.startsWith(QStringLiteral("lumo_report：输出文件只能是 .xlsx 工作簿，不能是 .xls：%1\n").arg(out)),
                 qPrintable(run.err));
        QVERIFY(QDir(out_dir.path()).isEmpty());

        // The same folder by another path: its students would count twice.
        run = report_run({"-o", out_dir.path() + "/r", classes[0]->path, classes[1]->path, classes[0]->path + "/."});
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.startsWith(QStringLiteral("lumo_report：班级文件夹 %1/. 与 %1 是同一个文件夹\n")
                                        .arg(classes[0]->path)),
                 qPrintable(run.err));

        run = report_run({"-o", out_dir.path() + "/r", classes[0]->path, classes[0]->path + "班"});
        QCOMPARE(run.code, 1);
        QCOMPARE(run.err, QStringLiteral("lumo_report：班级文件夹不存在：%1班\n").arg(classes[0]->path));
        QVERIFY(QDir(out_dir.path()).isEmpty());
    }

    void command_lines()
    {
        // Every form of -o; a lone "-" and everything after "--" are folders, their bytes as typed.
#ifdef Q_OS_WIN
        const QByteArray gb = "甲班";   // on Windows an 8-bit word is UTF-8
#else
        const QByteArray gb = "\xbc\xd7\xb0\xe0";   // 甲班 in GB18030, not valid UTF-8
#endif
        const report_options read = options_of({"-or.xlsx", "--rank", gb, "-", "--", "-h", "--rank"});
        QCOMPARE(read.wrong, QString());
        QVERIFY(read.ranking && !read.help);
        QCOMPARE(read.out, QByteArray("r.xlsx"));
        QCOMPARE(read.folders, (std::vector<QByteArray>{gb, "-", "-h", "--rank"}));
        QCOMPARE(options_of({"--output=a.xlsx", "x"}).out, QByteArray("a.xlsx"));

        // Help or the first usage error decides, as the line reads from its start.
        QVERIFY(options_of({"--help", "--bogus"}).help);
        QCOMPARE(options_of({"--bogus", "--help"}).wrong, QStringLiteral("未知选项 --bogus"));
        QCOMPARE(options_of({"-rank"}).wrong, QStringLiteral("未知选项 -rank"));   // one dash, one letter
        QCOMPARE(options_of({"--rank=1"}).wrong, QStringLiteral("未知选项 --rank=1"));
        QCOMPARE(options_of({"-o", "a", "--output=b", "x"}).wrong, QStringLiteral("只能指定一个输出文件"));
        QCOMPARE(options_of({"--output=", "-o", "a"}).wrong, QStringLiteral("输出文件名不能为空"));
        QCOMPARE(options_of({"x", "--output"}).wrong, QStringLiteral("--output 后缺少输出文件名"));
    }

    // A folder named in GB18030 (copied from a Chinese Windows) under a UTF-8 locale reaches
    // the report as its bytes, and its class is named as the teacher reads it.
    void folder_named_in_gb18030()
    {
#ifdef Q_OS_WIN
        QSKIP("a Windows name is UTF-16: summary_and_class_sheets passes Chinese folder names");
#endif
        const auto cls = class_folder("x", {{"a1", 1, 3, "2.000"}});
        const QByteArray parent = file_name_encode(cls->dir.path());
        QCOMPARE(std::rename((parent + "/x").constData(), (parent + "/\xbc\xd7\xb0\xe0").constData()), 0);
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(cls->dir.path());
        // A QString argument cannot carry the name; the shell passes its bytes on.
        process.start(QStringLiteral("/bin/sh"),
                      {"-c", "exec \"$0\" -o r.xlsx \"$(printf '\\274\\327\\260\\340')\"", LUMO_REPORT_PATH});
        QVERIFY(process.waitForFinished(120000));
        QCOMPARE(process.readAllStandardError(), QByteArray());
        QCOMPARE(process.exitCode(), 0);
        const sheet_read summary = sheet_read_back(cls->dir.filePath("r.xlsx"));
        QCOMPARE(summary.sheets.value(1), QStringLiteral("甲班"));
        QCOMPARE(summary.rows.value(1).value(0), QStringLiteral("甲班"));
    }

    void unwritable_workbook()
    {
        const auto classes = three_classes();
        const QString out = classes[0]->dir.path() + QStringLiteral("/无此文件夹/r.xlsx");
        const run_result run = report_run({"-o", out, classes[0]->path});
        QCOMPARE(run.code, 1);
        // Our reason alone: libxlsxwriter's own "[ERROR] ..." line stays off the terminal.
        QCOMPARE(run.err, QStringLiteral("lumo_report：无法写入 %1：文件或文件夹不存在\n").arg(out));
    }
};

QTEST_GUILESS_MAIN(test_report)
#include "test_report.moc"

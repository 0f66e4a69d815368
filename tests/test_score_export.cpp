#include "file_size_limit.h"
#include "results/score_export.h"
#include "results/sheet_name.h"
#include "results/workbook_file.h"
#include "sheet_reader.h"
#include "store/file_io.h"
#include "store/file_name.h"

#include <QtTest>
#include <limits>
#include <optional>

namespace {

const QStringList headers{"学生文件名", "总分", "单选题1", "非选择题1"};

score_sheet_row sheet_row(const QString &name, double total, std::vector<double> scores)
{
    score_sheet_row row;
    row.name = name;
    row.total = total;
    row.scores = std::move(scores);
    return row;
}

// Two students as the statistics leave them, with figures that need rounding or keep a sign.
score_sheet two_students()
{
    score_sheet sheet;
    sheet.rows.push_back(sheet_row(QStringLiteral("张三.stu"), 0.6668, {12.3456, -0.5}));
    sheet.rows.push_back(sheet_row(QStringLiteral("李四.stu"), -0.0001, {0, 1.0 / 3}));
    return sheet;
}

// "=" and every digit of a number cell's value.
QString number(double value)
{
    return QStringLiteral("=") + QString::number(value, 'g', 17);
}

// "" for an empty cell, the text of a text cell, number() of a number cell.
QStringList cell_texts(const workbook_row &row)
{
    QStringList texts;
    for (const workbook_cell &cell : row) {
        if (cell.kind == workbook_cell::type::number)
            texts << number(cell.number);
        else
            texts << (cell.kind == workbook_cell::type::text ? cell.text : QString());
    }
    return texts;
}

QString contents_of(const QString &path)
{
    QByteArray contents;
    const QString failure = file_read_all(file_name_encode(path), 1 << 30, &contents);
    return failure.isEmpty() ? QString::fromUtf8(contents) : failure;
}

}  // namespace

class test_score_export : public QObject
{
    Q_OBJECT

private slots:
    void file_names()
    {
        QCOMPARE(workbook_file_name("/tmp/a", true), QStringLiteral("/tmp/a.xlsx"));
        QCOMPARE(workbook_file_name("/tmp/a.csv", true), QStringLiteral("/tmp/a.csv.xlsx"));
        QCOMPARE(workbook_file_name("/tmp/a.xlsx", true), QStringLiteral("/tmp/a.xlsx"));
        QCOMPARE(workbook_file_name("/tmp/a.XLS", true), QStringLiteral("/tmp/a.XLS"));
        QCOMPARE(workbook_file_name("/tmp/成绩.Xlsx", true), QStringLiteral("/tmp/成绩.Xlsx"));
        // Only ASCII letters fold: "ſ" is no "s", though Qt's case folding takes it for one.
        QCOMPARE(workbook_file_name("/tmp/a.xlſ", true), QStringLiteral("/tmp/a.xlſ.xlsx"));
        // The grade's report is .xlsx alone.
        QCOMPARE(workbook_file_name("/tmp/a.XLS", false), QStringLiteral("/tmp/a.XLS.xlsx"));
        // An extension is letters and digits after the last dot, one of them a letter.
        QCOMPARE(workbook_file_extension("/tmp/年级报告.xls"), QStringLiteral("xls"));
        QCOMPARE(workbook_file_extension("/tmp/a.b/report.v2"), QStringLiteral("v2"));
        for (const char *none : {"/tmp/a.b/report", "/tmp/2024.06", "/tmp/2024.06期末", "/tmp/a."})
            QCOMPARE(workbook_file_extension(QString::fromUtf8(none)), QString());
        // A byte path in GB18030 (成绩) is written in the format its name asks for.
        QVERIFY(workbook_file_format(QByteArray("/tmp/\xb3\xc9\xbc\xa8.Xls")) == workbook_format::xls);
    }

    void figures_become_numbers_as_the_table_shows_them()
    {
        score_sheet filled = two_students();
        filled.rows.push_back(sheet_row(QStringLiteral("王五.stu"), -0.0, {std::numeric_limits<double>::infinity(), 7}));
        const workbook_sheet sheet = score_export_table_sheet(headers, filled);
        QCOMPARE(int(sheet.rows.size()), 4);
        // Each number is the one its three-decimal text stands for, exactly.
        QCOMPARE(cell_texts(sheet.rows[1]), QStringList({"张三.stu", number(0.667), number(12.346), number(-0.5)}));
        // A negative zero would lose its sign as a number, so "-0.000" stays text.
        QCOMPARE(cell_texts(sheet.rows[2]), QStringList({"李四.stu", "-0.000", number(0), number(0.333)}));
        QCOMPARE(cell_texts(sheet.rows[3]), QStringList({"王五.stu", "-0.000", "inf", number(7)}));
        // Wide enough for the longest name and score, a Chinese character counting two.
        QCOMPARE(sheet.widths, (std::vector<double>{11, 7, 8, 10}));
        QCOMPARE(sheet.frozen_rows, 1);
    }

    void saved_workbooks_read_back_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("students");
        QTest::addColumn<QStringList>("expected");   // one row per entry, cells joined by '|'
        const QStringList figures{"学生文件名|总分|单选题1|非选择题1",
                                  "张三.stu|=0.667 0.000|=12.346 0.000|=-0.5 0.000",
                                  "李四.stu|-0.000|=0 0.000|=0.333 0.000"};
        const QStringList header_only{"学生文件名|总分|单选题1|非选择题1"};
        QTest::newRow("xlsx") << "成绩.xlsx" << true << figures;
        QTest::newRow("xls") << "成绩.xls" << true << figures;
        QTest::newRow("xlsx without rows") << "header.xlsx" << false << header_only;
        QTest::newRow("xls without rows") << "header.xls" << false << header_only;
    }

    void saved_workbooks_read_back()
    {
        QFETCH(QString, name);
        QFETCH(bool, students);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        const score_sheet figures = students ? two_students() : score_sheet();
        QCOMPARE(workbook_file_save(file_name_encode(path), {score_export_table_sheet(headers, figures)}), QString());
        const sheet_read sheet = sheet_read_back(path);
        QCOMPARE(sheet.error, QString());
        QStringList got;
        for (const QStringList &row : sheet.rows)
            got << row.join('|');
        QCOMPARE(got, expected);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{name});
    }

    void failed_save_keeps_the_old_file_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("full_disk");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("reason");   // a part of the reason; "" for the system's own
        QTest::newRow("xlsx, disk full") << "old.xlsx" << 4 << true << "" << "文件太大";
        QTest::newRow("xls, disk full") << "old.xls" << 4 << true << "" << "文件太大";
        QTest::newRow("xls, too wide") << "old.xls" << 300 << false << "" << "256";
        // Both formats refuse the names Excel would.
        QTest::newRow("xlsx, History") << "old.xlsx" << 4 << false << "history" << "工作表名称“history”";
        QTest::newRow("xls, History") << "old.xls" << 4 << false << "history" << "工作表名称“history”";
    }

    void failed_save_keeps_the_old_file()
    {
        QFETCH(QString, name);
        QFETCH(int, columns);
        QFETCH(bool, full_disk);
        QFETCH(QString, sheet);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QCOMPARE(file_replace(file_name_encode(path), "previous workbook"), QString());
        QStringList labels = headers;
        while (labels.size() < columns)
            labels << QStringLiteral("非选择题%1").arg(labels.size() - 2);
        workbook_sheet table = score_export_table_sheet(labels, score_sheet());
        table.name = sheet;

        QString failure;
        {
            // Both formats take more than 100 bytes, so the first write past them fails.
#ifdef Q_OS_WIN
            if (full_disk)
                QSKIP("a full disk is a file size limit here, which Windows lacks");
#else
            std::optional<file_size_limit> disk;
            if (full_disk)
                disk.emplace(100);
#endif
            failure = workbook_file_save(file_name_encode(path), {table});
        }
        QVERIFY(!failure.isEmpty());
        QVERIFY2(failure.contains(reason), qPrintable(failure));
        QCOMPARE(contents_of(path), QStringLiteral("previous workbook"));
        // No temporary file is left beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{name});
    }

    // The system's own reason, whichever writer fails: a name too long is no permission problem.
    void failure_names_its_reason_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("reason");
        const QString long_name(300, QLatin1Char('n'));
        for (const char *extension : {".xlsx", ".xls"}) {
            QTest::newRow(extension) << "missing/成绩" + QString(extension) << "文件或文件夹不存在";
            QTest::newRow(extension) << long_name + "/成绩" + extension << "文件名太长";
            QTest::newRow(extension) << long_name + extension << "文件名太长";
        }
    }

    void failure_names_its_reason()
    {
        QFETCH(QString, relative);
        QTemporaryDir dir;
        const workbook book{score_export_table_sheet(headers, two_students())};
        QTEST(workbook_file_save(file_name_encode(dir.filePath(relative)), book), "reason");
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    void sheet_names_follow_excel_rules()
    {
        const QString emoji = QString::fromUtf8("😀");   // two UTF-16 code units, as Excel counts
        workbook book(2);
        const QString refused[] = {"成绩/分析", "a[1]", "b]", "c:", "d*", "e?", "f\\", QString(32, 'x'),
                                   emoji.repeated(15) + "xy", "'分析", "分析'", "'", "History", "hISTORY"};
        for (const QString &name : refused) {
            book[1].name = name;
            QCOMPARE(sheet_name_check(book),
                     "工作表名称“" + name + "”不能用在 Excel 工作簿中：名称最多31个字符，不能含有 [ ] : * ? / \\ "
                                           "这些字符，不能以单引号开头或结尾，也不能是 History。");
        }
        for (const QString &name : {QString(31, 'x'), emoji.repeated(15) + "x", QString("分'析"), QString("History2")}) {
            book[1].name = name;
            QCOMPARE(sheet_name_check(book), QString());
        }
        // Alike whatever the case, also with the default name of the first sheet.
        book[1].name = "SHEET1";
        QCOMPARE(sheet_name_check(book), "工作簿中有两个工作表都叫“SHEET1”，Excel 工作簿中的工作表名称不能相同（不区分大小写）。");

        QStringList taken{"年级汇总"};
        QCOMPARE(sheet_name_make("a/b[1]:*?\\", QString(), &taken), QStringLiteral("a_b_1_____"));
        QCOMPARE(sheet_name_make("A_B_1_____", QString(), &taken), QStringLiteral("A_B_1_____~2"));
        QCOMPARE(sheet_name_make("年级汇总", QString(), &taken), QStringLiteral("年级汇总~2"));
        QCOMPARE(sheet_name_make("history", QString(), &taken), QStringLiteral("history~2"));   // Excel's own
        QCOMPARE(sheet_name_make("History", "成绩分析", &taken), QStringLiteral("History成绩分析"));
        QCOMPARE(sheet_name_make("'一班'", QString(), &taken), QStringLiteral("_一班_"));
        QCOMPARE(sheet_name_make(QString(), QString(), &taken), QStringLiteral("_"));
        const QString long_name(40, 'x');
        QCOMPARE(sheet_name_make(long_name, "成绩分析", &taken), QString(27, 'x') + "成绩分析");
        QCOMPARE(sheet_name_make(long_name, "成绩分析", &taken), QString(25, 'x') + "~2成绩分析");
        // Cut to 31 code units without splitting a pair.
        QCOMPARE(sheet_name_make(emoji.repeated(20), QString(), &taken), emoji.repeated(15));
        workbook made(taken.size());
        for (int i = 0; i < taken.size(); ++i)
            made[i].name = taken[i];
        QCOMPARE(sheet_name_check(made), QString());
    }
};

QTEST_GUILESS_MAIN(test_score_export)
#include "test_score_export.moc"

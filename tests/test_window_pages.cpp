// The choice page, the statistics and the export as the teacher reaches them through the
// window; the rules behind them are tested in memory by test_choice_grading, test_score_sheet
// and test_score_export.

#include "app/grading_log.h"
#include "eval_fixture.h"
#include "results/score_export.h"
#include "results/workbook_file.h"
#include "sheet_reader.h"
#include "window_driver.h"

#include <QAbstractTextDocumentLayout>
#include <QDoubleSpinBox>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

namespace {

QList<int> progress_values(QSignalSpy &spy)
{
    QList<int> values;
    for (const QList<QVariant> &arguments : spy)
        values << arguments.at(0).toInt();
    return values;
}

QStringList row_texts(QTableWidget *table, int r)
{
    QStringList texts;
    for (int c = 0; c < table->columnCount(); ++c)
        texts << (table->item(r, c) ? table->item(r, c)->text() : QStringLiteral("<none>"));
    return texts;
}

QStringList header_labels(QTableWidget *table)
{
    QStringList labels;
    for (int c = 0; c < table->columnCount(); ++c)
        labels << (table->horizontalHeaderItem(c) ? table->horizontalHeaderItem(c)->text() : QString());
    return labels;
}

// Two single-choice questions, one non-choice question, three students.
void two_zero_one(eval_fixture &eval)
{
    eval.folders()
        .paper("2 0 1\n2 @a$ 2 @b$ 10 @c$")
        .key("1 2 @r$")
        .student("1.stu", "1 2 @x$").scores("1.stu", "2\n2\n8.5\n")
        .student("2.stu", "1 1 @y$")
        .student("张三.stu", "0 2 @z$").scores("张三.stu", "0\n2\n10.5\n");
}

QStringList directory_entries(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

}  // namespace

class test_window_pages : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // The export's file dialog starts in ".": keep whatever lands there out of the build.
        QVERIFY(m_cwd.isValid());
        QDir::setCurrent(m_cwd.path());
    }

    void grading_shows_progress_log_and_scores()
    {
        window_driver d;
        eval_fixture eval;
        two_one_one(eval).scores("张三.stu", "0\n0\n0\n7.5\n");   // a non-choice score given earlier
        QCOMPARE(d.open(eval.path), QStringList());
        QSignalSpy progress(d.find<QProgressBar>("jingdu"), &QProgressBar::valueChanged);
        d.click("test_ch");

        QCOMPARE(d.label("pingce"), QStringLiteral("评测完成"));
        // Ends at 100: nothing changes the bar after the last value.
        QCOMPARE(progress_values(progress), QList<int>({11, 22, 33, 44, 55, 66, 77, 88, 100}));
        const QStringList expected{
            "张三.stu 第 1 道单选题选择了 B，答案是 B 得分 2.000 分",
            "张三.stu 第 2 道单选题选择了 A，答案是 A 得分 2.000 分",
            "张三.stu 第 1 道多选题选择了 AC，答案是 AC 得分 4.000 分",
            "李四.stu 第 1 道单选题选择了 C，答案是 B 得分 0.000 分",
            "李四.stu 第 2 道单选题选择了 B，答案是 A 得分 0.000 分",
            "李四.stu 第 1 道多选题选择了 A，答案是 AC 得分 2.000 分",
            "王五.stu 第 1 道单选题选择了 B，答案是 B 得分 2.000 分",
            "王五.stu 第 2 道单选题选择了 A，答案是 A 得分 2.000 分",
            "王五.stu 第 1 道多选题选择了 ，答案是 AC 得分 0.000 分",
        };
        auto *log = d.find<QTextBrowser>("ch_ifm_show");
        QCOMPARE(log->toPlainText(), expected.join('\n'));
        QCOMPARE(log->document()->blockCount(), 3);   // a paragraph per student

        // The window's evaluation holds the grades; the manual score is left alone.
        auto *table = d.find<QTableWidget>("score_show");
        const QStringList graded[] = {{"张三.stu", "15.500", "2.000", "2.000", "4.000", "7.500"},
                                      {"李四.stu", "2.000", "0.000", "0.000", "2.000", "0.000"},
                                      {"王五.stu", "4.000", "2.000", "2.000", "0.000", "0.000"}};
        d.click("servey");
        for (int r = 0; r < 3; ++r)
            QCOMPARE(row_texts(table, r), graded[r]);

        d.click("test_ch");   // a second run appends the same block again
        QCOMPARE(log->toPlainText(), expected.join('\n') + '\n' + expected.join('\n'));
        QCOMPARE(log->document()->blockCount(), 6);
        d.click("servey");
        for (int r = 0; r < 3; ++r)
            QCOMPARE(row_texts(table, r), graded[r]);
    }

    void grading_log_keeps_earlier_lines_above()
    {
        QTextBrowser log;
        grading_log_append(&log, QString(), 1);
        QVERIFY(log.document()->isEmpty());
        grading_log_append(&log, QStringLiteral("one\ntwo\n"), 2);
        grading_log_append(&log, QStringLiteral("<b>three</b>\n"), 1);
        QCOMPARE(log.toPlainText(), QStringLiteral("one\ntwo\n<b>three</b>"));
        QCOMPARE(log.document()->blockCount(), 2);
        QCOMPARE(log.document()->firstBlock().text(), QStringLiteral("one") + QChar(QChar::LineSeparator) + QStringLiteral("two"));
    }

    void a_paragraph_holds_one_student_at_most_64_lines()
    {
        const QChar separator = QChar::LineSeparator;
        QString four = QStringLiteral("a\nb\nc\nd\n");
        grading_log_paragraphs(four, 2);
        QCOMPARE(four, QStringLiteral("a%1b\nc%1d\n").arg(separator));
        QString lines;
        for (int i = 1; i <= 130; ++i)
            lines += QStringLiteral("%1\n").arg(i);
        grading_log_paragraphs(lines, 130);
        const QStringList paragraphs = lines.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(paragraphs.size(), 3);   // 64 + 64 + 2 lines
        QCOMPARE(paragraphs[1].split(separator).first(), QStringLiteral("65"));
    }

    void appended_lines_are_laid_out_as_if_set_at_once()
    {
        QString lines;
        for (int i = 1; i <= 2000; ++i)
            lines += QStringLiteral("%1.stu 第 %1 道单选题选择了 A，答案是 B 得分 0.000 分\n").arg(i);
        QTextBrowser log;
        log.resize(400, 300);
        log.show();
        grading_log_append(&log, lines, 1);
        const QSizeF page_size = log.document()->pageSize();
        QVERIFY(page_size.width() > 0);
        log.document()->documentLayout()->documentSize();   // the first run fully laid out
        grading_log_append(&log, lines, 1);

        QTextBrowser whole;
        whole.resize(400, 300);
        whole.show();
        whole.setPlainText(lines + lines.left(lines.size() - 1));
        QCOMPARE(log.document()->pageSize(), page_size);
        QCOMPARE(log.document()->blockCount(), 4000);
        QCOMPARE(log.toPlainText(), whole.toPlainText());
        QCOMPARE(log.document()->documentLayout()->documentSize(), whole.document()->documentLayout()->documentSize());
    }

    void statistics_fill_the_table_data()
    {
        QTest::addColumn<QByteArray>("paper");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArrayList>("students");   // name, answers, scores ("" for no score file)
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QStringList>("rows");          // cells joined by '|'
        QTest::addColumn<int>("reported");              // the open's messages
        QTest::newRow("totals summed unrounded")
            << QByteArray("0 0 2\n1 @a$ 1 @b$") << QByteArray("@r$ @s$")
            << QByteArrayList{"a.stu", "@x$ @y$", "0.3334\n0.3334\n"}
            << QStringList{"学生文件名", "总分", "非选择题1", "非选择题2"} << QStringList{"a.stu|0.667|0.333|0.333"} << 0;
        // A saved score below 0 is reported at open, and counts as it is.
        QTest::newRow("columns follow the kinds")
            << QByteArray("0 2 1\n4 2 @a$ 4 2 @b$ 10 @c$") << QByteArray("1 1 @r$")
            << QByteArrayList{"张三.stu", "1 1 @x$", "2.5\n0\n-0.5\n", "李四.stu", "1 1 @x$", ""}
            << QStringList{"学生文件名", "总分", "多选题1", "多选题2", "非选择题1"}
            << QStringList{"张三.stu|2.000|2.500|0.000|-0.500", "李四.stu|0.000|0.000|0.000|0.000"} << 1;
        QTest::newRow("no questions") << QByteArray("0 0 0") << QByteArray("") << QByteArrayList{"a.stu", "", ""}
                                      << QStringList{"学生文件名", "总分"} << QStringList{"a.stu|0.000"} << 0;
        // A right-to-left override would show "\u202e三张.stu" as another student's name.
        QTest::newRow("names show what could forge them")
            << QByteArray("0 0 0") << QByteArray("") << QByteArrayList{"\xe2\x80\xae三张.stu", "", ""}
            << QStringList{"学生文件名", "总分"} << QStringList{QString::fromUtf8("\xef\xbf\xbd三张.stu|0.000")} << 0;
    }

    void statistics_fill_the_table()
    {
        QFETCH(QByteArray, paper);
        QFETCH(QByteArray, key);
        QFETCH(QByteArrayList, students);
        QFETCH(QStringList, headers);
        QFETCH(QStringList, rows);
        QFETCH(int, reported);
        window_driver d;
        eval_fixture eval;
        eval.folders().paper(paper).key(key);
        for (int i = 0; i + 2 < students.size(); i += 3) {
            eval.student(students[i], students[i + 1]);
            if (!students[i + 2].isEmpty())
                eval.scores(students[i], students[i + 2]);
        }
        QCOMPARE(d.open(eval.path).size(), reported);
        d.click("servey");
        auto *table = d.find<QTableWidget>("score_show");
        QCOMPARE(header_labels(table), headers);
        QStringList shown;
        for (int r = 0; r < table->rowCount(); ++r)
            shown << row_texts(table, r).join('|');
        QCOMPARE(shown, rows);
        QCOMPARE(d.dialogs->take_calls().size(), std::size_t(0));   // the statistics ask nothing
    }

    void statistics_follow_the_changes()
    {
        window_driver d;
        eval_fixture eval;
        two_one_one(eval);
        d.open(eval.path);
        d.click("test_ch");
        d.click("servey");
        auto *table = d.find<QTableWidget>("score_show");
        QTableWidgetItem *const first_item = table->item(1, 5);
        const QStringList before = row_texts(table, 1);
        QCOMPARE(before, QStringList({"李四.stu", "2.000", "0.000", "0.000", "2.000", "0.000"}));
        d.click("servey");
        QCOMPARE(row_texts(table, 1), before);
        QCOMPARE(table->item(1, 5), first_item);   // items are reused

        d.find<QTabWidget>("tabWidget")->setCurrentIndex(2);
        d.click("next_stu");
        d.find<QDoubleSpinBox>("unch_score_in")->setValue(7.5);
        d.click("save_score");
        d.click("servey");
        QStringList after = before;
        after[1] = "9.500";
        after[5] = "7.500";
        QCOMPARE(row_texts(table, 1), after);
        QCOMPARE(row_texts(table, 0)[1], QStringLiteral("8.000"));
    }

    void export_asks_for_the_file()
    {
        window_driver d;
        eval_fixture eval;
        two_zero_one(eval);
        d.open(eval.path);
        d.click("out_file");   // cancelled
        const std::vector<dialog_call> calls = d.dialogs->take_calls();
        QCOMPARE(calls.size(), std::size_t(1));
        QCOMPARE(calls[0].kind, dialog_kind::save_file);
        QCOMPARE(calls[0].text, QStringLiteral("指定导出成绩表格文件"));
#ifdef Q_OS_WIN
        QCOMPARE(calls[0].dir, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        QCOMPARE(calls[0].filter, QStringLiteral("Excel(*.xlsx *.xls)"));
#else
        QCOMPARE(calls[0].dir, QStringLiteral("."));
        QCOMPARE(calls[0].filter, QStringLiteral("Excel(*.xls *.xlsx)"));
#endif
        QCOMPARE(directory_entries(m_cwd.path()), QStringList());
    }

    void exported_workbooks_read_back_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("xlsx") << "成绩.xlsx";
        QTest::newRow("xls") << "成绩.xls";
        QTest::newRow("no extension") << "成绩";
    }

    void exported_workbooks_read_back()
    {
        QFETCH(QString, name);
        window_driver d;
        eval_fixture eval;
        two_zero_one(eval);
        d.open(eval.path);
        d.click("servey");
        d.dialogs->queue_save_file(m_cwd.path() + '/' + name);
        d.click("out_file");
        QCOMPARE(d.dialogs->take_messages(), QStringList());   // success is silent

        const sheet_read sheet = sheet_read_back(workbook_file_name(m_cwd.path() + '/' + name, true));
        QCOMPARE(sheet.error, QString());
        const QVector<QStringList> expected{
            {"学生文件名", "总分", "单选题1", "单选题2", "非选择题1"},
            {"1.stu", "=12.5 0.000", "=2 0.000", "=2 0.000", "=8.5 0.000"},
            {"2.stu", "=0 0.000", "=0 0.000", "=0 0.000", "=0 0.000"},
            {"张三.stu", "=12.5 0.000", "=0 0.000", "=2 0.000", "=10.5 0.000"},
        };
        QCOMPARE(sheet.rows, expected);
    }

    void export_brings_the_table_up_to_date()
    {
        window_driver d;
        eval_fixture eval;
        two_zero_one(eval);
        d.open(eval.path);
        // Before 统计成绩: the export fills the table first, and shows it.
        d.dialogs->queue_save_file(m_cwd.path() + "/fresh.xlsx");
        d.click("out_file");
        auto *table = d.find<QTableWidget>("score_show");
        QCOMPARE(row_texts(table, 0).join('|'), QStringLiteral("1.stu|12.500|2.000|2.000|8.500"));
        sheet_read sheet = sheet_read_back(m_cwd.path() + "/fresh.xlsx");
        QCOMPARE(sheet.error, QString());
        QCOMPARE(sheet.rows.value(1).value(1), QStringLiteral("=12.5 0.000"));

        // A score changed since: exported as it is now, not as the table showed it.
        d.click("test_ch");
        d.dialogs->queue_save_file(m_cwd.path() + "/changed.xlsx");
        d.click("out_file");
        sheet = sheet_read_back(m_cwd.path() + "/changed.xlsx");
        QCOMPARE(sheet.rows.value(2).value(1), QStringLiteral("=2 0.000"));
        QCOMPARE(row_texts(table, 1).join('|'), QStringLiteral("2.stu|2.000|2.000|0.000|0.000"));
    }

    void export_failure_is_reported()
    {
        window_driver d;
        eval_fixture eval;
        two_zero_one(eval);
        d.open(eval.path);
        d.click("servey");
        d.dialogs->queue_save_file(m_cwd.path() + "/missing/成绩.xlsx");
        d.click("out_file");
        const QStringList messages = d.dialogs->take_messages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].startsWith(
            QStringLiteral("成绩表格未能导出到%1：\n").arg(QDir::toNativeSeparators(m_cwd.path() + "/missing/成绩.xlsx"))));
    }

private:
    QTemporaryDir m_cwd;
};

QTEST_MAIN(test_window_pages)
#include "test_window_pages.moc"

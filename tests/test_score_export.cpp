#include "eval_fixture.h"
#include "file_size_limit.h"
#include "results/score_export.h"
#include "sheet_reader.h"
#include "store/file_io.h"
#include "window_driver.h"

#include <QTableWidget>
#include <QtTest>

namespace {

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

}  // namespace

class test_score_export : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_cwd.isValid());
        QDir::setCurrent(m_cwd.path());
    }

    void file_names()
    {
        QCOMPARE(export_file_name("/tmp/a"), QStringLiteral("/tmp/a.xlsx"));
        QCOMPARE(export_file_name("/tmp/a.csv"), QStringLiteral("/tmp/a.csv.xlsx"));
        QCOMPARE(export_file_name("/tmp/a.xlsx"), QStringLiteral("/tmp/a.xlsx"));
        QCOMPARE(export_file_name("/tmp/a.XLS"), QStringLiteral("/tmp/a.XLS"));
        QCOMPARE(export_file_name("/tmp/成绩.Xlsx"), QStringLiteral("/tmp/成绩.Xlsx"));
    }

    void only_score_texts_become_numbers()
    {
        QTableWidget table(1, 6);
        table.setHorizontalHeaderLabels({"学生文件名", "总分", "a", "b", "c", "d"});
        const QStringList texts{"12.5", "12.500", "-0.500", "-0.000", "1.stu"};
        for (int c = 0; c < texts.size(); ++c)
            table.setItem(0, c, new QTableWidgetItem(texts[c]));
        const workbook_sheet sheet = score_table_sheet(&table);
        QCOMPARE(sheet.rows.size(), std::size_t(2));
        QCOMPARE(sheet.rows[0][1].text, QStringLiteral("总分"));
        using type = workbook_cell::type;
        const type expected[] = {type::text, type::number, type::number, type::text, type::text, type::empty};
        for (int c = 0; c < 6; ++c)
            QCOMPARE(int(sheet.rows[1][std::size_t(c)].kind), int(expected[c]));
        QCOMPARE(sheet.rows[1][1].number, 12.5);
        QCOMPARE(sheet.rows[1][2].number, -0.5);
    }

    void numbers_need_the_exact_score_form()
    {
        const QStringList numbers{"0.000", "-1.250", "123456.789", "7.000"};
        const QStringList texts{"", "-", ".500", "-.500", "1.50", "1.5000", "+1.000", "01.000", " 1.000",
                                "1.000 ", "1,000", "１.000", "1e3.000", "--1.000", "1.-00", "-0.000"};
        const QStringList all = numbers + texts;
        QTableWidget table(1, all.size());
        for (int c = 0; c < all.size(); ++c)
            table.setItem(0, c, new QTableWidgetItem(all[c]));
        const workbook_row row = score_table_sheet(&table).rows[1];
        for (int c = 0; c < all.size(); ++c) {
            const workbook_cell &cell = row[std::size_t(c)];
            if (c < numbers.size()) {
                QCOMPARE(int(cell.kind), int(workbook_cell::type::number));
                QCOMPARE(cell.number, all[c].toDouble());
            } else {
                QCOMPARE(int(cell.kind), int(workbook_cell::type::text));
                QCOMPARE(cell.text, all[c]);
            }
        }
    }

    void export_asks_for_the_file()
    {
        window_driver d;
        eval_fixture eval;
        two_zero_one(eval);
        d.open(eval.path);
        d.click("out_file");   // cancelled
        const std::vector<dialog_call> calls = dialog_test_take_calls();
        QCOMPARE(calls.size(), std::size_t(1));
        QCOMPARE(calls[0].kind, dialog_kind::save_file);
        QCOMPARE(calls[0].text, QStringLiteral("指定导出成绩表格文件"));
        QCOMPARE(calls[0].dir, QStringLiteral("."));
        QCOMPARE(calls[0].filter, QStringLiteral("Excel(*.xls *.xlsx)"));
        QCOMPARE(QDir(m_cwd.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
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
        dialog_test_queue_save_file(m_cwd.path() + '/' + name);
        d.click("out_file");
        QCOMPARE(dialog_test_take_messages(), QStringList());   // success is silent

        const sheet_read sheet = sheet_read_back(export_file_name(m_cwd.path() + '/' + name));
        QCOMPARE(sheet.error, QString());
        const QVector<QStringList> expected{
            {"学生文件名", "总分", "单选题1", "单选题2", "非选择题1"},
            {"1.stu", "=12.5 0.000", "=2 0.000", "=2 0.000", "=8.5 0.000"},
            {"2.stu", "=0 0.000", "=0 0.000", "=0 0.000", "=0 0.000"},
            {"张三.stu", "=12.5 0.000", "=0 0.000", "=2 0.000", "=10.5 0.000"},
        };
        QCOMPARE(sheet.rows, expected);
    }

    void cells_without_statistics_stay_empty()
    {
        window_driver d;
        eval_fixture eval;
        two_zero_one(eval);
        d.open(eval.path);
        const QString path = m_cwd.path() + "/empty.xlsx";
        dialog_test_queue_save_file(path);
        d.click("out_file");
        const sheet_read sheet = sheet_read_back(path);
        QCOMPARE(sheet.error, QString());
        QCOMPARE(sheet.rows.size(), 1);   // the header row; the empty student rows hold nothing
        QCOMPARE(sheet.rows[0].size(), 5);
    }

    void header_only_without_rows_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("xlsx") << "header.xlsx";
        QTest::newRow("xls") << "header.xls";
    }

    void header_only_without_rows()
    {
        QFETCH(QString, name);
        QTableWidget table(0, 2);
        table.setHorizontalHeaderLabels({"学生文件名", "总分"});
        const QString path = m_cwd.path() + '/' + name;
        QCOMPARE(workbook_save(QFile::encodeName(path), score_table_sheet(&table)), QString());
        const sheet_read sheet = sheet_read_back(path);
        QCOMPARE(sheet.rows, QVector<QStringList>({{"学生文件名", "总分"}}));
    }

    void failures_are_reported_and_keep_the_old_file()
    {
        window_driver d;
        eval_fixture eval;
        two_zero_one(eval);
        d.open(eval.path);
        d.click("servey");

        dialog_test_queue_save_file(m_cwd.path() + "/missing/成绩.xlsx");
        d.click("out_file");
        QStringList messages = dialog_test_take_messages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].startsWith(QStringLiteral("成绩表格未能导出到%1/missing/成绩.xlsx：\n").arg(m_cwd.path())));

        const QString path = m_cwd.path() + "/old.xlsx";
        QVERIFY(eval_fixture_write(path, "previous workbook"));
        dialog_test_queue_save_file(path);
        {
            file_size_limit full_disk(100);
            d.click("out_file");
        }
        messages = dialog_test_take_messages();
        QCOMPARE(messages.size(), 1);
        QByteArray contents;
        QCOMPARE(file_read_all(QFile::encodeName(path), &contents), QString());
        QCOMPARE(contents, QByteArray("previous workbook"));
        QCOMPARE(QDir(m_cwd.path()).entryList({".old.xlsx*"}, QDir::Files | QDir::Hidden), QStringList());
    }

    void too_wide_for_xls_is_refused()
    {
        QTableWidget table(1, 300);
        const QString path = m_cwd.path() + "/wide.xls";
        QVERIFY(eval_fixture_write(path, "previous workbook"));
        const QString failure = workbook_save(QFile::encodeName(path), score_table_sheet(&table));
        QVERIFY(failure.contains(QStringLiteral("256")));
        QCOMPARE(QFileInfo(path).size(), qint64(17));
    }

private:
    static bool eval_fixture_write(const QString &path, const QByteArray &bytes)
    {
        return file_replace(QFile::encodeName(path), bytes).isEmpty();
    }

    QTemporaryDir m_cwd;
};

QTEST_MAIN(test_score_export)
#include "test_score_export.moc"

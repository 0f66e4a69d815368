// How exported workbooks print, as LibreOffice prints them: every sheet one page wide across
// A4, the charts whole, the page set-up of the .xls file read as the .xlsx file's.

#include "eval_memory.h"
#include "results/score_export.h"
#include "results/workbook_file.h"
#include "sheet_reader.h"
#include "store/file_name.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

namespace {

// A class of five on a paper of n questions, a third of each kind, scored unevenly.
evaluation class_of(int n)
{
    const int choices = n / 3;
    evaluation eval = evaluation_make(choices, choices, n - 2 * choices, 5);
    eval.st_path = "/school/七年级1班/st/";
    for (int q = 1; q <= choices; ++q) {
        eval.onech_questions[std::size_t(q)] = {2, 0, 1};
        eval.some_questions[std::size_t(q)] = {4, 2, 5};
    }
    for (int q = 1; q <= eval.unch_cnt; ++q)
        eval.unch_questions[std::size_t(q)].full_score = 10;
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        for (int q = 1; q <= choices; ++q) {
            eval.onech_score[s][q] = (s + q) % 2 * 2;
            eval.some_score[s][q] = (s * q) % 3 * 2;
        }
        for (int q = 1; q <= eval.unch_cnt; ++q)
            eval.unch_score[s][q] = (s * 7 + q) % 11;
    }
    return eval;
}

// Has LibreOffice convert the files, all in one run: its start takes longer than a file.
QString office_convert(const QStringList &paths, const QString &format, const QString &out)
{
    QTemporaryDir profile;
    QProcess office;
    office.start(QStringLiteral("soffice"),
                 QStringList{"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(), "--headless",
                             "--norestore", "--convert-to", format, "--outdir", out}
                     + paths);
    if (!office.waitForFinished(600000) || office.exitCode() != 0)
        return QStringLiteral("soffice failed: ") + office.readAllStandardError();
    return {};
}

// The pages of a PDF as LibreOffice writes it, "across" or "upright" each.
QStringList pages_of(const QString &pdf)
{
    QFile file(pdf);
    file.open(QIODevice::ReadOnly);
    QStringList pages;
    // A page's dictionary, not the /Pages node's, which has a box too.
    const QRegularExpression box(
        QStringLiteral("/Type\\s*/Page(?!s)[^>]*/MediaBox\\s*\\[\\s*0 0 ([0-9.]+) ([0-9.]+)\\s*\\]"));
    const QByteArray bytes = file.readAll();   // binary: fromLatin1(QByteArray) would stop at a 0
    auto found = box.globalMatch(QString::fromLatin1(bytes.constData(), bytes.size()));
    while (found.hasNext()) {
        const QRegularExpressionMatch page = found.next();
        pages << (page.captured(1).toDouble() > page.captured(2).toDouble() ? "across" : "upright");
    }
    return pages;
}

}  // namespace

class test_workbook_print : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty(),
                 "needs soffice (Debian package libreoffice-calc-nogui)");
    }

    // The score table, 成绩分析 and 试题分析 take one page each: nothing is cut across pages,
    // the 得分率 chart of 38 questions (38 rows and more) prints whole beside its table, and so
    // does that of 70 questions, widened until the page holds it.
    void one_page_wide_with_whole_charts()
    {
        QTemporaryDir dir;
        QStringList paths;
        for (const int n : {38, 70}) {
            const evaluation eval = class_of(n);
            paths << dir.filePath(QStringLiteral("%1.xlsx").arg(n));
            const workbook book = score_export_workbook(eval, score_sheet_make(eval), QDate(2024, 5, 1));
            QCOMPARE(workbook_file_save(file_name_encode(paths.back()), book), QString());
        }
        QVERIFY(sheet_read_back(paths[0], 2).chart_rows.value(0).section('+', 0, 0).toInt() >= 38);
        QCOMPARE(office_convert(paths, QStringLiteral("pdf"), dir.path()), QString());
        for (const int n : {38, 70})
            QCOMPARE(pages_of(dir.filePath(QStringLiteral("%1.pdf").arg(n))), QStringList({"across", "across", "across"}));
    }

    // LibreOffice reads the .xls file's page set-up as the .xlsx writer writes it.
    void xls_page_setup()
    {
        QTemporaryDir dir;
        const evaluation eval = class_of(6);
        const QString xls = dir.filePath(QStringLiteral("成绩.xls"));
        QCOMPARE(workbook_file_save(file_name_encode(xls), score_export_workbook(eval, score_sheet_make(eval),
                                                                                  QDate(2024, 5, 1))),
                 QString());
        QCOMPARE(office_convert({xls}, QStringLiteral("xlsx"), dir.filePath(QStringLiteral("office"))), QString());
        for (int index = 0; index < 3; ++index) {
            const QJsonObject print = sheet_read_back(dir.filePath(QStringLiteral("office/成绩.xlsx")), index).print;
            QCOMPARE(sheet_print_text(print),
                     QStringLiteral("landscape|1x0|$1:$1|&L七年级1班&R&A|&L导出日期：2024-05-01&R第 &P 页，共 &N 页"));
        }
    }
};

QTEST_GUILESS_MAIN(test_workbook_print)
#include "test_workbook_print.moc"

// Decoding the teacher's files without guessing wrong, and names that cannot forge a line.

#include "store/eval_format.h"
#include "store/local_text.h"

#include <QTextCodec>
#include <QtTest>

class test_local_text : public QObject
{
    Q_OBJECT

private slots:
    void valid_text_is_read_in_its_encoding()
    {
        const QString chinese = QString::fromUtf8("张三的答案");
        const decoded_text utf8 = local_text_decode(chinese.toUtf8());
        QCOMPARE(utf8.text, chinese);
        QVERIFY(utf8.utf8);
        QCOMPARE(utf8.invalid, 0);
        const decoded_text gb = local_text_decode(QTextCodec::codecForName("GB18030")->fromUnicode(chinese));
        QCOMPARE(gb.text, chinese);
        QVERIFY(!gb.utf8);
        QCOMPARE(gb.invalid, 0);
    }

    void utf8_with_a_stray_byte_stays_utf8()
    {
        // One bad byte once turned the whole file into GB18030 mojibake and swallowed an '@'.
        QByteArray bytes = QString::fromUtf8("1\n@第一$\n@第二$\n").toUtf8();
        bytes.insert(2, '\xff');
        const decoded_text decoded = local_text_decode(bytes);
        QVERIFY(decoded.utf8);
        QCOMPARE(decoded.invalid, 1);
        QCOMPARE(decoded.text, QString::fromUtf8("1\n\xef\xbf\xbd@第一$\n@第二$\n"));

        evaluation eval;
        eval.onech_cnt = 1;
        eval.unch_cnt = 2;
        eval.stu_cnt = 1;
        evaluation_tables_reset(eval);
        const file_report report = eval_format_read_student(bytes, &eval, 1);
        QVERIFY(report.failure.isEmpty());
        QCOMPARE(report.notes, QStringList(QString::fromUtf8("有1处无法识别的字节，已显示为“\xef\xbf\xbd”")));
        QCOMPARE(eval.unch_ans[1][1], QString::fromUtf8("第一"));
        QCOMPARE(eval.unch_ans[1][2], QString::fromUtf8("第二"));
    }

    void gb18030_with_a_stray_byte_stays_gb18030()
    {
        QByteArray bytes = QTextCodec::codecForName("GB18030")->fromUnicode(QString::fromUtf8("@张三李四王五赵六$"));
        bytes.append('\xff');
        const decoded_text decoded = local_text_decode(bytes);
        QVERIFY(!decoded.utf8);
        QVERIFY(decoded.text.startsWith(QString::fromUtf8("@张三李四王五赵六$")));
        QCOMPARE(decoded.invalid, 1);
    }

    void gb18030_that_is_valid_utf8_stays_gb18030()
    {
        // Read as UTF-8 these are "ʯī" and "κƽ.stu": Latin-extended and IPA, in no class's text.
        QTextCodec *gb = QTextCodec::codecForName("GB18030");
        const decoded_text answer = local_text_decode(gb->fromUnicode(QStringLiteral("@石墨$")));
        QCOMPARE(answer.text, QStringLiteral("@石墨$"));
        QVERIFY(!answer.utf8);
        QCOMPARE(local_text_name(gb->fromUnicode(QStringLiteral("魏平.stu"))), QStringLiteral("魏平.stu"));
        // "κ" in UTF-8 is "魏" in GB18030, both plausible: the class's paper decides.
        QCOMPARE(local_text_decode("\xce\xba", true).text, QStringLiteral("κ"));
        QCOMPARE(local_text_decode("\xce\xba", false).text, QStringLiteral("魏"));
        evaluation eval;
        QCOMPARE(eval_format_read_paper(gb->fromUnicode(QStringLiteral("0 0 1\n5 @简述石墨的用途。$")), &eval).failure,
                 QString());
        QVERIFY(!eval.text_utf8);
        eval.stu_cnt = 1;
        evaluation_tables_reset(eval);
        eval_format_read_student("@\xce\xba$", &eval, 1);
        QCOMPARE(eval.unch_ans[1][1], QStringLiteral("魏"));
    }

    void names_that_would_read_the_same_are_marked()
    {
        const QByteArray zhang = QStringLiteral("张三.stu").toUtf8();
        const QStringList names = local_text_names(
            {zhang, QStringLiteral("张三\u200b.stu").toUtf8(), QTextCodec::codecForName("GB18030")->fromUnicode(QStringLiteral("张三.stu")),
             QStringLiteral("e\u0301.stu").toUtf8(), QStringLiteral("\u00e9.stu").toUtf8(), "a.stu"},
            true);
        QCOMPARE(names, QStringList({QStringLiteral("张三.stu（1）"), QString::fromUtf8("张三\xef\xbf\xbd.stu"),
                                     QStringLiteral("张三.stu（2）"), QStringLiteral("e\u0301.stu（1）"),
                                     QStringLiteral("\u00e9.stu（2）"), QStringLiteral("a.stu")}));
        // Every character that shows nothing is made visible.
        for (const char32_t hidden : {0x00AD, 0x034F, 0x180E, 0x200C, 0x200D, 0x2060, 0xFE0F, 0xFEFF, 0xE0041}) {
            const QString c = QChar::requiresSurrogates(hidden)
                ? QString(QChar(QChar::highSurrogate(hidden))) + QChar(QChar::lowSurrogate(hidden))
                : QString(QChar(char16_t(hidden)));
            QCOMPARE(local_text_visible(QLatin1Char('a') + c + QLatin1Char('b')), QString::fromUtf8("a\xef\xbf\xbd" "b"));
        }
    }

    void names_show_what_could_forge_them()
    {
        const QByteArray override_name = QString::fromUtf8("\u202euts.三张").toUtf8();
        QCOMPARE(local_text_name(override_name), QString::fromUtf8("\xef\xbf\xbduts.三张"));
        QCOMPARE(local_text_name("a\nb 第 1 道单选题.stu"), QString::fromUtf8("a\xef\xbf\xbd" "b 第 1 道单选题.stu"));
        QCOMPARE(local_text_visible(QStringLiteral("tab\there\u2066")), QString::fromUtf8("tab\xef\xbf\xbdhere\xef\xbf\xbd"));
        QCOMPARE(local_text_name(QString::fromUtf8("李四.stu").toUtf8()), QString::fromUtf8("李四.stu"));
    }
};

QTEST_APPLESS_MAIN(test_local_text)
#include "test_local_text.moc"

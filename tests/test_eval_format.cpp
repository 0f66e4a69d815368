#include "eval_memory.h"
#include "store/eval_format.h"
#include "store/eval_scanner.h"
#include "store/local_text.h"
#include "store/score_text.h"

#include <QTextCodec>
#include <QtTest>
#include <cmath>
#include <clocale>
#include <cstdio>

namespace {

QByteArray gb18030(const QString &text)
{
    return QTextCodec::codecForName("GB18030")->fromUnicode(text);
}

// German number formats in the C library and in Qt while it lives, C again after, even
// when a comparison fails half-way.
#ifdef Q_OS_WIN
constexpr char german_locale[] = "German_Germany.1252";   // as Windows names it
#else
constexpr char german_locale[] = "de_DE.UTF-8";
#endif

struct german_numbers {
    const bool installed = std::setlocale(LC_NUMERIC, german_locale) != nullptr;
    german_numbers() { QLocale::setDefault(QLocale(QLocale::German)); }
    ~german_numbers()
    {
        std::setlocale(LC_NUMERIC, "C");
        QLocale::setDefault(QLocale::c());
    }
};

}  // namespace

class test_eval_format : public QObject
{
    Q_OBJECT

private slots:
    void worked_example()
    {
        evaluation eval;
        QCOMPARE(eval_format_read_paper("1 1 1\n"
                             "2 @What is 1+1? A. 1 B. 2 C. 3$\n"
                             "4 2 @Which are even? A. 2 B. 3 C. 4$\n"
                             "10 @Explain your answer.$\n",
                             &eval).failure,
                 QString());
        QCOMPARE(eval.onech_cnt, 1);
        QCOMPARE(eval.some_cnt, 1);
        QCOMPARE(eval.unch_cnt, 1);
        QCOMPARE(eval.onech_questions[1].full_score, 2.0);
        QCOMPARE(eval.onech_questions[1].part_score, 0.0);
        QCOMPARE(eval.some_questions[1].full_score, 4.0);
        QCOMPARE(eval.some_questions[1].part_score, 2.0);
        QCOMPARE(eval.unch_questions[1].full_score, 10.0);
        QCOMPARE(eval.unch_questions[1].text, QString("Explain your answer."));
        QCOMPARE(evaluation_total(eval), 16.0);

        QCOMPARE(eval_format_read_key("2\n5\n@Because 2 is even.$\n", &eval).failure, QString());
        QCOMPARE(eval.onech_questions[1].key, 2);
        QCOMPARE(eval.some_questions[1].key, 5);
        QCOMPARE(eval.unch_questions[1].ref_answer, QString("Because 2 is even."));

        eval.stu_cnt = 1;
        evaluation_tables_reset(eval);
        QCOMPARE(eval_format_read_student("2\n1\n@It is even.$\n", &eval, 1).failure, QString());
        QCOMPARE(eval.onech_ans[1][1], 2);
        QCOMPARE(eval.some_ans[1][1], 1);
        QCOMPARE(eval.unch_ans[1][1], QString("It is even."));

        QCOMPARE(eval_format_read_scores("2.000\n2.000\n7.500\n", &eval, 1).failure, QString());
        QCOMPARE(eval.onech_score[1][1], 2.0);
        QCOMPARE(eval.some_score[1][1], 2.0);
        QCOMPARE(eval.unch_score[1][1], 7.5);
        QCOMPARE(eval_format_write_scores(eval, 1), QByteArray("2.000\n2.000\n7.500\n"));
    }

    void marked_texts_are_verbatim()
    {
        evaluation eval;
        QCOMPARE(eval_format_read_paper("0 0 3\n"
                             "1 options outside the marks are skipped @  two\nlines  $"
                             "1 @mail me@example.org$"
                             "1 @$",
                             &eval).failure,
                 QString());
        QCOMPARE(eval.unch_questions[1].text, QString("  two\nlines  "));
        QCOMPARE(eval.unch_questions[2].text, QString("mail me@example.org"));
        QCOMPARE(eval.unch_questions[3].text, QString());
    }

    void single_choice_has_no_partial_score()
    {
        evaluation eval;
        QCOMPARE(eval_format_read_paper("1 1 0\n3 1 @single$ 3 1 @multiple$", &eval).failure, QString());
        QCOMPARE(eval.onech_questions[1].full_score, 3.0);
        QCOMPARE(eval.onech_questions[1].part_score, 0.0);
        QCOMPARE(eval.some_questions[1].full_score, 3.0);
        QCOMPARE(eval.some_questions[1].part_score, 1.0);
        QCOMPARE(evaluation_total(eval), 6.0);   // the partial score is not part of the total
    }

    void real_forms_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<double>("value");
        QTest::newRow("integer") << QByteArray("2") << 2.0;
        QTest::newRow("decimal") << QByteArray("2.5") << 2.5;
        QTest::newRow("negative") << QByteArray("-1") << -1.0;
        QTest::newRow("plus sign") << QByteArray("+3") << 3.0;
        QTest::newRow("exponent") << QByteArray("1e1") << 10.0;
        QTest::newRow("signed exponent") << QByteArray("25E-1") << 2.5;
        QTest::newRow("leading point") << QByteArray(".5") << 0.5;
        QTest::newRow("trailing point") << QByteArray("5.") << 5.0;
        QTest::newRow("tabs and line breaks before") << QByteArray("\t\r\n 4") << 4.0;
    }

    void real_forms()
    {
        QFETCH(QByteArray, field);
        QFETCH(double, value);
        eval_scanner in(QString::fromLatin1(field + " @text$"));
        double read = -99;
        QCOMPARE(in.read_real(&read), eval_scanner::status::ok);
        QCOMPARE(read, value);
        QString text;
        QCOMPARE(in.read_marked(&text), eval_scanner::status::ok);
        QCOMPARE(text, QString("text"));
    }

    void unreadable_numbers_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("letters") << QByteArray("abc");
        QTest::newRow("sign only") << QByteArray("-");
        QTest::newRow("point only") << QByteArray(".");
        QTest::newRow("infinity") << QByteArray("inf");
        QTest::newRow("not a number") << QByteArray("nan");
        QTest::newRow("out of range") << QByteArray("1e999");
        QTest::newRow("end of file") << QByteArray("   ");
        // A number ends at white space, '@' or the end: glued to anything else it is no number
        // rather than another one.
        QTest::newRow("decimal comma") << QByteArray("2,5");
        QTest::newRow("hexadecimal") << QByteArray("0x10");
        QTest::newRow("unit") << QByteArray("5分");
        QTest::newRow("exponent without digits") << QByteArray("7e");
        QTest::newRow("letters after") << QByteArray("8abc");
    }

    void unreadable_numbers()
    {
        QFETCH(QByteArray, field);
        eval_scanner in(QString::fromUtf8(field));
        double value = 42;
        QCOMPARE(in.read_real(&value), eval_scanner::status::no_number);
        QCOMPARE(value, 42.0);
    }

    void integers()
    {
        eval_scanner in(QStringLiteral("5 -3 +7 2147483647 -2147483648 2147483648 9"));
        answer_set value = 0;
        for (answer_set expected : {5, -3, 7, 2147483647, int(-2147483648LL)}) {
            QCOMPARE(in.read_int(&value), eval_scanner::status::ok);
            QCOMPARE(value, expected);
        }
        QCOMPARE(in.read_int(&value), eval_scanner::status::no_number);   // does not fit in 32 bits

        eval_scanner decimal(QStringLiteral("2.0"));
        value = 42;
        QCOMPARE(decimal.read_int(&value), eval_scanner::status::no_number);
        QCOMPARE(value, 42);
    }

    void chinese_spaces_end_numbers()
    {
        // U+3000 as a Chinese input method types a space, U+00A0 as a word processor keeps one.
        evaluation eval;
        QCOMPARE(eval_format_read_paper(QStringLiteral("1\u3000" "1 0\n2\u3000@q$ 4\u00a0" "2 @r$").toUtf8(), &eval).failure,
                 QString());
        QCOMPARE(eval.onech_questions[1].full_score, 2.0);
        QCOMPARE(eval.some_questions[1].part_score, 2.0);
        eval.stu_cnt = 1;
        evaluation_tables_reset(eval);
        QCOMPARE(eval_format_read_scores(QStringLiteral("1.5\u3000\n0.5\u00a0\n").toUtf8(), &eval, 1).failure, QString());
        QCOMPARE(eval.some_score[1][1], 0.5);
    }

    void crlf_is_one_line_break()
    {
        evaluation eval;
        QCOMPARE(eval_format_read_paper("0 0 1\r\n5 @first\r\nsecond\rthird$\r\n", &eval).failure, QString());
        QCOMPARE(eval.unch_questions[1].text, QString("first\nsecond\rthird"));
    }

    void gb18030_files()
    {
        const QString question = QStringLiteral("简述丂的读音。");
        evaluation eval;
        // "丂" is 0x81 0x40 in GB18030: its second byte is '@' and must not start the text.
        QCOMPARE(eval_format_read_paper(gb18030(QStringLiteral("0 0 1\n5 选项丂 @%1$").arg(question)), &eval).failure, QString());
        QCOMPARE(eval.unch_questions[1].text, question);
        QCOMPARE(local_text_decode(gb18030(QStringLiteral("张三.stu"))).text, QStringLiteral("张三.stu"));
        QCOMPARE(local_text_decode(QStringLiteral("张三.stu").toUtf8()).text, QStringLiteral("张三.stu"));
    }

    void utf8_byte_order_mark_is_skipped()
    {
        evaluation eval;
        QCOMPARE(eval_format_read_paper("\xEF\xBB\xBF" "0 0 1\n5 @题$", &eval).failure, QString());
        QCOMPARE(eval.unch_cnt, 1);
        QCOMPARE(eval.unch_questions[1].text, QStringLiteral("题"));
    }

    void malformed_paper_names_the_item_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("garbage") << QByteArray("\x01\x02garbage")
                                 << QStringLiteral("problem.prb文件有误：单选题数量无法读取");
        QTest::newRow("empty file") << QByteArray() << QStringLiteral("problem.prb文件有误：单选题数量无法读取");
        QTest::newRow("counts cut short") << QByteArray("1 1")
                                          << QStringLiteral("problem.prb文件有误：非选择题数量无法读取");
        QTest::newRow("full score missing") << QByteArray("2 0 0\n2 @a$\n@b$")
                                            << QStringLiteral("problem.prb文件有误：第2道单选题的满分无法读取");
        QTest::newRow("partial score missing") << QByteArray("0 1 0\n4 @a$")
                                               << QStringLiteral("problem.prb文件有误：第1道多选题的部分得分无法读取");
        QTest::newRow("no @") << QByteArray("0 1 0\n4 2 text")
                              << QStringLiteral("problem.prb文件有误：第1道多选题的题面缺少开头的“@”");
        QTest::newRow("no $") << QByteArray("0 0 1\n10 @text")
                              << QStringLiteral("problem.prb文件有误：第1道非选择题的题面缺少结尾的“$”");
        QTest::newRow("negative count") << QByteArray("0 -1 0")
                                        << QStringLiteral("problem.prb中的多选题数量为-1，题目数量不能为负数");
        QTest::newRow("too many questions") << QByteArray("1004 0 0")
                                            << QStringLiteral("problem.prb中的单选题数量为1004，超出了每种题型最多1003道的上限");
        QTest::newRow("negative full score") << QByteArray("1 0 0\n-5 @q$")
                                             << QStringLiteral("problem.prb中第1道单选题的满分为-5，分数应在0到10000之间");
        QTest::newRow("huge full score") << QByteArray("0 0 1\n1e308 @q$")
                                         << QStringLiteral("problem.prb中第1道非选择题的满分为1e+308，分数应在0到10000之间");
        QTest::newRow("negative partial score") << QByteArray("0 1 0\n4 -2 @q$")
                                                << QStringLiteral("problem.prb中第1道多选题的部分得分为-2，分数应在0到10000之间");
    }

    void malformed_paper_names_the_item()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        evaluation eval;
        QCOMPARE(eval_format_read_paper(bytes, &eval).failure, message);
    }

    void most_questions_fit()
    {
        QByteArray bytes = "1003 0 0\n";
        for (int q = 0; q < 1003; ++q)
            bytes += "1 @q$\n";
        evaluation eval;
        QCOMPARE(eval_format_read_paper(bytes, &eval).failure, QString());
        QCOMPARE(evaluation_total(eval), 1003.0);
    }

    void malformed_key_names_the_item()
    {
        evaluation eval;
        QCOMPARE(eval_format_read_paper("1 1 1\n1 @a$ 2 1 @b$ 3 @c$", &eval).failure, QString());
        QCOMPARE(eval_format_read_key("2 x", &eval).failure, QStringLiteral("answer.ans文件有误：第1道多选题的答案无法读取"));
        QCOMPARE(eval_format_read_key("2 3 reference without marks", &eval).failure,
                 QStringLiteral("answer.ans文件有误：第1道非选择题的参考答案缺少开头的“@”"));
        QCOMPARE(eval_format_read_key("2 3 @ok$ anything after the last item is ignored", &eval).failure, QString());
    }

    void an_unreadable_answer_costs_only_itself()
    {
        evaluation eval = evaluation_make(2, 1, 1, 3);
        QCOMPARE(eval_format_read_student("1 oops 4 @text$", &eval, 3).failure, QStringLiteral("第2道单选题的答案无法读取"));
        QCOMPARE(eval.onech_ans[3][1], 1);
        QCOMPARE(eval.onech_ans[3][2], 0);
        QCOMPARE(eval.some_ans[3][1], 4);
        QCOMPARE(eval.unch_ans[3][1], QStringLiteral("text"));
        QCOMPARE(QList<int>({eval.choice_unread[3][1], eval.choice_unread[3][2], eval.choice_unread[3][3]}),
                 QList<int>({0, 1, 0}));

        // Missing choice answers before the text: the text is read all the same.
        QCOMPARE(eval_format_read_student("1 @text only$", &eval, 2).failure,
                 QStringLiteral("第2道单选题的答案无法读取；第1道多选题的答案无法读取"));
        QCOMPARE(eval.unch_ans[2][1], QStringLiteral("text only"));
        // At the end of the file every item left stays unread, and the first is named.
        QCOMPARE(eval_format_read_student("1", &eval, 1).failure, QStringLiteral("第2道单选题的答案无法读取"));
        QCOMPARE(eval.choice_unread[1][3], 1);
        QCOMPARE(eval_format_read_student("1 2 3 @unterminated", &eval, 3).failure, QStringLiteral("第1道非选择题的答案缺少结尾的“$”"));
    }

    void an_unreadable_score_costs_only_itself()
    {
        evaluation eval = evaluation_make(2, 1, 2, 4);
        QCOMPARE(eval_format_read_scores("1.000\n2.000\n3,000\n8.000\n9.000\n", &eval, 4).failure,
                 QStringLiteral("第1道多选题的得分无法读取"));
        QCOMPARE(eval.onech_score[4][2], 2.0);
        QCOMPARE(eval.some_score[4][1], 0.0);
        QCOMPARE(eval.unch_score[4][1], 8.0);
        QCOMPARE(eval.unch_score[4][2], 9.0);
        QCOMPARE(eval_format_read_scores("1.000\n2.000\n3.000\n", &eval, 3).failure, QStringLiteral("第1道非选择题的得分无法读取"));
        QCOMPARE(eval.unch_score[3][1], 0.0);
        QCOMPARE(eval.unch_score[3][2], 0.0);
    }

    void no_questions_reads_and_writes_nothing()
    {
        evaluation eval = evaluation_make(0, 0, 0, 1);
        QCOMPARE(eval_format_read_student("", &eval, 1).failure, QString());
        QCOMPARE(eval_format_read_scores("", &eval, 1).failure, QString());
        QCOMPARE(eval_format_write_scores(eval, 1), QByteArray());
    }

    void scores_are_written_with_a_point_in_any_locale()
    {
        german_numbers german;
        QVERIFY2(german.installed, "the de_DE.UTF-8 locale is not installed");
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 0.5);
        QCOMPARE(QByteArray(probe), QByteArray("0,5"));   // the locale really writes a comma

        evaluation eval = evaluation_make(1, 1, 1, 2);
        eval.onech_score[2][1] = 2;
        eval.some_score[2][1] = 0.5;
        eval.unch_score[2][1] = 10;
        QCOMPARE(eval_format_write_scores(eval, 2), QByteArray("2.000\n0.500\n10.000\n"));
        QCOMPARE(eval_format_read_scores("1,5\n0\n0\n", &eval, 2).failure, QStringLiteral("第1道单选题的得分无法读取"));
        QCOMPARE(eval.onech_score[2][1], 2.0);   // "1,5" is no number: the score stays
    }

    void score_texts_data()
    {
        QTest::addColumn<double>("score");
        QTest::addColumn<QString>("text");
        QTest::newRow("half") << 2.5 << "2.500";
        QTest::newRow("zero") << 0.0 << "0.000";
        QTest::newRow("third") << 1.0 / 3 << "0.333";
        QTest::newRow("rounds up") << 0.6667 << "0.667";
        QTest::newRow("negative") << -0.5 << "-0.500";
        QTest::newRow("large") << 123456.0 << "123456.000";
        // Rounded as the binary value lies: 2.0005 is 2.000500000000000167, 1.0005 is
        // 1.000499999999999989, so only the first goes up.
        QTest::newRow("2.0005") << 2.0005 << "2.001";
        QTest::newRow("1.0005") << 1.0005 << "1.000";
        QTest::newRow("sum of tenths") << 0.1 + 0.2 << "0.300";
        QTest::newRow("negative, rounds to zero") << -0.0004 << "-0.000";
    }

    void score_texts()
    {
        QFETCH(double, score);
        QFETCH(QString, text);
        QCOMPARE(score_text(score), text);
        // The number shown is exactly the one its text reads as, "-0.000" keeping its sign.
        const double shown = score_text_shown(score);
        QVERIFY(shown == text.toDouble());
        QCOMPARE(std::signbit(shown), text.startsWith(QLatin1Char('-')));
    }
};

QTEST_GUILESS_MAIN(test_eval_format)
#include "test_eval_format.moc"

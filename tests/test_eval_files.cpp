#include "eval_fixture.h"
#include "file_size_limit.h"
#include "store/eval_load.h"
#include "store/eval_save.h"
#include "store/eval_tables.h"
#include "store/file_io.h"
#include "store/student_list.h"

#include <QTextCodec>
#include <QtTest>
#include <algorithm>

namespace {

QByteArray gb18030(const QString &text)
{
    return QTextCodec::codecForName("GB18030")->fromUnicode(text);
}

QList<QByteArray> loaded_students()
{
    QList<QByteArray> names;
    for (int s = 1; s <= stu_cnt; ++s)
        names << stu_file[s];
    return names;
}

}  // namespace

class test_eval_files : public QObject
{
    Q_OBJECT

private slots:
    void natural_order()
    {
        QList<QByteArray> names{"10.stu", "2.stu", "b.stu", "a10.stu", "a9.stu", "1.stu", "02.stu", "A.stu"};
        std::sort(names.begin(), names.end(), natural_less);
        const QList<QByteArray> expected{"1.stu", "02.stu", "2.stu", "10.stu", "A.stu", "a9.stu", "a10.stu", "b.stu"};
        QCOMPARE(names, expected);
        QVERIFY(!natural_less("x.stu", "x.stu"));
    }

    void listing_takes_stu_files_only()
    {
        eval_fixture eval;
        eval.folders()
            .student("10.stu", "")
            .student("2.STU", "")
            .student("b.Stu", "")
            .student("notes.txt", "")
            .student("stu", "")
            .student(gb18030(QStringLiteral("王五.stu")), "");
        QDir(eval.path).mkpath(QStringLiteral("st/folder.stu"));
        std::vector<QByteArray> names;
        QCOMPARE(list_students(eval.folder() + "/st/", &names), QString());
        const std::vector<QByteArray> expected{"2.STU", "10.stu", "b.Stu", gb18030(QStringLiteral("王五.stu"))};
        QCOMPARE(names, expected);
    }

    void checks_report_the_first_missing_part()
    {
        eval_fixture eval;
        QCOMPARE(eval_load(eval.folder()).refusal, QStringLiteral("所选择的文件夹下缺少problem.prb文件"));
        eval.paper("0 0 0");
        QCOMPARE(eval_load(eval.folder()).refusal, QStringLiteral("所选择的文件夹下缺少answer.ans文件"));
        eval.key("");
        QCOMPARE(eval_load(eval.folder()).refusal, QStringLiteral("所选择的文件夹下缺少st文件夹"));
        QDir(eval.path).mkdir(QStringLiteral("st"));
        QCOMPARE(eval_load(eval.folder()).refusal, QStringLiteral("所选择的文件夹下缺少sc文件夹"));
        QDir(eval.path).mkdir(QStringLiteral("sc"));
        QCOMPARE(eval_load(eval.folder()).refusal, QStringLiteral("所选择的st文件夹下缺少.stu文件夹"));
        eval.student("a.stu", "");
        QCOMPARE(eval_load(eval.folder()).refusal, QString());
    }

    void a_folder_as_paper_counts_as_missing()
    {
        eval_fixture eval;
        QDir(eval.path).mkdir(QStringLiteral("problem.prb"));
        QCOMPARE(eval_load(eval.folder()).refusal, QStringLiteral("所选择的文件夹下缺少problem.prb文件"));
    }

    void loads_every_student_with_scores()
    {
        eval_fixture eval;
        two_one_one(eval).scores("李四.stu", "1\n2\n3\n4\n");
        const eval_load_result result = eval_load(eval.folder());
        QCOMPARE(result.refusal, QString());
        QVERIFY(result.incomplete.isEmpty());
        QCOMPARE(result.total, 18.0);
        QCOMPARE(stu_cnt, 3);
        QCOMPARE(onech_cnt, 2);
        QCOMPARE(some_cnt, 1);
        QCOMPARE(unch_cnt, 1);
        QCOMPARE(st_path, eval.folder() + "/st/");
        QCOMPARE(sc_path, eval.folder() + "/sc/");
        QCOMPARE(prb_path, eval.folder() + "/problem.prb");
        QCOMPARE(ans_path, eval.folder() + "/answer.ans");
        QCOMPARE(unch_questions[1].text, QStringLiteral("请说明理由。\n写出过程。"));
        QCOMPARE(unch_questions[1].ref_answer, QStringLiteral("因为2是偶数。"));
        QCOMPARE(some_questions[1].key, 5);
        const int li = loaded_students().indexOf(QStringLiteral("李四.stu").toUtf8()) + 1;
        QVERIFY(li > 0);
        QCOMPARE(onech_ans[li][1], 4);
        QCOMPARE(unch_score[li][1], 4.0);
        QCOMPARE(onech_score[li][2], 2.0);
        const int zhang = loaded_students().indexOf(QStringLiteral("张三.stu").toUtf8()) + 1;
        QCOMPARE(onech_score[zhang][1], 0.0);   // no score file: 0 everywhere
    }

    void incomplete_files_are_listed_but_loaded()
    {
        eval_fixture eval;
        eval.folders()
            .paper("1 0 1\n2 @q$ 5 @r$")
            .key("1 @ref$")
            .student("a.stu", "1 @answer$")
            .student("b.stu", "2")
            .scores("a.stu", "2.000\n")
            .scores("c.stu", "garbage")
            .student("c.stu", "4 @c$");
        const eval_load_result result = eval_load(eval.folder());
        QCOMPARE(result.refusal, QString());
        const QStringList expected{QStringLiteral("st/b.stu：第1道非选择题的答案缺少开头的“@”"),
                                   QStringLiteral("sc/a.stu：第1道非选择题的得分无法读取"),
                                   QStringLiteral("sc/c.stu：第1道单选题的得分无法读取")};
        QCOMPARE(result.incomplete, expected);
        QCOMPARE(stu_cnt, 3);
        QCOMPARE(onech_ans[2][1], 2);
        QCOMPARE(onech_score[1][1], 2.0);
        QCOMPARE(unch_ans[3][1], QStringLiteral("c"));
        QVERIFY(eval_incomplete_message(result.incomplete).endsWith(expected.join('\n')));
    }

    void every_row_of_a_large_class_is_its_own_student()
    {
        eval_fixture eval;
        eval.folders().paper("1 0 1\n2 @q$ 5 @r$").key("1 @ref$");
        QStringList expected_answers;
        QStringList expected_scores;
        for (int s = 1; s <= 300; ++s) {
            const QByteArray name = QByteArray::number(s) + ".stu";
            if (s % 7 == 0) {
                eval.student(name, QByteArray::number(s % 64));   // no answer text
                expected_answers << QStringLiteral("st/%1.stu：第1道非选择题的答案缺少开头的“@”").arg(s);
            } else {
                eval.student(name, QByteArray::number(s % 64) + " @答" + QByteArray::number(s) + "$");
            }
            if (s % 11 == 0) {
                eval.scores(name, "x");
                expected_scores << QStringLiteral("sc/%1.stu：第1道单选题的得分无法读取").arg(s);
            } else if (s % 2 == 0) {
                eval.scores(name, QByteArray::number(s) + "\n0.5\n");
            }
        }
        const eval_load_result result = eval_load(eval.folder());
        QCOMPARE(result.refusal, QString());
        QCOMPARE(result.incomplete, expected_answers + expected_scores);   // answers first, in class order
        QCOMPARE(stu_cnt, 300);
        for (int s = 1; s <= 300; ++s) {
            QCOMPARE(stu_file[s], QByteArray::number(s) + ".stu");
            QCOMPARE(onech_ans[s][1], s % 64);
            QCOMPARE(unch_ans[s][1], s % 7 == 0 ? QString() : QStringLiteral("答%1").arg(s));
            const bool scored = s % 11 != 0 && s % 2 == 0;
            QCOMPARE(onech_score[s][1], scored ? double(s) : 0.0);
            QCOMPARE(unch_score[s][1], scored ? 0.5 : 0.0);
        }
    }

    void nothing_of_an_earlier_evaluation_shows()
    {
        eval_fixture first;
        first.folders().paper("1 0 1\n2 @q$ 5 @r$").key("1 @ref$")
            .student("a.stu", "1 @first answer$").scores("a.stu", "2\n5\n");
        QCOMPARE(eval_load(first.folder()).refusal, QString());
        QCOMPARE(unch_score[1][1], 5.0);

        eval_fixture second;
        second.folders().paper("1 0 1\n2 @q$ 5 @r$").key("1 @ref$").student("a.stu", "");
        const eval_load_result result = eval_load(second.folder());
        QCOMPARE(result.incomplete.size(), 1);
        QCOMPARE(onech_ans[1][1], 0);
        QCOMPARE(unch_ans[1][1], QString());
        QCOMPARE(onech_score[1][1], 0.0);
        QCOMPARE(unch_score[1][1], 0.0);
    }

    void refused_folder_changes_nothing_data()
    {
        QTest::addColumn<QByteArray>("paper");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<int>("students");
        QTest::newRow("malformed paper") << QByteArray("1 0 0\n2 @never closed") << QByteArray("1") << 1;
        QTest::newRow("malformed key") << QByteArray("1 0 0\n2 @q$") << QByteArray("x") << 1;
        QTest::newRow("no students") << QByteArray("1 0 0\n2 @q$") << QByteArray("1") << 0;
        QTest::newRow("too many students") << QByteArray("1 0 0\n2 @q$") << QByteArray("1") << 1003;
        QTest::newRow("too many questions") << QByteArray("0 0 1004") << QByteArray("") << 1;
    }

    void refused_folder_changes_nothing()
    {
        QFETCH(QByteArray, paper);
        QFETCH(QByteArray, key);
        QFETCH(int, students);
        eval_fixture open;
        two_one_one(open);
        QCOMPARE(eval_load(open.folder()).refusal, QString());
        unch_score[1][1] = 7.5;

        eval_fixture rejected;
        rejected.folders().paper(paper).key(key);
        for (int s = 0; s < students; ++s)
            rejected.student(QByteArray::number(s) + ".stu", "1");
        const QString refusal = eval_load(rejected.folder()).refusal;
        QVERIFY(!refusal.isEmpty());
        if (students > 1002)
            QCOMPARE(refusal, QStringLiteral("所选择的st文件夹下有1003个.stu文件，超出了最多1002名学生的上限"));
        QCOMPARE(st_path, open.folder() + "/st/");
        QCOMPARE(sc_path, open.folder() + "/sc/");
        QCOMPARE(stu_cnt, 3);
        QCOMPARE(onech_cnt, 2);
        QCOMPARE(unch_cnt, 1);
        QCOMPARE(onech_questions[1].full_score, 2.0);
        QCOMPARE(unch_questions[1].text, QStringLiteral("请说明理由。\n写出过程。"));
        QCOMPARE(unch_score[1][1], 7.5);
        QCOMPARE(loaded_students().size(), 3);
    }

    void the_most_students_fit()
    {
        eval_fixture eval;
        eval.folders().paper("1 0 0\n2 @q$").key("1");
        for (int s = 1; s <= MAX_STUDENTS; ++s)
            eval.student(QByteArray::number(s) + ".stu", "1");
        const eval_load_result result = eval_load(eval.folder());
        QCOMPARE(result.refusal, QString());
        QCOMPARE(stu_cnt, MAX_STUDENTS);
        QCOMPARE(stu_file[MAX_STUDENTS], QByteArray("1002.stu"));
    }

    void save_and_reopen()
    {
        eval_fixture eval;
        two_one_one(eval).student(gb18030(QStringLiteral("赵六.stu")), "1 1 1 @答$");
        QCOMPARE(eval_load(eval.folder()).refusal, QString());
        QCOMPARE(stu_cnt, 4);
        for (int s = 1; s <= stu_cnt; ++s) {
            onech_score[s][1] = s;
            onech_score[s][2] = 0.5;
            some_score[s][1] = 1.0 / 3;
            unch_score[s][1] = 10 - s;
        }
        QCOMPARE(write_scores(), QStringList());
        QCOMPARE(eval.bytes("sc/" + QStringLiteral("张三.stu").toUtf8()).count('\n'), 4);
        const int zhao = loaded_students().indexOf(gb18030(QStringLiteral("赵六.stu"))) + 1;
        QVERIFY(zhao > 0);
        QCOMPARE(eval.bytes("sc/" + gb18030(QStringLiteral("赵六.stu"))),
                 QByteArray::number(zhao) + ".000\n0.500\n0.333\n" + QByteArray::number(10 - zhao) + ".000\n");
        // Only the score files are in sc: no temporary file is left behind.
        std::vector<QByteArray> files;
        QCOMPARE(dir_list_files(eval.folder() + "/sc", &files), QString());
        QCOMPARE(files.size(), std::size_t(4));

        for (int s = 1; s <= stu_cnt; ++s)
            some_score[s][1] = 99;
        QCOMPARE(eval_load(eval.folder()).refusal, QString());
        QCOMPARE(onech_score[zhao][1], double(zhao));
        QCOMPARE(some_score[zhao][1], 0.333);   // saved with three decimals
        QCOMPARE(unch_score[zhao][1], double(10 - zhao));
    }

    void save_failure_is_reported_and_keeps_the_old_file()
    {
        eval_fixture eval;
        eval.folders().paper("1 0 0\n2 @q$").key("1").student("a.stu", "1").student("b.stu", "1")
            .scores("a.stu", "1.000\n");
        QDir(eval.path).mkpath(QStringLiteral("sc/b.stu/occupied"));   // b's score file can't be replaced
        QCOMPARE(eval_load(eval.folder()).refusal, QString());
        onech_score[1][1] = 2;
        onech_score[2][1] = 2;
        const QStringList failures = write_scores();
        QCOMPARE(failures.size(), 1);
        QVERIFY(failures[0].startsWith(QStringLiteral("sc/b.stu：")));
        QCOMPARE(eval.bytes("sc/a.stu"), QByteArray("2.000\n"));
        QVERIFY(QFileInfo(eval.path + "/sc/b.stu/occupied").isDir());
        QVERIFY(eval_save_failure_message(failures).contains(failures[0]));
    }

    void failed_write_leaves_the_previous_file()
    {
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.path()) + "/a.stu";
        QCOMPARE(file_replace(path, "1.000\n"), QString());

        QString failure;
        {
            file_size_limit full_disk(4);
            failure = file_replace(path, "2.000\n3.000\n");
        }

        QVERIFY(!failure.isEmpty());
        QByteArray contents;
        QCOMPARE(file_read_all(path, &contents), QString());
        QCOMPARE(contents, QByteArray("1.000\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void folders_are_made_once()
    {
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.path()) + "/st";
        QCOMPARE(dir_make(path), QString());
        QCOMPARE(dir_make(path), QString());   // an existing folder is fine
        QVERIFY(dir_exists(path));
        QVERIFY(!dir_make(QFile::encodeName(dir.path()) + "/missing/st").isEmpty());
    }
};

QTEST_GUILESS_MAIN(test_eval_files)
#include "test_eval_files.moc"

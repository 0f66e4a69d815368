#include "eval_fixture.h"
#include "file_size_limit.h"
#include "other_process.h"
#include "store/eval_new.h"
#include "store/eval_open.h"
#include "store/eval_merge.h"
#include "store/eval_save.h"
#include "store/file_io.h"
#include "store/file_name.h"
#include "store/student_list.h"

#include <QTextCodec>
#include <QtTest>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace {

QByteArray gb18030(const QString &text)
{
    return QTextCodec::codecForName("GB18030")->fromUnicode(text);
}

// A Chinese name as a file system may hold it: in GB18030 (copied from a Chinese Windows to
// Linux); on Windows every name is UTF-16, which the file layer takes as UTF-8.
QByteArray chinese_name(const QString &text)
{
#ifdef Q_OS_WIN
    return text.toUtf8();
#else
    return gb18030(text);
#endif
}

// The row an open gave a student's file, 0 when it has none.
int student_row(const evaluation &eval, const QByteArray &name)
{
    for (int s = 1; s <= eval.stu_cnt; ++s) {
        if (eval.stu_file[std::size_t(s)] == name)
            return s;
    }
    return 0;
}

// The reasons our messages give, in Chinese.
QString system_reason(int error)
{
    switch (error) {
    case EACCES: return QStringLiteral("没有访问权限");
    case EEXIST: return QStringLiteral("文件已经存在");
    case ENOENT: return QStringLiteral("文件或文件夹不存在");
    }
    return QStringLiteral("?");
}

#ifndef Q_OS_WIN
// Root opens any folder whatever its mode, so a root test runs as nobody while this
// lives; the effective user is root again however the test ends.
struct unprivileged_user {
    const bool root = ::geteuid() == 0;
    const bool dropped = root && ::seteuid(65534) == 0;
    ~unprivileged_user()
    {
        if (dropped && ::seteuid(0) != 0)
            std::abort();   // every later test would run as nobody
    }
};
#endif

}  // namespace

class test_eval_files : public QObject
{
    Q_OBJECT

private slots:
    void natural_order()
    {
        QList<QByteArray> names{"10.stu", "2.stu", "b.stu", "a10.stu", "a9.stu", "1.stu", "02.stu", "A.stu"};
        std::sort(names.begin(), names.end(), student_list_less);
        const QList<QByteArray> expected{"1.stu", "02.stu", "2.stu", "10.stu", "A.stu", "a9.stu", "a10.stu", "b.stu"};
        QCOMPARE(names, expected);
        QVERIFY(!student_list_less("x.stu", "x.stu"));
    }

    void listing_takes_stu_files_only()
    {
#ifdef Q_OS_WIN
        QSKIP("QFile::link makes shortcuts on Windows, no links");
#endif
        eval_fixture eval;
        eval.folders()
            .student("10.stu", "")
            .student("2.STU", "")
            .student("b.Stu", "")
            .student("notes.txt", "")
            .student("stu", "")
            .student(gb18030(QStringLiteral("王五.stu")), "");
        QDir(eval.path).mkpath(QStringLiteral("st/folder.stu"));
        QVERIFY(QFile::link(QStringLiteral("10.stu"), eval.path + "/st/3.stu"));
        QVERIFY(QFile::link(QStringLiteral("missing"), eval.path + "/st/dangling.stu"));
        std::vector<QByteArray> names;
        std::vector<QByteArray> others;
        QCOMPARE(list_students(eval.folder() + "/st/", &names, &others), QString());
        const std::vector<QByteArray> expected{"2.STU", "3.stu", "10.stu", "b.Stu", gb18030(QStringLiteral("王五.stu"))};
        QCOMPARE(names, expected);
        // Named to the teacher at open, not dropped without a word.
        const std::vector<QByteArray> expected_others{"dangling.stu", "folder.stu"};
        QCOMPARE(others, expected_others);
    }

    void checks_report_the_first_missing_part()
    {
        eval_fixture eval;
        QDir(eval.path).mkdir(QStringLiteral("problem.prb"));   // a folder is no paper
        QCOMPARE(eval_open(eval.folder()).refusal, QStringLiteral("所选择的文件夹下缺少problem.prb文件"));
        QDir(eval.path).rmdir(QStringLiteral("problem.prb"));
        QCOMPARE(eval_open(eval.folder()).refusal, QStringLiteral("所选择的文件夹下缺少problem.prb文件"));
        eval.paper("0 0 0");
        QCOMPARE(eval_open(eval.folder()).refusal, QStringLiteral("所选择的文件夹下缺少answer.ans文件"));
        eval.key("");
        QCOMPARE(eval_open(eval.folder()).refusal, QStringLiteral("所选择的文件夹下缺少st文件夹"));
        QDir(eval.path).mkdir(QStringLiteral("st"));
        QCOMPARE(eval_open(eval.folder()).refusal, QStringLiteral("所选择的文件夹下缺少sc文件夹"));
        QDir(eval.path).mkdir(QStringLiteral("sc"));
        QCOMPARE(eval_open(eval.folder()).refusal, QStringLiteral("所选择的st文件夹下缺少.stu文件夹"));
        eval.student("a.stu", "");
        QCOMPARE(eval_open(eval.folder()).refusal, QString());
    }

    void unreadable_st_folder_is_refused()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows keeps a folder from its readers by access lists, not modes");
#else
        eval_fixture eval;
        eval.folders().paper("1 0 0\n2 @q$").key("1").student("a.stu", "1");
        // Everything but the listing of st stays within reach of the unprivileged user,
        // whatever the umask.
        for (const QString &path : {eval.dir.path(), eval.path, eval.path + "/sc", eval.path + "/problem.prb",
                                    eval.path + "/answer.ans"})
            QVERIFY(::chmod(file_name_encode(path).constData(), 0755) == 0);
        QVERIFY(::chmod(file_name_encode(eval.path + "/st").constData(), 0) == 0);

        QString refusal;
        {
            unprivileged_user nobody;
            QVERIFY2(!nobody.root || nobody.dropped, "root could not run the open as an unprivileged user");
            refusal = eval_open(eval.folder()).refusal;
        }
        ::chmod(file_name_encode(eval.path + "/st").constData(), 0755);
        QCOMPARE(refusal, QStringLiteral("无法读取所选择的st文件夹：") + system_reason(EACCES));
#endif
    }

    void unreadable_is_not_absent()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows keeps files from their readers by access lists, not modes");
#else
        eval_fixture eval;
        two_one_one(eval).scores("张三.stu", "2\n2\n4\n9\n");
        // The unprivileged user reaches everything but what each case takes away.
        for (const QString &path : {eval.dir.path(), eval.path, eval.path + "/st", eval.path + "/sc"})
            QVERIFY(::chmod(file_name_encode(path).constData(), 0755) == 0);
        for (const QString &file : QDir(eval.path + "/st").entryList(QDir::Files))
            ::chmod(file_name_encode(eval.path + "/st/" + file).constData(), 0644);
        const QByteArray paper = eval.folder() + "/problem.prb";
        const QByteArray key = eval.folder() + "/answer.ans";
        const QByteArray sc = eval.folder() + "/sc";
        QVERIFY(::chmod(paper.constData(), 0) == 0 && ::chmod(key.constData(), 0644) == 0);

        QString paper_refusal;
        {
            unprivileged_user nobody;
            QVERIFY2(!nobody.root || nobody.dropped, "root could not run the open as an unprivileged user");
            paper_refusal = eval_open(eval.folder()).refusal;
        }
        QVERIFY(::chmod(paper.constData(), 0644) == 0 && ::chmod(sc.constData(), 0) == 0);
        eval_open_result opened;
        {
            unprivileged_user nobody;
            opened = eval_open(eval.folder());
            QVERIFY(!write_scores(opened.eval).failures.isEmpty());
        }
        ::chmod(sc.constData(), 0755);
        QCOMPARE(paper_refusal, QStringLiteral("无法读取所选择的文件夹下的problem.prb文件：") + system_reason(EACCES));
        QCOMPARE(opened.refusal, QString());
        QCOMPARE(opened.problems,
                 QStringList(QStringLiteral("sc：无法读取这个文件夹：%1，其中的成绩都未读入").arg(system_reason(EACCES))));
        QVERIFY(opened.eval.sc_suspect[1]);
        QCOMPARE(eval.bytes("sc/张三.stu"), QByteArray("2\n2\n4\n9\n"));   // never replaced unread
#endif
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("paper");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<int>("students");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("malformed paper") << QByteArray("1 0 0\n2 @never closed") << QByteArray("1") << 1
                                         << QStringLiteral("problem.prb文件有误：第1道单选题的题面缺少结尾的“$”");
        QTest::newRow("malformed key") << QByteArray("1 0 0\n2 @q$") << QByteArray("x") << 1
                                       << QStringLiteral("answer.ans文件有误：第1道单选题的答案无法读取");
        QTest::newRow("too many students") << QByteArray("1 0 0\n2 @q$") << QByteArray("1") << 1003
                                           << QStringLiteral("所选择的st文件夹下有1003个.stu文件，超出了最多1002名学生的上限");
        QTest::newRow("too many questions") << QByteArray("0 0 1004") << QByteArray("") << 1
                                            << QStringLiteral("problem.prb中的非选择题数量为1004，超出了每种题型最多1003道的上限");
    }

    void refusals()
    {
        QFETCH(QByteArray, paper);
        QFETCH(QByteArray, key);
        QFETCH(int, students);
        QFETCH(QString, refusal);
        eval_fixture eval;
        eval.folders().paper(paper).key(key);
        for (int s = 0; s < students; ++s)
            eval.student(QByteArray::number(s) + ".stu", "1");
        QCOMPARE(eval_open(eval.folder()).refusal, refusal);
    }

    void the_most_students_fit()
    {
        eval_fixture folder;
        folder.folders().paper("1 0 0\n2 @q$").key("1");
        for (int s = 1; s <= MAX_STUDENTS; ++s)
            folder.student(QByteArray::number(s) + ".stu", "1");
        const eval_open_result result = eval_open(folder.folder());
        QCOMPARE(result.refusal, QString());
        QCOMPARE(result.eval.stu_cnt, MAX_STUDENTS);
        QCOMPARE(result.eval.stu_file[MAX_STUDENTS], QByteArray("1002.stu"));
    }

    void opens_every_student_with_scores()
    {
        eval_fixture folder;
        two_one_one(folder).scores("李四.stu", "1\n2\n3\n4\n");
        const eval_open_result result = eval_open(folder.folder());
        QCOMPARE(result.refusal, QString());
        QCOMPARE(result.problems, QStringList());
        const evaluation &eval = result.eval;
        QCOMPARE(evaluation_total(eval), 18.0);
        QCOMPARE(eval.stu_cnt, 3);
        QCOMPARE(eval.onech_cnt, 2);
        QCOMPARE(eval.some_cnt, 1);
        QCOMPARE(eval.unch_cnt, 1);
        QCOMPARE(eval.st_path, folder.folder() + "/st/");
        QCOMPARE(eval.sc_path, folder.folder() + "/sc/");
        QCOMPARE(eval.prb_path, folder.folder() + "/problem.prb");
        QCOMPARE(eval.ans_path, folder.folder() + "/answer.ans");
        QCOMPARE(eval.unch_questions[1].text, QStringLiteral("请说明理由。\n写出过程。"));
        QCOMPARE(eval.unch_questions[1].ref_answer, QStringLiteral("因为2是偶数。"));
        QCOMPARE(eval.some_questions[1].key, 5);
        const int li = student_row(eval, QStringLiteral("李四.stu").toUtf8());
        QVERIFY(li > 0);
        QCOMPARE(eval.onech_ans[li][1], 4);
        QCOMPARE(eval.unch_score[li][1], 4.0);
        QCOMPARE(eval.onech_score[li][2], 2.0);
        const int zhang = student_row(eval, QStringLiteral("张三.stu").toUtf8());
        QVERIFY(zhang > 0);
        QCOMPARE(eval.onech_score[zhang][1], 0.0);   // no score file: 0 everywhere
    }

    void incomplete_files_are_listed_but_opened()
    {
        eval_fixture folder;
        folder.folders()
            .paper("1 0 1\n2 @q$ 5 @r$")
            .key("1 @ref$")
            .student("a.stu", "1 @answer$")
            .student("b.stu", "2")
            .student("c.stu", "4 @c$")
            .student("d.stu", "")
            .scores("a.stu", "2.000\n")
            .scores("c.stu", "garbage 5");
        const eval_open_result result = eval_open(folder.folder());
        QCOMPARE(result.refusal, QString());
        const QStringList expected{QStringLiteral("st/b.stu：第1道非选择题的答案缺少开头的“@”"),
                                   QStringLiteral("st/d.stu：第1道单选题的答案无法读取"),
                                   QStringLiteral("sc/a.stu：第1道非选择题的得分无法读取"),
                                   QStringLiteral("sc/c.stu：第1道单选题的得分无法读取")};
        QCOMPARE(result.problem_names, QList<int>({8, 8, 8, 8}));
        QCOMPARE(result.problems, expected);
        const evaluation &eval = result.eval;
        QCOMPARE(eval.stu_cnt, 4);
        QCOMPARE(eval.onech_ans[2][1], 2);
        QCOMPARE(eval.onech_score[1][1], 2.0);
        QCOMPARE(eval.unch_ans[3][1], QStringLiteral("c"));
        // What a file leaves unread is blank or 0.
        QCOMPARE(eval.unch_ans[2][1], QString());
        QCOMPARE(eval.onech_ans[4][1], 0);
        QCOMPARE(eval.unch_ans[4][1], QString());
        QCOMPARE(eval.unch_score[1][1], 0.0);
        QCOMPARE(eval.unch_score[3][1], 5.0);
    }

    void every_row_of_a_large_class_is_its_own_student()
    {
        eval_fixture folder;
        folder.folders().paper("1 0 1\n300 @q$ 5 @r$").key("1 @ref$");
        QStringList expected_answers;
        QStringList expected_scores;
        for (int s = 1; s <= 300; ++s) {
            const QByteArray name = QByteArray::number(s) + ".stu";
            if (s % 7 == 0) {
                folder.student(name, QByteArray::number(s % 64));   // no answer text
                expected_answers << QStringLiteral("st/%1.stu：第1道非选择题的答案缺少开头的“@”").arg(s);
            } else {
                folder.student(name, QByteArray::number(s % 64) + " @答" + QByteArray::number(s) + "$");
            }
            if (s % 11 == 0) {
                folder.scores(name, "x 0");
                expected_scores << QStringLiteral("sc/%1.stu：第1道单选题的得分无法读取").arg(s);
            } else if (s % 2 == 0) {
                folder.scores(name, QByteArray::number(s) + "\n0.5\n");
            }
        }
        const eval_open_result result = eval_open(folder.folder());
        QCOMPARE(result.refusal, QString());
        QCOMPARE(result.problems, expected_answers + expected_scores);   // answers first, in class order
        const evaluation &eval = result.eval;
        QCOMPARE(eval.stu_cnt, 300);
        for (int s = 1; s <= 300; ++s) {
            QCOMPARE(eval.stu_file[std::size_t(s)], QByteArray::number(s) + ".stu");
            QCOMPARE(eval.onech_ans[s][1], s % 64);
            QCOMPARE(eval.unch_ans[s][1], s % 7 == 0 ? QString() : QStringLiteral("答%1").arg(s));
            const bool scored = s % 11 != 0 && s % 2 == 0;
            QCOMPARE(eval.onech_score[s][1], scored ? double(s) : 0.0);
            QCOMPARE(eval.unch_score[s][1], scored ? 0.5 : 0.0);
        }
    }

    void save_and_reopen()
    {
        eval_fixture folder;
        const QByteArray zhao_file = chinese_name(QStringLiteral("赵六.stu"));
        two_one_one(folder).student(zhao_file, "1 1 1 @答$");
        eval_open_result opened = eval_open(folder.folder());
        QCOMPARE(opened.refusal, QString());
        evaluation &eval = opened.eval;
        QCOMPARE(eval.stu_cnt, 4);
        for (int s = 1; s <= eval.stu_cnt; ++s) {
            eval.onech_score[s][1] = s;
            eval.onech_score[s][2] = 0.5;
            eval.some_score[s][1] = 1.0 / 3;
            eval.unch_score[s][1] = 10 - s;
        }
        QCOMPARE(write_scores(eval).failures, QStringList());
        QCOMPARE(folder.bytes("sc/" + QStringLiteral("张三.stu").toUtf8()).count('\n'), 4);
        const int zhao = student_row(eval, zhao_file);
        QVERIFY(zhao > 0);
        QCOMPARE(folder.bytes("sc/" + zhao_file),
                 QByteArray::number(zhao) + ".000\n0.500\n0.333\n" + QByteArray::number(10 - zhao) + ".000\n");
        // Only the score files are in sc: no temporary file is left behind.
        dir_entries entries;
        QCOMPARE(dir_list(folder.folder() + "/sc", &entries), QString());
        QCOMPARE(entries.files.size(), std::size_t(4));

        const eval_open_result reopened = eval_open(folder.folder());
        QCOMPARE(reopened.refusal, QString());
        QCOMPARE(reopened.eval.onech_score[zhao][1], double(zhao));
        QCOMPARE(reopened.eval.some_score[zhao][1], 0.333);   // saved with three decimals
        QCOMPARE(reopened.eval.unch_score[zhao][1], double(10 - zhao));
    }

    void save_failure_is_reported_and_keeps_the_old_file()
    {
        eval_fixture folder;
        folder.folders().scores("a.stu", "1.000\n");
        QDir(folder.path).mkpath(QStringLiteral("sc/b.stu/occupied"));   // b's score file can't be replaced
        evaluation eval;
        eval.onech_cnt = 1;
        eval.stu_cnt = 2;
        eval.stu_file = {QByteArray(), "a.stu", "b.stu"};
        eval.sc_path = folder.folder() + "/sc/";
        evaluation_tables_reset(eval);
        eval.onech_score[1][1] = 2;
        eval.onech_score[2][1] = 2;

        const QStringList failures = write_scores(eval).failures;
        QCOMPARE(failures.size(), 1);
        QVERIFY(failures[0].startsWith(QStringLiteral("sc/b.stu：")));
        QCOMPARE(folder.bytes("sc/a.stu"), QByteArray("2.000\n"));
        QVERIFY(QFileInfo(folder.path + "/sc/b.stu/occupied").isDir());
    }

    void failed_write_leaves_the_previous_file()
    {
#ifdef Q_OS_WIN
        QSKIP("a full disk is a file size limit here, which Windows lacks");
#else
        QTemporaryDir dir;
        const QByteArray path = file_name_encode(dir.path()) + "/a.stu";
        QCOMPARE(file_replace(path, "1.000\n"), QString());

        QString failure;
        {
            file_size_limit full_disk(4);
            failure = file_replace(path, "2.000\n3.000\n");
        }

        QVERIFY(!failure.isEmpty());
        QByteArray contents;
        QCOMPARE(file_read_all(path, 100, &contents), QString());
        QCOMPARE(contents, QByteArray("1.000\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
#endif
    }

    void new_makes_st_and_sc()
    {
        QTemporaryDir dir;
        const QByteArray folder = file_name_encode(dir.path());
        QCOMPARE(eval_new(folder), QString());
        QVERIFY(dir_exists(folder + "/st"));
        QVERIFY(dir_exists(folder + "/sc"));
        QCOMPARE(eval_new(folder), QString());   // existing folders are fine

        eval_fixture blocked;
        blocked.file("sc", "a file where the folder should be");
        QCOMPARE(eval_new(blocked.folder()),
                 QStringLiteral("无法创建下列文件夹：\n%1/sc：%2").arg(blocked.path, system_reason(EEXIST)));
        QVERIFY(dir_exists(blocked.folder() + "/st"));

        const QString missing = dir.path() + "/missing";
        QCOMPARE(eval_new(file_name_encode(missing)),
                 QStringLiteral("无法创建下列文件夹：\n%1/st：%2\n%1/sc：%2").arg(missing, system_reason(ENOENT)));
    }

    void odd_files_never_block_or_exhaust()
    {
        // A FIFO never written to, a device without end, a file over the cap: each is refused
        // at once instead of hanging the window or running it out of memory.
#ifdef Q_OS_WIN
        QSKIP("Windows has neither FIFOs nor links in a folder; test_file_io_windows reads its devices and pipes");
#else
        eval_fixture eval;
        two_one_one(eval);
        QCOMPARE(::mkfifo((eval.folder() + "/sc/张三.stu").constData(), 0666), 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), eval.path + "/st/零.stu"));
        eval.student("大.stu", QByteArray(int(MAX_ANSWER_BYTES) + 1, ' '));
        const eval_open_result result = eval_open(eval.folder());
        QCOMPARE(result.refusal, QString());
        QCOMPARE(result.problems,
                 QStringList({QStringLiteral("st/零.stu：不是普通文件，未作为学生读入"),
                              QStringLiteral("st/大.stu：文件大小为8388609字节，超过了8 MB的上限"),
                              QStringLiteral("sc/张三.stu：不是普通文件")}));

        eval_fixture fifo_paper;
        fifo_paper.folders();
        QCOMPARE(::mkfifo((fifo_paper.folder() + "/problem.prb").constData(), 0666), 0);
        QCOMPARE(eval_open(fifo_paper.folder()).refusal,
                 QStringLiteral("无法读取所选择的文件夹下的problem.prb文件：不是普通文件"));
#endif
    }

    void st_and_sc_as_one_folder_are_refused()
    {
#ifdef Q_OS_WIN
        QSKIP("QFile::link makes shortcuts on Windows, no links");
#endif
        eval_fixture eval;
        two_one_one(eval);
        QDir(eval.path).rmdir(QStringLiteral("sc"));
        QVERIFY(QFile::link(QStringLiteral("st"), eval.path + "/sc"));
        QCOMPARE(eval_open(eval.folder()).refusal,
                 QStringLiteral("所选择的文件夹下的st和sc是同一个文件夹，保存成绩会覆盖学生的答卷"));
    }

    void surplus_values_are_reported()
    {
        eval_fixture eval;
        two_one_one(eval).scores("李四.stu", "1\n2\n3\n4\n5\n").student("赵六.stu", "2 1 5 @a$ @b$");
        const eval_open_result result = eval_open(eval.folder());
        const QString surplus = QStringLiteral("内容多于试卷的题目数，多出的部分未读入");
        QCOMPARE(result.problems, QStringList({QStringLiteral("st/赵六.stu：") + surplus,
                                               QStringLiteral("sc/李四.stu：") + surplus}));
        QCOMPARE(result.eval.unch_score[2][1], 4.0);   // what the paper asks for is read
    }

    void unreadable_score_files_are_kept_as_backups()
    {
        eval_fixture eval;
        two_one_one(eval).scores("李四.stu", "2.000\n4,000\n1.500\n7.500\n").scores("李四.stu.bak", "older\n");
        eval_open_result result = eval_open(eval.folder());
        QCOMPARE(result.problems, QStringList(QStringLiteral("sc/李四.stu：第2道单选题的得分无法读取")));
        const save_report report = write_scores(result.eval);
        QCOMPARE(report.failures, QStringList());
        QCOMPARE(report.backups, QStringList(QStringLiteral("sc/李四.stu.bak2")));
        QCOMPARE(eval.bytes("sc/李四.stu.bak2"), QByteArray("2.000\n4,000\n1.500\n7.500\n"));
        QCOMPARE(eval.bytes("sc/李四.stu.bak"), QByteArray("older\n"));
        // Only the value that could not be read is lost; those after it are saved again.
        QCOMPARE(eval.bytes("sc/李四.stu"), QByteArray("2.000\n0.000\n1.500\n7.500\n"));
        // Once saved, the file is the program's own: the next save keeps no further backup.
        QCOMPARE(write_scores(result.eval).backups, QStringList());
    }

    void changes_by_other_writers_are_noticed()
    {
        eval_fixture eval;
        two_one_one(eval).scores("王五.stu", "1\n0\n0\n0\n").scores("李四.stu", "2\n0\n0\n0\n");
        eval_open_result result = eval_open(eval.folder());
        QVERIFY(eval_merge_read(result.eval).rows.empty());
        // Another window saved meanwhile: every file new, one of them with the same bytes.
        QFile::remove(eval.path + QStringLiteral("/sc/李四.stu"));
        eval.scores("王五.stu", "2\n0\n0\n0\n").scores("张三.stu", "3\n0\n0\n0\n").scores("李四.stu", "2\n0\n0\n0\n");
        const eval_merge merge = eval_merge_read(result.eval);
        QCOMPARE(merge.rows.size(), std::size_t(2));
        QCOMPARE(result.eval.stu_file[std::size_t(merge.rows[0].first)], QByteArray("张三.stu"));
        QCOMPARE(result.eval.stu_file[std::size_t(merge.rows[1].first)], QByteArray("王五.stu"));
        QCOMPARE(write_scores(result.eval).failures, QStringList());
        QVERIFY(eval_merge_read(result.eval).rows.empty());   // our own save is no change
        QCOMPARE(result.eval.sc_base[1], std::optional<QByteArray>(eval.bytes("sc/张三.stu")));
    }

    void saved_scores_outside_their_range_are_reported_and_kept()
    {
        eval_fixture eval;
        two_one_one(eval).scores("李四.stu", "99\n-2\n0\n10\n");
        eval_open_result result = eval_open(eval.folder());
        QCOMPARE(result.problems, QStringList(QStringLiteral("sc/李四.stu：第1道单选题的得分为99，不在0到满分2之间；"
                                                             "第2道单选题的得分为-2，不在0到满分2之间")));
        QCOMPARE(result.eval.onech_score[2][1], 99.0);
        QCOMPARE(result.eval.onech_score[2][2], -2.0);
        // Nothing was lost in reading, so nothing is kept aside, and nothing is promised.
        QCOMPARE(eval_open_problems_message(result).tail, QString());
        QCOMPARE(write_scores(result.eval).backups, QStringList());
    }

    void the_closing_sentence_says_what_becomes_of_what_was_not_read()
    {
        eval_fixture eval;
        two_one_one(eval).student("赵六.stu", "2 x 5 @a$");
        eval_open_result answers = eval_open(eval.folder());
        QCOMPARE(eval_open_problems_message(answers).tail, QStringLiteral("未读到的选择题答案不予评分，原有得分保持不变。"));
        eval.scores("张三.stu", "2\n2\n4\nx\n");
        QCOMPARE(eval_open_problems_message(eval_open(eval.folder())).tail,
                 QStringLiteral("未读到的选择题答案不予评分，原有得分保持不变；"
                                "未读到的成绩按0分处理，保存时会先把原成绩文件另存为同名的“.bak”文件。"));
    }

    void leftover_temporary_files_of_ended_saves_are_removed()
    {
        eval_fixture eval;
        const QByteArray ended = QByteArray::number(gone_pid());
        other_process other;
        const QByteArray running = QByteArray::number(other.pid());
        two_one_one(eval)
            .scores(".lumo-" + ended + "-3.tmp", "1\n")
            .scores(".lumo-" + running + "-0.tmp", "1\n")
            .scores(".lumo-x-1.tmp", "1\n")
            .file(".lumo-" + ended + "-0.tmp", "1\n");
        eval_open_result result = eval_open(eval.folder());
        QCOMPARE(result.problems, QStringList());
        eval_open_clean(result);
        const QString removed = QStringLiteral("上次保存中断时留下的临时文件，已删除");
        QCOMPARE(result.problems, QStringList({QStringLiteral(".lumo-%1-0.tmp：").arg(QString::fromLatin1(ended)) + removed,
                                               QStringLiteral("sc/.lumo-%1-3.tmp：").arg(QString::fromLatin1(ended)) + removed}));
        QVERIFY(!QFile::exists(eval.path + "/sc/.lumo-" + ended + "-3.tmp"));
        QVERIFY(QFile::exists(eval.path + "/sc/.lumo-" + running + "-0.tmp"));
        QVERIFY(QFile::exists(eval.path + "/sc/.lumo-x-1.tmp"));
    }

    void any_name_that_opens_also_saves()
    {
        eval_fixture eval;
        // 255 bytes, the most a name takes: its backup's name is cut short, between characters.
        const QString stem = QStringLiteral("xx") + QString(83, QChar(0x5B57));
        const QByteArray longest = stem.toUtf8() + ".stu";
        eval.folders().paper("1 0 0\n1 @q$").key("1").student(longest, "1").scores(longest, "1,0\n");
        eval.scores((stem + QStringLiteral(".bak")).toUtf8(), "older\n");
        eval_open_result result = eval_open(eval.folder());
        QCOMPARE(result.refusal, QString());
        const save_report report = write_scores(result.eval);
        QCOMPARE(report.failures, QStringList());
        QCOMPARE(eval.bytes("sc/" + longest), QByteArray("0.000\n"));
        const QString backup = stem.left(stem.size() - 1) + QStringLiteral(".bak2");
        QCOMPARE(report.backups, QStringList(QStringLiteral("sc/") + backup));
        QCOMPARE(eval.bytes("sc/" + backup.toUtf8()), QByteArray("1,0\n"));
    }
};

QTEST_GUILESS_MAIN(test_eval_files)
#include "test_eval_files.moc"

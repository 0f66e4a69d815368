// New, open, save and close through the real window, on evaluation folders on disk.

#include "eval_fixture.h"
#include "window_driver.h"
#include "app/start.h"

#include <QDoubleSpinBox>
#include <QProgressBar>
#include <QTableWidget>
#include <QTextBrowser>
#include <QtTest>

namespace {

const char *const evaluation_controls[] = {"close_paper", "save_paper", "servey", "score_show", "out_file"};
const char *const choice_controls[] = {"test_ch", "ch_ifm_show"};
const char *const scoring_controls[] = {"last_pro", "next_pro", "last_stu", "next_stu", "save_score",
                                        "unch_pro", "pro_ans", "stu_ans", "unch_score_in"};
const char *const count_labels[] = {"onech_num", "some_num", "notch_num", "stu_num", "score_total"};
const QString close_question = QStringLiteral("您确定要关闭此评测吗？请确认是否保存评测。\n"
                                              "（点击“保存评测按钮”，若不想保存评测，忽略此操作）");

QStringList header_labels(QTableWidget *table)
{
    QStringList labels;
    for (int c = 0; c < table->columnCount(); ++c)
        labels << (table->horizontalHeaderItem(c) ? table->horizontalHeaderItem(c)->text() : QString());
    return labels;
}

// Everything a teacher can see of the window's state, for before/after comparisons.
QStringList visible_state(window_driver &d)
{
    QStringList state;
    // The widgets of the form, not the toolkit's own helpers inside them.
    for (QWidget *widget : d.window.findChildren<QWidget *>()) {
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")))
            state << widget->objectName() + (widget->isEnabled() ? "+" : "-");
    }
    for (QLabel *label : d.window.findChildren<QLabel *>())
        state << label->text();
    for (QLCDNumber *number : d.window.findChildren<QLCDNumber *>())
        state << QString::number(number->value());
    for (QTextBrowser *browser : d.window.findChildren<QTextBrowser *>())
        state << browser->toPlainText();
    auto *table = d.find<QTableWidget>("score_show");
    state << header_labels(table) << QString::number(table->rowCount());
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c)
            state << (table->item(r, c) ? table->item(r, c)->text() : QStringLiteral("<none>"));
    state << QString::number(d.find<QDoubleSpinBox>("unch_score_in")->value())
          << QString::number(d.find<QDoubleSpinBox>("unch_score_in")->maximum())
          << QString::number(d.find<QProgressBar>("jingdu")->value());
    return state;
}

// Opens the 2+1+1 evaluation and uses every page a little.
void open_and_work(window_driver &d, eval_fixture &eval)
{
    two_one_one(eval);
    d.open(eval.path);
    d.click("test_ch");
    d.click("next_stu");
    d.click("servey");
}

}  // namespace

class test_lifecycle : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_cwd.isValid());
        QDir::setCurrent(m_cwd.path());
    }

    void new_makes_both_sub_folders()
    {
        window_driver d;
        QTemporaryDir dir;
        d.dialogs->queue_folder(dir.path());
        d.click("new_paper");
        const std::vector<dialog_call> calls = d.dialogs->take_calls();
        QCOMPARE(calls.size(), std::size_t(1));
        QCOMPARE(calls[0].kind, dialog_kind::folder);
        QCOMPARE(calls[0].text, QStringLiteral("指定新建答卷所在的文件夹"));
        QCOMPARE(calls[0].dir, QStringLiteral("."));
        QVERIFY(QFileInfo(dir.path() + "/st").isDir());
        QVERIFY(QFileInfo(dir.path() + "/sc").isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);

        d.dialogs->queue_folder(dir.path());   // existing sub-folders are fine
        d.click("new_paper");
        QCOMPARE(d.dialogs->take_messages(), QStringList());
        QVERIFY(!d.enabled("save_paper"));      // new does not open the folder
    }

    void cancelled_new_creates_nothing()
    {
        window_driver d;
        d.click("new_paper");   // no folder queued: the picker was cancelled
        QCOMPARE(d.dialogs->take_calls().size(), std::size_t(1));
        QCOMPARE(QDir(m_cwd.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void new_reports_a_folder_it_cannot_make()
    {
        window_driver d;
        QTemporaryDir dir;
        eval_fixture blocker;
        blocker.file("sc", "a file where the folder should be");
        d.dialogs->queue_folder(blocker.path);
        d.click("new_paper");
        const QStringList messages = d.dialogs->take_messages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].startsWith(QStringLiteral("无法创建下列文件夹：\n")));
        QVERIFY(messages[0].contains(blocker.path + "/sc"));
        QVERIFY(!messages[0].contains(blocker.path + "/st"));
        QVERIFY(QFileInfo(blocker.path + "/st").isDir());
    }

    void open_checks_in_order()
    {
        window_driver d;
        eval_fixture eval;
        QCOMPARE(d.open(eval.path), QStringList{QStringLiteral("所选择的文件夹下缺少problem.prb文件")});
        eval.paper("1 0 0\n2 @q$");
        QCOMPARE(d.open(eval.path), QStringList{QStringLiteral("所选择的文件夹下缺少answer.ans文件")});
        eval.key("2");
        QCOMPARE(d.open(eval.path), QStringList{QStringLiteral("所选择的文件夹下缺少st文件夹")});
        QDir(eval.path).mkdir("st");
        QCOMPARE(d.open(eval.path), QStringList{QStringLiteral("所选择的文件夹下缺少sc文件夹")});
        QDir(eval.path).mkdir("sc");
        QCOMPARE(d.open(eval.path), QStringList{QStringLiteral("所选择的st文件夹下缺少.stu文件夹")});
        QVERIFY(!d.enabled("save_paper"));
        QCOMPARE(d.label("stu_num"), d.label("onech_num"));   // still the initial text
        eval.student("a.stu", "2");
        QCOMPARE(d.open(eval.path), QStringList());
        QVERIFY(d.enabled("save_paper"));
    }

    void open_asks_for_the_folder()
    {
        window_driver d;
        d.click("open_paper");
        const std::vector<dialog_call> calls = d.dialogs->take_calls();
        QCOMPARE(calls.size(), std::size_t(1));   // cancelled: no message follows
        QCOMPARE(calls[0].text, QStringLiteral("指定打开答卷的所在文件夹"));
        QCOMPARE(calls[0].dir, QStringLiteral("."));
        QVERIFY(!d.enabled("save_paper"));
    }

    void open_prepares_every_page()
    {
        window_driver d;
        eval_fixture eval;
        two_one_one(eval);
        QCOMPARE(d.open(eval.path), QStringList());

        QCOMPARE(d.label("onech_num"), QStringLiteral("2"));
        QCOMPARE(d.label("some_num"), QStringLiteral("1"));
        QCOMPARE(d.label("notch_num"), QStringLiteral("1"));
        QCOMPARE(d.label("stu_num"), QStringLiteral("3"));
        QCOMPARE(d.label("score_total"), QStringLiteral("18.000"));
        for (const char *name : evaluation_controls)
            QVERIFY2(d.enabled(name), name);
        for (const char *name : choice_controls)
            QVERIFY2(d.enabled(name), name);
        for (const char *name : scoring_controls)
            QVERIFY2(d.enabled(name), name);
        QVERIFY(d.enabled("new_paper") && d.enabled("open_paper"));

        auto *table = d.find<QTableWidget>("score_show");
        QCOMPARE(table->rowCount(), 3);
        const QStringList headers{"学生文件名", "总分", "单选题1", "单选题2", "多选题1", "非选择题1"};
        QCOMPARE(header_labels(table), headers);
        QVERIFY(!table->item(0, 0));   // filled by the statistics, not by open

        QCOMPARE(d.lcd("pro_now"), 1.0);   // the scoring page's cursor
        QCOMPARE(d.lcd("stu_now"), 1.0);
        QCOMPARE(d.lcd("pro_tot"), 1.0);
        QCOMPARE(d.lcd("stu_tot"), 3.0);
        QCOMPARE(d.lcd("pro_score"), 10.0);
        QCOMPARE(d.find<QTextBrowser>("unch_pro")->toPlainText(), QStringLiteral("请说明理由。\n写出过程。"));
        QCOMPARE(d.find<QTextBrowser>("pro_ans")->toPlainText(), QStringLiteral("因为2是偶数。"));
        QCOMPARE(d.find<QTextBrowser>("stu_ans")->toPlainText(), QStringLiteral("它是偶数。"));   // 张三 comes first
        QCOMPARE(d.label("pingce"), QStringLiteral("未进行操作"));   // reset as close resets it
    }

    void paper_without_choice_or_open_questions()
    {
        window_driver d;
        eval_fixture eval;
        eval.folders().paper("0 0 1\n5 @q$").key("@r$").student("a.stu", "@a$");
        QCOMPARE(d.open(eval.path), QStringList());
        QVERIFY(!d.enabled("test_ch"));
        QVERIFY(!d.enabled("ch_ifm_show"));
        QVERIFY(d.enabled("next_stu"));

        d.close();
        eval_fixture choices;
        choices.folders().paper("1 0 0\n5 @q$").key("1").student("a.stu", "1");
        QCOMPARE(d.open(choices.path), QStringList());
        QVERIFY(d.enabled("test_ch"));
        for (const char *name : scoring_controls)
            QVERIFY2(!d.enabled(name), name);
        QCOMPARE(d.lcd("pro_now"), 0.0);
        QCOMPARE(d.lcd("stu_now"), 0.0);
    }

    void incomplete_files_are_reported_once_after_loading()
    {
        window_driver d;
        eval_fixture eval;
        two_one_one(eval).scores("李四.stu", "1\n").student("赵六.stu", "1 1");
        const QStringList messages = d.open(eval.path);
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].startsWith(QStringLiteral("打开评测时，下列文件未能完整读取或内容有误：\n"
                                                      "st/赵六.stu：第1道多选题的答案无法读取\n"
                                                      "sc/李四.stu：第2道单选题的得分无法读取\n")));
        QCOMPARE(d.label("stu_num"), QStringLiteral("4"));
        QVERIFY(d.enabled("save_paper"));
    }

    // The real box, not the script: it must default to OK and escape to Cancel.
    void close_asks_with_a_real_box_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Return") << int(Qt::Key_Return) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    }

    void close_asks_with_a_real_box()
    {
        QFETCH(int, key);
        QFETCH(bool, closes);
        window_driver d;
        eval_fixture eval;
        two_one_one(eval);
        d.open(eval.path);
        const QStringList before = visible_state(d);
        {
            real_box_answer answer{d, Qt::Key(key)};
            d.click("close_paper");
            QCOMPARE(answer.boxes.size(), std::size_t(1));
            const real_box_answer::shown &box = answer.boxes[0];
            QCOMPARE(box.title, QStringLiteral("提示"));
            QCOMPARE(box.icon, QMessageBox::NoIcon);
            QCOMPARE(box.text, close_question);
            QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
            QCOMPARE(box.default_button, QMessageBox::Ok);
            QCOMPARE(box.escape_button, QMessageBox::Cancel);
            QVERIFY(!box.left_open);
        }
        if (closes) {
            QCOMPARE(d.label("stu_num"), QStringLiteral("未打开评测"));
            QVERIFY(!d.enabled("close_paper"));
            return;
        }
        QCOMPARE(visible_state(d), before);
        d.click("next_stu");   // still student 1 of 3
        QCOMPARE(d.lcd("stu_now"), 2.0);
    }

    void close_returns_to_the_initial_state()
    {
        window_driver fresh;
        const QStringList initial = visible_state(fresh);

        window_driver d;
        eval_fixture eval;
        open_and_work(d, eval);
        d.close();

        for (const char *name : count_labels)
            QCOMPARE(d.label(name), QStringLiteral("未打开评测"));   // plain text now
        for (const char *name : evaluation_controls)
            QVERIFY2(!d.enabled(name), name);
        for (const char *name : choice_controls)
            QVERIFY2(!d.enabled(name), name);
        for (const char *name : scoring_controls)
            QVERIFY2(!d.enabled(name), name);
        for (const char *name : {"pro_now", "stu_now", "pro_tot", "stu_tot", "pro_score"})
            QCOMPARE(d.lcd(name), 0.0);
        QCOMPARE(d.find<QDoubleSpinBox>("unch_score_in")->value(), 0.0);
        QCOMPARE(d.find<QProgressBar>("jingdu")->value(), 0);
        QCOMPARE(d.label("pingce"), QStringLiteral("未进行操作"));
        for (const char *name : {"ch_ifm_show", "unch_pro", "pro_ans", "stu_ans"})
            QVERIFY2(d.find<QTextBrowser>(name)->toPlainText().isEmpty(), name);
        auto *table = d.find<QTableWidget>("score_show");
        QCOMPARE(table->rowCount(), 0);
        QCOMPARE(table->columnCount(), 0);

        // Apart from the plain texts close puts back, the window is as it started.
        QStringList closed = visible_state(d);
        QCOMPARE(closed.size(), initial.size());
        int differences = 0;
        for (int i = 0; i < closed.size(); ++i)
            differences += closed[i] != initial[i];
        // The five count labels, the status line, and the score entry's range, which keeps
        // the last question's full score.
        QCOMPARE(differences, 7);
    }

    void close_then_open_shows_the_saved_scores()
    {
        window_driver d;
        eval_fixture eval;
        two_one_one(eval);
        d.open(eval.path);
        d.click("test_ch");
        d.click("save_paper");
        QCOMPARE(d.dialogs->take_messages(), QStringList());   // a save that succeeds is silent
        QCOMPARE(eval.bytes("sc/" + QStringLiteral("张三.stu").toUtf8()), QByteArray("2.000\n2.000\n4.000\n0.000\n"));
        // Scored after the save, then closed without saving.
        d.find<QDoubleSpinBox>("unch_score_in")->setValue(5);
        d.click("save_score");
        d.close();
        QCOMPARE(eval.bytes("sc/" + QStringLiteral("张三.stu").toUtf8()), QByteArray("2.000\n2.000\n4.000\n0.000\n"));
        QCOMPARE(d.open(eval.path), QStringList());
        QCOMPARE(d.find<QDoubleSpinBox>("unch_score_in")->value(), 0.0);
        d.click("servey");
        auto *table = d.find<QTableWidget>("score_show");
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("2.000"));
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("8.000"));
    }

    // sc made a link to st after the open: the save refuses before writing anything.
    void save_writes_only_into_the_folder_it_opened()
    {
        window_driver d;
        eval_fixture eval;
        two_one_one(eval);
        d.open(eval.path);
        d.click("test_ch");
        QVERIFY(QDir(eval.path).rename(QStringLiteral("sc"), QStringLiteral("sc.old")));
#ifndef Q_OS_WIN   // QFile::link makes a shortcut on Windows, no link
        const QByteArray answers = eval.bytes("st/张三.stu");
        QVERIFY(QFile::link(eval.path + QStringLiteral("/st"), eval.path + QStringLiteral("/sc")));
        d.click("save_paper");
        QCOMPARE(d.dialogs->take_messages(),
                 QStringList(QStringLiteral("所选择的文件夹下的st和sc现在是同一个文件夹，保存成绩会覆盖学生的答卷，成绩未保存")));
        QCOMPARE(eval.bytes("st/张三.stu"), answers);
        QVERIFY(QFile::remove(eval.path + QStringLiteral("/sc")));
#endif
        QVERIFY(QDir(eval.path).mkdir(QStringLiteral("sc")));   // another folder of the same name
        d.click("save_paper");
        QCOMPARE(d.dialogs->take_messages().size(), 1);
        QVERIFY(QDir(eval.path + QStringLiteral("/sc")).isEmpty());
    }

    // Ctrl+O, Ctrl+S and Ctrl+W do what their buttons do; the title names the open class.
    void the_usual_keys_and_the_title()
    {
        window_driver d;
        eval_fixture eval;
        two_one_one(eval);
        lumo_start(d.window);
        QApplication::setActiveWindow(&d.window);
        QVERIFY(QTest::qWaitForWindowActive(&d.window));
        d.dialogs->queue_folder(eval.path);
        QTest::keyClick(&d.window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(d.window.windowTitle(), QStringLiteral("eval 已评 0/3 - LUMO试卷评测系统2.0-评测端lumo_test"));
        d.click("test_ch");
        QTest::keyClick(&d.window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(eval.bytes("sc/张三.stu"), QByteArray("2.000\n2.000\n4.000\n0.000\n"));
        d.dialogs->queue_confirm(true);
        QTest::keyClick(&d.window, Qt::Key_W, Qt::ControlModifier);
        QVERIFY(!d.enabled("close_paper"));
        QCOMPARE(d.window.windowTitle(), QStringLiteral("LUMO试卷评测系统2.0-评测端lumo_test"));
    }

    void save_reports_files_it_could_not_write()
    {
        window_driver d;
        eval_fixture eval;
        two_one_one(eval);
        d.open(eval.path);
        QDir(eval.path).mkpath(QStringLiteral("sc/李四.stu/occupied"));
        // First the question about the file that appeared since the open, answered with OK
        // (Cancel is its default); then Return on the report, which must be a plain OK box.
        real_box_answer answer{d, {{{}, QMessageBox::Ok}, {{Qt::Key_Return}}}};
        d.click("save_paper");
        QCOMPARE(answer.boxes.size(), std::size_t(2));
        QVERIFY(answer.boxes[0].text.startsWith(QStringLiteral("下列成绩文件在本窗口读取之后被其他程序改动过：\nsc/李四.stu\n")));
        QCOMPARE(answer.boxes[0].default_button, QMessageBox::Cancel);
        const real_box_answer::shown &box = answer.boxes[1];
        QCOMPARE(box.title, QStringLiteral("提示"));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.format, Qt::PlainText);   // names in it are never read as markup
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(!box.left_open);
        QVERIFY(box.text.startsWith(QStringLiteral("下列成绩文件未能保存，原有的文件保持不变：\nsc/李四.stu：")));
        QVERIFY(!eval.bytes("sc/" + QStringLiteral("王五.stu").toUtf8()).isEmpty());
    }

    void failed_open_leaves_the_open_evaluation()
    {
        window_driver d;
        eval_fixture eval;
        open_and_work(d, eval);
        const QStringList before = visible_state(d);

        eval_fixture broken;
        broken.folders().paper("0 0 2\n5 @q$ 6 @r$").key("@r$ @s$");   // no students
        QCOMPARE(d.open(broken.path), QStringList{QStringLiteral("所选择的st文件夹下缺少.stu文件夹")});
        broken.student("x.stu", "").paper("0 0 2\n5 @q$ 6 @unterminated");
        QCOMPARE(d.open(broken.path), QStringList{QStringLiteral("problem.prb文件有误：第2道非选择题的题面缺少结尾的“$”")});

        QCOMPARE(visible_state(d), before);
        // Still the first evaluation: one non-choice question, student 2 of 3.
        d.click("next_pro");
        QCOMPARE(d.lcd("pro_now"), 1.0);
        d.click("next_stu");
        QCOMPARE(d.lcd("stu_now"), 3.0);
        d.click("save_paper");   // scores still go into the open evaluation's folder
        QVERIFY(!eval.bytes("sc/" + QStringLiteral("李四.stu").toUtf8()).isEmpty());
        QVERIFY(QDir(broken.path + "/sc").isEmpty());
    }

    void open_over_open_empties_the_score_table()
    {
        window_driver d;
        eval_fixture first;
        two_one_one(first);
        d.open(first.path);
        d.click("test_ch");
        d.click("servey");
        QVERIFY(d.find<QTableWidget>("score_show")->item(0, 2));

        eval_fixture second;
        second.folders().paper("3 0 0\n1 @a$ 1 @b$ 1 @c$").key("1 1 1").student("x.stu", "1 1 1");
        d.dialogs->queue_ask_save(save_answer::discard);   // the grading was not saved
        QCOMPARE(d.open(second.path), QStringList());
        auto *table = d.find<QTableWidget>("score_show");
        QCOMPARE(header_labels(table), QStringList({"学生文件名", "总分", "单选题1", "单选题2", "单选题3"}));
        QCOMPARE(table->rowCount(), 1);
        for (int c = 0; c < table->columnCount(); ++c)
            QVERIFY(!table->item(0, c));
    }

    void open_over_open_without_open_questions_clears_the_scoring_page()
    {
        window_driver d;
        eval_fixture first;
        two_one_one(first);
        d.open(first.path);
        d.click("next_stu");
        d.click("next_stu");
        QCOMPARE(d.lcd("stu_now"), 3.0);

        eval_fixture second;
        second.folders().paper("1 0 0\n1 @a$").key("1").student("x.stu", "1");
        d.dialogs->queue_ask_save(save_answer::discard);   // two answers were scored by hand
        QCOMPARE(d.open(second.path), QStringList());
        for (const char *name : scoring_controls)
            QVERIFY2(!d.enabled(name), name);
        for (const char *name : {"pro_now", "stu_now", "pro_tot", "stu_tot", "pro_score"})
            QCOMPARE(d.lcd(name), 0.0);
        QVERIFY(d.find<QTextBrowser>("stu_ans")->toPlainText().isEmpty());
        QVERIFY(d.find<QTextBrowser>("unch_pro")->toPlainText().isEmpty());
    }

    void open_keeps_the_log_and_status()
    {
        window_driver d;
        eval_fixture eval;
        two_one_one(eval);
        d.open(eval.path);
        d.click("test_ch");
        const QString log = d.find<QTextBrowser>("ch_ifm_show")->toPlainText();
        d.open(eval.path);
        QCOMPARE(d.find<QTextBrowser>("ch_ifm_show")->toPlainText(), log);
        QCOMPARE(d.label("pingce"), QStringLiteral("评测完成"));
        QCOMPARE(d.find<QProgressBar>("jingdu")->value(), 100);
    }

private:
    QTemporaryDir m_cwd;
};

QTEST_MAIN(test_lifecycle)
#include "test_lifecycle.moc"

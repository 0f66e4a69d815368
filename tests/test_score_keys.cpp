// Scoring from the keyboard, the score box refusing what it cannot store as typed, the
// export's question, the toolkit's Chinese and messages that fit the screen.

#include "app/translation.h"
#include "store/eval_open.h"
#include "eval_fixture.h"
#include "window_driver.h"

#include <QDoubleSpinBox>
#include <QScreen>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolTip>
#include <QTextBrowser>
#include <QWheelEvent>
#include <QtTest>

namespace {

// Three students, two open questions of 10 and 8 points.
void two_questions(eval_fixture &eval)
{
    eval.folders().paper("0 0 2\n10 @q1$ 8 @q2$").key("@r1$ @r2$");
    for (const char *name : {"a.stu", "b.stu", "c.stu"})
        eval.student(name, "@x$ @y$");
}

}  // namespace

class test_score_keys : public QObject
{
    Q_OBJECT

    QDoubleSpinBox *box(window_driver &d) { return d.find<QDoubleSpinBox>("unch_score_in"); }
    QLineEdit *edit(window_driver &d) { return box(d)->findChild<QLineEdit *>(); }

    // Types into the box as a person does, then presses Enter with the modifiers. Each
    // character is a key event carrying its text, as a keyboard or an input method sends it.
    void score(window_driver &d, const QString &typed, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        for (const QChar c : typed) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box(d), &press);
        }
        QTest::keyClick(box(d), Qt::Key_Return, modifiers);
    }

    // The window as the teacher has it: active, so focus changes reach the box.
    void activate(window_driver &d)
    {
        QApplication::setActiveWindow(&d.window);
        QVERIFY(QTest::qWaitForWindowActive(&d.window));
    }

private slots:
    void one_key_scores_and_moves()
    {
        eval_fixture eval;
        two_questions(eval);
        window_driver d;
        d.open(eval.path);
        activate(d);
        box(d)->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(edit(d)->selectedText(), QStringLiteral("0.000"));   // digits replace it

        score(d, QStringLiteral("6"));
        QCOMPARE(d.lcd("stu_now"), 2.0);
        QCOMPARE(edit(d)->selectedText(), QStringLiteral("0.000"));
        score(d, QStringLiteral("7"), Qt::ShiftModifier);
        QCOMPARE(d.lcd("stu_now"), 1.0);
        QCOMPARE(box(d)->value(), 6.0);
        score(d, QStringLiteral("5.5"), Qt::ControlModifier);
        QCOMPARE(d.lcd("pro_now"), 2.0);
        score(d, QStringLiteral("3"), Qt::ControlModifier);   // the last question: stores, stays
        QCOMPARE(d.lcd("pro_now"), 2.0);
        score(d, QString(), Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(d.lcd("pro_now"), 1.0);
        QCOMPARE(box(d)->value(), 5.5);

        d.click("save_paper");
        QCOMPARE(eval.bytes("sc/a.stu"), QByteArray("5.500\n3.000\n"));
        QCOMPARE(eval.bytes("sc/b.stu"), QByteArray("7.000\n0.000\n"));
        QCOMPARE(d.dialogs->take_messages(), QStringList());
    }

    void typed_scores_are_stored_as_typed_or_refused_data()
    {
        QTest::addColumn<bool>("second_question");   // 8 points, else 10
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal");        // "" when stored
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("above the full score") << false << "12" << "本题满分为10分，得分不能超过满分" << QByteArray();
        QTest::newRow("9 on 8 points") << true << "9" << "本题满分为8分，得分不能超过满分" << QByteArray();
        QTest::newRow("below 0") << false << "-" << "得分不能小于0分" << QByteArray();
        QTest::newRow("decimal comma") << false << "7,5" << "" << QByteArray("7.500\n0.000\n");
        QTest::newRow("full-width") << false << "７．５" << "" << QByteArray("7.500\n0.000\n");
        QTest::newRow("full-width comma") << true << "６，２５" << "" << QByteArray("0.000\n6.250\n");
    }

    // Refused at the keystroke that would make the score, and again at every attempt to store
    // what is left, until the teacher types another score.
    void typed_scores_are_stored_as_typed_or_refused()
    {
        QFETCH(bool, second_question);
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        QFETCH(QByteArray, saved);
        eval_fixture eval;
        two_questions(eval);
        window_driver d;
        d.open(eval.path);
        if (second_question)
            d.click("next_pro");
        box(d)->setFocus();
        box(d)->selectAll();
        score(d, typed);
        if (refusal.isEmpty()) {
            QCOMPARE(d.dialogs->take_messages(), QStringList());
            QCOMPARE(d.lcd("stu_now"), 2.0);
            d.click("save_paper");
            QCOMPARE(eval.bytes("sc/a.stu"), saved);
        } else {
            QCOMPARE(d.dialogs->take_messages(), QStringList({refusal, refusal}));   // the key, then Enter
            QCOMPARE(d.lcd("stu_now"), 1.0);   // nothing stored, nothing moved
            d.click("save_paper");              // and nothing saved, as the message says
            QCOMPARE(d.dialogs->take_messages(), QStringList(refusal + QStringLiteral("\n成绩未保存：请先改正这个得分。")));
            QVERIFY(eval.bytes("sc/a.stu").isEmpty());
        }
    }

    // However the box gets the focus its text is selected, and so it is at the first click
    // after that: the digits typed replace the score, never join it.
    void every_arrival_selects_the_score()
    {
        eval_fixture eval;
        two_questions(eval);
        window_driver d;
        d.open(eval.path);
        activate(d);
        auto *tabs = d.find<QTabWidget>("tabWidget");
        tabs->setCurrentIndex(2);
        for (const Qt::FocusReason reason : {Qt::OtherFocusReason, Qt::ActiveWindowFocusReason, Qt::ShortcutFocusReason}) {
            d.find("stu_ans")->setFocus();
            box(d)->setFocus(reason);
            QTRY_COMPARE(edit(d)->selectedText(), QStringLiteral("0.000"));
        }
        // Away to the statistics and back by the tabs: the box has the focus, its score
        // selected. Then one click at the end of the text.
        tabs->setCurrentIndex(3);
        tabs->tabBar()->setFocus();
        tabs->setCurrentIndex(2);
        QTRY_VERIFY(box(d)->hasFocus());
        QTRY_COMPARE(edit(d)->selectedText(), QStringLiteral("0.000"));
        edit(d)->deselect();
        const QPoint end(edit(d)->width() - 3, edit(d)->height() / 2);
        QTest::mouseClick(edit(d), Qt::LeftButton, Qt::NoModifier, end);
        QTRY_COMPARE(edit(d)->selectedText(), QStringLiteral("0.000"));
        QTest::keyClicks(box(d), QStringLiteral("9"));
        QCOMPARE(edit(d)->text(), QStringLiteral("9"));
        // The second click places the cursor, as anywhere else.
        QTest::mouseClick(edit(d), Qt::LeftButton, Qt::NoModifier, end);
        QVERIFY(!edit(d)->hasSelectedText());
    }

    // 12 typed on a 10-point question, then 8, Enter, 6, Enter typed on before the refusal
    // could be read: those keys land nowhere, and nothing is stored for anyone.
    void keys_typed_on_behind_a_refusal_are_dropped()
    {
        eval_fixture eval;
        two_questions(eval);
        window_driver d;
        d.open(eval.path);
        box(d)->setFocus();
        box(d)->selectAll();
        {
            real_box_answer answer{d, {{{Qt::Key_8, Qt::Key_Return, Qt::Key_6, Qt::Key_Return}}}};
            QTest::keyClicks(box(d), QStringLiteral("12"));
            QCOMPARE(answer.boxes.size(), std::size_t(1));
            QCOMPARE(answer.boxes[0].text, QStringLiteral("本题满分为10分，得分不能超过满分"));
            QVERIFY(answer.boxes[0].left_open);   // the typed-on Enter did not answer it
        }
        QCOMPARE(d.lcd("stu_now"), 1.0);
        QCOMPARE(edit(d)->text(), QStringLiteral("1"));
        d.click("save_paper");
        QVERIFY(eval.bytes("sc/a.stu").isEmpty());
        QVERIFY(eval.bytes("sc/b.stu").isEmpty());
    }

    // The score keeps to 0..full score; PageUp and PageDown are for the student's answer.
    void the_box_keeps_to_the_range_and_pages_the_answer()
    {
        eval_fixture eval;
        QByteArray long_answer = "@";
        for (int line = 0; line < 200; ++line)
            long_answer += "第" + QByteArray::number(line) + "行\n";
        eval.folders().paper("0 0 1\n10 @q1$").key("@r1$").student("a.stu", long_answer + "$");
        window_driver d;
        d.open(eval.path);
        d.find<QTabWidget>("tabWidget")->setCurrentIndex(2);
        box(d)->setFocus();
        box(d)->setValue(10);
        QTest::keyClick(box(d), Qt::Key_Up);
        QCOMPARE(box(d)->value(), 10.0);
        box(d)->setValue(0);
        QTest::keyClick(box(d), Qt::Key_Down);
        QCOMPARE(box(d)->value(), 0.0);
        QScrollBar *bar = d.find<QTextBrowser>("stu_ans")->verticalScrollBar();
        QTest::keyClick(box(d), Qt::Key_PageDown);
        QVERIFY(bar->value() > 0);
        QTest::keyClick(box(d), Qt::Key_PageUp);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(box(d)->value(), 0.0);
        QCOMPARE(d.dialogs->take_messages(), QStringList());
    }

    // Enter goes on to the next question at the last student, Shift+Enter back to the
    // previous question's last student; the very last answer is stored and says so.
    void enter_goes_on_question_by_question()
    {
        eval_fixture eval;
        two_questions(eval);
        window_driver d;
        d.open(eval.path);
        activate(d);
        box(d)->setFocus();
        box(d)->selectAll();
        for (const char *typed : {"1", "2", "3"})
            score(d, QString::fromLatin1(typed));
        QCOMPARE(d.lcd("pro_now"), 2.0);
        QCOMPARE(d.lcd("stu_now"), 1.0);
        score(d, QString(), Qt::ShiftModifier);
        QCOMPARE(d.lcd("pro_now"), 1.0);
        QCOMPARE(d.lcd("stu_now"), 3.0);
        QCOMPARE(box(d)->value(), 3.0);
        for (const char *typed : {"4", "5", "6", "7"})
            score(d, QString::fromLatin1(typed));
        QCOMPARE(d.lcd("pro_now"), 2.0);
        QCOMPARE(d.lcd("stu_now"), 3.0);
        QCOMPARE(box(d)->value(), 7.0);   // the last answer: stored, and still shown
        QCOMPARE(QToolTip::text(), QStringLiteral("这是最后一份答卷，已保存得分"));
        d.click("save_paper");
        QCOMPARE(eval.bytes("sc/a.stu"), QByteArray("1.000\n5.000\n"));
        QCOMPARE(eval.bytes("sc/c.stu"), QByteArray("4.000\n7.000\n"));
    }

    // A refusal stops the statistics and the export too, and says that it did.
    void a_refused_score_says_what_did_not_happen()
    {
        eval_fixture eval;
        two_questions(eval);
        window_driver d;
        d.open(eval.path);
        box(d)->selectAll();
        QTest::keyClicks(box(d), QStringLiteral("11"));
        d.dialogs->take_messages();
        const QString refusal = QStringLiteral("本题满分为10分，得分不能超过满分\n");
        d.click("servey");
        QCOMPARE(d.dialogs->take_messages(), QStringList(refusal + QStringLiteral("成绩未统计：请先改正这个得分。")));
        QVERIFY(!d.find<QTableWidget>("score_show")->item(0, 0));
        d.click("out_file");
        QCOMPARE(d.dialogs->take_messages(), QStringList(refusal + QStringLiteral("成绩表格未导出：请先改正这个得分。")));
        QVERIFY(d.dialogs->take_calls().empty());   // no file was asked for
    }

    void the_wheel_turns_only_a_focused_box()
    {
        eval_fixture eval;
        two_questions(eval);
        window_driver d;
        d.open(eval.path);
        activate(d);
        const auto turn = [&] {
            const QPoint at = box(d)->rect().center();
            QWheelEvent wheel(QPointF(at), QPointF(box(d)->mapToGlobal(at)), QPoint(), QPoint(0, 120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(box(d), &wheel);
        };
        d.find("stu_ans")->setFocus();
        turn();
        QCOMPARE(box(d)->value(), 0.0);
        box(d)->setFocus();
        turn();
        QCOMPARE(box(d)->value(), 0.5);
    }

    void a_click_selects_the_score()
    {
        eval_fixture eval;
        two_questions(eval);
        window_driver d;
        d.open(eval.path);
        activate(d);
        QTest::mouseClick(edit(d), Qt::LeftButton, Qt::NoModifier, QPoint(edit(d)->width() - 3, 5));
        QTRY_COMPARE(edit(d)->selectedText(), QStringLiteral("0.000"));
    }

    void the_log_ends_on_its_last_line()
    {
        eval_fixture eval;
        eval.folders().paper("5 0 0\n1 @a$ 1 @b$ 1 @c$ 1 @d$ 1 @e$").key("1 2 4 8 1");
        for (int s = 1; s <= 30; ++s)
            eval.student(QByteArray::number(s) + ".stu", "1 1 1 1 1");
        window_driver d;
        d.open(eval.path);
        d.find<QTabWidget>("tabWidget")->setCurrentIndex(1);
        QScrollBar *bar = d.find<QTextBrowser>("ch_ifm_show")->verticalScrollBar();
        for (int run = 0; run < 2; ++run) {
            d.click("test_ch");
            QTRY_VERIFY(bar->maximum() > 0 && bar->value() == bar->maximum());
        }
    }

    void export_asks_before_replacing_a_file_the_extension_names()
    {
        eval_fixture eval;
        two_questions(eval);
        QTemporaryDir out;
        const QString typed = out.path() + QStringLiteral("/成绩");
        QFile old(typed + QStringLiteral(".xlsx"));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        window_driver d;
        d.open(eval.path);
        d.dialogs->queue_save_file(typed);
        d.click("out_file");   // No, the default
        std::vector<dialog_call> calls = d.dialogs->take_calls();
        QCOMPARE(calls.back().kind, dialog_kind::yes_no);
        QCOMPARE(calls.back().text, QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?")
                                        .arg(QStringLiteral("成绩.xlsx")));
        QCOMPARE(old.size(), qint64(3));

        d.dialogs->queue_save_file(typed);
        d.dialogs->queue_yes_no(true);
        d.click("out_file");
        QVERIFY(QFileInfo(old.fileName()).size() > 3);
    }

    void messages_list_at_most_twenty_files()
    {
        eval_open_result opened;
        QStringList &problems = opened.problems;
        for (int s = 1; s <= 60; ++s)
            problems << QStringLiteral("st/%1-%2.stu：第1道单选题的答案无法读取").arg(s).arg(QString(40, QLatin1Char('x')));
        window_driver d;
        real_box_answer answer{d, Qt::Key_Return};
        d.dialogs->message(eval_open_problems_message(opened));
        QCOMPARE(answer.boxes.size(), std::size_t(1));
        const real_box_answer::shown &box = answer.boxes[0];
        // At most twenty, fewer on a low screen (this one is 600 pixels high), the rest counted.
        const int named = int(box.text.split('\n').filter(QRegularExpression(QStringLiteral("^st/"))).size());
        QVERIFY(named >= 3 && named <= 20);
        QVERIFY(box.text.contains(QStringLiteral("……另有%1项，完整的列表见“详细信息”").arg(60 - named)));
        QCOMPARE(box.details, problems.join('\n'));
        const int screen_height = QGuiApplication::primaryScreen()->availableSize().height();
        QVERIFY2(box.height <= std::min(768, screen_height), qPrintable(QString::number(box.height)));
    }

    void listed_lines_keep_the_name_and_cut_the_reason()
    {
        const QString name = QStringLiteral("st/letters.stu");
        const listed_message message{QStringLiteral("打开评测时："), {name + QStringLiteral("：") + QString(300, QChar(0x5B57))}, {}, {int(name.size())}};
        QString details;
        const QStringList lines = dialog_listed_text(message, &details).split(QLatin1Char('\n'));
        QVERIFY2(lines.value(1).startsWith(name + QStringLiteral("：字")), qPrintable(lines.value(1)));
        QVERIFY(lines.value(1).endsWith(QChar(0x2026)));
        QCOMPARE(details, message.items.first());
    }

    void the_toolkit_speaks_chinese()
    {
        QVERIFY(translation_install());
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
        // Our own texts are Chinese already and stay exactly as written.
        window_driver d;
        QCOMPARE(d.find<QAbstractButton>("new_paper")->text(), QStringLiteral("新建评测"));
        QCOMPARE(d.find<QAbstractButton>("last_stu")->text(), QStringLiteral(" 上一学生"));
    }
};

QTEST_MAIN(test_score_keys)
#include "test_score_keys.moc"

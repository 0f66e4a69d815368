#include "bench_workflow.h"

#include "bench_floors.h"
#include "bench_measure.h"
#include "app/shown_text.h"
#include "app/grading_log.h"
#include "app/lumo_test.h"
#include "results/workbook_xls.h"
#include "scripted_dialogs.h"
#include "store/file_name.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLCDNumber>
#include <QProgressBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTextDocument>

namespace {

class workflow
{
public:
    // Answers the window's questions; the window owns it.
    scripted_dialogs *const dialogs = new scripted_dialogs;

    explicit workflow(std::vector<operation_result> *results)
        : m_results(results)
    {
        m_window.show();
        settle();
    }

    template <typename T = QWidget>
    T *find(const char *name) const
    {
        T *widget = m_window.findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }

    bool enabled(const char *name) const { return find(name)->isEnabled(); }

    // The teacher turns to the page first; drawing it is not part of the operation.
    void page_show(const char *page)
    {
        find<QTabWidget>("tabWidget")->setCurrentWidget(find(page));
        settle();
    }

    // With drawn, the time runs until the window has drawn what the click changed.
    operation_result &timed_click(const char *key, const char *name, const char *button, bool drawn = false)
    {
        operation_result &result = record(key, name);
        QAbstractButton *pressed = find<QAbstractButton>(button);
        result.seconds = bench_measure_seconds([&] {
            pressed->click();
            if (drawn)
                settle();
        });
        result.peak_mb = bench_measure_peak_mb();
        settle();
        return result;
    }

    // A key pressed in the widget with the focus, as the teacher presses it.
    operation_result &timed_key(const char *key, const char *name, QWidget *focus, int pressed)
    {
        operation_result &result = record(key, name);
        QKeyEvent event(QEvent::KeyPress, pressed & ~Qt::KeyboardModifierMask,
                        Qt::KeyboardModifiers(pressed & Qt::KeyboardModifierMask));
        result.seconds = bench_measure_seconds([&] { QCoreApplication::sendEvent(focus, &event); });
        result.peak_mb = bench_measure_peak_mb();
        settle();
        return result;
    }

    // An operation whose button the window leaves disabled for this evaluation.
    void record_not_offered(const char *key, const char *name, const std::string &why)
    {
        operation_result &result = record(key, name);
        result.untimed = "not offered: " + why;
        result.peak_mb = bench_measure_peak_mb();
    }

private:
    operation_result &record(const char *key, const char *name)
    {
        m_results->emplace_back();
        m_results->back().key = key;
        m_results->back().name = name;
        return m_results->back();
    }

    // Lets the window draw what the operation changed, as it would before the next click.
    static void settle() { QCoreApplication::processEvents(); }

    lumo_test m_window{std::unique_ptr<::dialogs>(dialogs)};
    std::vector<operation_result> *m_results;
};

std::string messages_failure(workflow &w, const char *operation)
{
    const QStringList messages = w.dialogs->take_messages();
    if (messages.isEmpty())
        return {};
    return std::string(operation) + " showed: " + messages.join(QLatin1Char(' ')).toStdString();
}

// The log's paragraphs after a run: a student's lines, 64 at the most, to a paragraph.
std::string grade(workflow &w, const char *key, const char *name, int expected_paragraphs)
{
    if (!w.enabled("test_ch")) {
        w.record_not_offered(key, name, "no choice questions");
        return {};
    }
    w.timed_click(key, name, "test_ch");
    const int blocks = w.find<QTextBrowser>("ch_ifm_show")->document()->blockCount();
    if (blocks != expected_paragraphs || w.find<QProgressBar>("jingdu")->value() != 100)
        return std::string(name) + " left " + std::to_string(blocks) + " log paragraphs, not "
            + std::to_string(expected_paragraphs);
    return messages_failure(w, name);
}

std::string statistics(workflow &w, const char *key, const char *name)
{
    w.timed_click(key, name, "servey");
    const auto *table = w.find<QTableWidget>("score_show");
    if (table->rowCount() > 0 && !table->item(table->rowCount() - 1, table->columnCount() - 1))
        return std::string(name) + " left the last cell empty";
    return messages_failure(w, name);
}

std::string export_to(workflow &w, const char *key, const char *name, const QString &path)
{
    QFile::remove(path);
    w.dialogs->queue_save_file(path);
    operation_result &result = w.timed_click(key, name, "out_file");
    const QStringList messages = w.dialogs->take_messages();
    const int columns = w.find<QTableWidget>("score_show")->columnCount();
    const bool is_xls = path.endsWith(QLatin1String(".xls"));
    if (is_xls && columns > XLS_MAX_COLUMNS && messages.size() == 1 && !QFile::exists(path)) {
        result.untimed = "refused: " + std::to_string(columns) + " columns > " + std::to_string(XLS_MAX_COLUMNS);
        return {};
    }
    if (!messages.isEmpty())
        return std::string(name) + " showed: " + messages.join(QLatin1Char(' ')).toStdString();
    if (!QFile::exists(path))
        return std::string(name) + " wrote no file";
    return {};
}

// Ctrl+G on the first open answer, which two in three students gave alike, answered Yes;
// then Ctrl+U, which finds the one answer not scored by hand at the very end.
std::string answer_groups(workflow &w, const eval_size &size)
{
    if (size.open < 1)
        return {};
    w.page_show("unch_page");
    QWidget *box = w.find("unch_score_in");
    w.dialogs->queue_yes_no(true);
    w.timed_key("alike_s", "score identical answers (Ctrl+G)", box, Qt::ControlModifier | Qt::Key_G);
    const std::vector<dialog_call> asked = w.dialogs->take_calls();
    if (size.students > 3 && (asked.size() != 1 || asked[0].kind != dialog_kind::yes_no))
        return "Ctrl+G asked nothing";
    w.timed_key("unscored_s", "next answer not scored (Ctrl+U)", box, Qt::ControlModifier | Qt::Key_U);
    if (w.find<QLCDNumber>("stu_now")->intValue() != size.students || w.find<QLCDNumber>("pro_now")->intValue() != size.open)
        return "Ctrl+U did not find the last answer";
    return messages_failure(w, "Ctrl+U");
}

// Shows the long answers, each by the press of 下一学生 that moves to it.
std::string long_answers(workflow &w, const std::string &folder, double *show_floor_s)
{
    w.dialogs->queue_folder(QFile::decodeName(folder.c_str()));
    w.find<QAbstractButton>("open_paper")->click();
    w.dialogs->take_messages();   // the answers are over the reader's limit, and said so
    w.page_show("unch_page");
    auto *shown = w.find<QTextBrowser>("stu_ans");
    for (const auto &[key, name] : {std::make_pair("show_unbroken_s", "show an 8 MB answer without breaks"),
                                    std::make_pair("show_chinese_s", "show an 8 MB answer of Chinese")}) {
        w.timed_click(key, name, "next_stu", true);
        if (shown->toPlainText().size() > 2 * SHOWN_TEXT_MAX_CHARS)
            return std::string(name) + " showed the whole answer";
    }
    const QString chinese = shown->toPlainText().left(SHOWN_TEXT_MAX_CHARS);
    *show_floor_s = bench_floor_show(chinese, shown->size());
    return messages_failure(w, "showing the long answers");
}

// Another window's save, which changed the first score of every student, then this window's:
// every file merged score by score, without a question.
std::string merging_save(workflow &w, const std::string &folder)
{
    const QDir sc(QFile::decodeName((folder + "/sc").c_str()));
    for (const QString &name : sc.entryList(QDir::Files)) {
        QFile file(sc.filePath(name));
        if (!file.open(QIODevice::ReadWrite))
            return "cannot change " + name.toStdString();
        QByteArray bytes = file.readAll();
        bytes.replace(0, bytes.indexOf('\n'), bytes.startsWith("1.000") ? "0.500" : "1.000");
        if (!file.seek(0) || file.write(bytes) != bytes.size())
            return "cannot change " + name.toStdString();
    }
    w.timed_click("save_merge_s", "save, merging every file", "save_paper");
    if (!w.dialogs->take_calls().empty())
        return "the merging save asked a question";
    return {};
}

}  // namespace

std::string bench_workflow_run(const std::string &folder, const std::string &long_folder, const std::string &out_dir,
                               const eval_size &size, std::vector<operation_result> *results, double *show_floor_s)
{
    workflow w(results);

    w.page_show("main_page");
    w.dialogs->queue_folder(file_name_decode(folder.c_str()));
    w.timed_click("open_s", "open", "open_paper");
    std::string failure = messages_failure(w, "open");
    if (failure.empty() && !w.enabled("close_paper"))
        failure = "open did not open the folder";
    if (!failure.empty())
        return failure;

    failure = answer_groups(w, size);
    if (!failure.empty())
        return failure;

    const int per_student = size.single + size.multiple;
    const int paragraphs = size.students * ((per_student + GRADING_LOG_PARAGRAPH_LINES - 1) / GRADING_LOG_PARAGRAPH_LINES);
    w.page_show("ch_page");
    failure = grade(w, "grade_s", "choice grading", qMax(1, paragraphs));
    if (failure.empty())
        failure = grade(w, "grade2_s", "choice grading, again", qMax(1, 2 * paragraphs));

    if (failure.empty()) {
        w.page_show("score_servey");
        failure = statistics(w, "stats_s", "statistics");
    }
    if (failure.empty())
        failure = statistics(w, "stats2_s", "statistics, again");

    if (failure.empty()) {
        w.timed_click("save_s", "save", "save_paper");
        failure = messages_failure(w, "save");
    }
    if (failure.empty())
        failure = merging_save(w, folder);

    const QString out = file_name_decode(out_dir.c_str());
    if (failure.empty())
        failure = export_to(w, "export_xlsx_s", "export to .xlsx", out + QStringLiteral("/scores.xlsx"));
    if (failure.empty())
        failure = export_to(w, "export_xls_s", "export to .xls", out + QStringLiteral("/scores.xls"));

    if (failure.empty()) {
        w.dialogs->queue_confirm(true);
        w.timed_click("close_s", "close", "close_paper");
        w.dialogs->take_calls();
        if (w.enabled("close_paper") || w.find<QTableWidget>("score_show")->rowCount() != 0)
            failure = "close did not close the evaluation";
    }
    if (failure.empty())
        failure = long_answers(w, long_folder, show_floor_s);
    return failure;
}

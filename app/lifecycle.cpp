#include "app/lifecycle.h"

#include "app/choice_page.h"
#include "app/main_page.h"
#include "app/score_page.h"
#include "app/unch_page.h"
#include "app/window_title.h"
#include "store/eval_lock.h"
#include "store/eval_marks.h"
#include "store/eval_merge.h"
#include "store/eval_new.h"
#include "store/eval_open.h"
#include "store/eval_save.h"
#include "store/file_name.h"
#include "ui/dialogs.h"

#include <QAbstractButton>
#include <QObject>

namespace {

// True when no other program has the folder open, or the teacher opens it too: two teachers
// scoring one class is what the merging save is for.
bool lock_settle(dialogs &dialogs, const QByteArray &folder)
{
    const eval_lock_owner holder = eval_lock_holder(folder);
    return holder.pid == 0
        || dialogs.yes_no(QObject::tr("此评测已在另一个窗口中打开（%1）。两个窗口可以同时评分，"
                                      "保存时逐个成绩合并，不会覆盖对方的成绩。是否打开？")
                              .arg(eval_lock_holder_text(holder)),
                          dialog_answer::yes);
}

}  // namespace

lifecycle::lifecycle(const lifecycle_widgets &widgets, const window_pages &pages, window_state &state,
                     dialogs &dialogs)
    : m_widgets(widgets), m_pages(pages), m_state(state), m_dialogs(dialogs)
{
}

lifecycle::~lifecycle()
{
    unlock();
}

void lifecycle::create()
{
    const QString folder = m_dialogs.folder_choose(QObject::tr("指定新建答卷所在的文件夹"), QStringLiteral("."));
    if (folder.isEmpty())
        return;
    const QString failure = eval_new(file_name_encode(folder));
    if (!failure.isEmpty())
        m_dialogs.message(failure);
}

void lifecycle::open()
{
    const QString folder = m_dialogs.folder_choose(QObject::tr("指定打开答卷的所在文件夹"), QStringLiteral("."));
    if (folder.isEmpty())
        return;
    const QByteArray path = file_name_encode(folder);
    eval_open_result result = eval_open(path);
    if (!result.refusal.isEmpty()) {
        m_dialogs.message(result.refusal);
        return;
    }
    if (!lock_settle(m_dialogs, path))
        return;
    if (!typed_store(QObject::tr("未打开新的评测：请先改正这个得分。")))
        return;
    switch (unsaved_settle()) {
    case settled::stay: return;
    case settled::saved:
        // The save may have written into the very folder chosen: show what it holds now.
        result = eval_open(path);
        if (!result.refusal.isEmpty()) {
            m_dialogs.message(result.refusal);
            return;
        }
        break;
    case settled::go: break;
    }
    unlock();
    // A folder the teacher may not write to opens all the same, and another window's lock
    // stays that window's.
    eval_lock_take(path);
    eval_open_clean(result);
    const listed_message problems = eval_open_problems_message(result);
    m_state.eval = std::move(result.eval);
    m_state.unsaved = false;
    const evaluation &eval = *m_state.eval;

    m_pages.score.show(eval);
    m_pages.main.show(eval);
    m_widgets.close_paper->setEnabled(true);
    m_widgets.save_paper->setEnabled(true);
    m_pages.choice.show(eval);
    m_pages.unch.show(eval);
    title_update();

    if (!problems.items.isEmpty())
        m_dialogs.message(problems);
}

bool lifecycle::save()
{
    if (!m_state.eval)
        return true;
    evaluation &eval = *m_state.eval;
    if (!typed_store(QObject::tr("成绩未保存：请先改正这个得分。")))
        return false;
    const QString elsewhere = eval_save_folder_check(eval);
    if (!elsewhere.isEmpty()) {
        m_dialogs.message(elsewhere);
        return false;
    }
    // Another window's scores are kept score by score; only what cannot be merged is asked.
    const eval_merge merge = eval_merge_read(eval);
    if (!merge.unreadable.isEmpty()
        && !m_dialogs.confirm(eval_save_changed_question(merge.unreadable), dialog_answer::cancel))
        return false;
    dialog_answer side = dialog_answer::ours;
    if (!merge.conflicts.empty()) {
        side = m_dialogs.merge_choice(eval_merge_conflict_question(eval, merge));
        if (side == dialog_answer::cancel)
            return false;
    }
    bool taken = false;
    const std::vector<int> left_alone = eval_merge_apply(eval, merge, side == dialog_answer::ours, &taken);
    const save_report report = write_scores(eval, left_alone);
    // The window shows what was written, the other window's scores included.
    if (taken) {
        m_pages.unch.refresh(eval);
        m_pages.score.refresh(eval);
        title_update();
    }
    if (!report.backups.isEmpty())
        m_dialogs.message(eval_save_backup_message(report.backups));
    if (!report.failures.isEmpty()) {
        m_dialogs.message(eval_save_failure_message(report));
        return false;
    }
    m_state.unsaved = false;
    return true;
}

void lifecycle::close()
{
    if (!m_state.eval)
        return;
    if (!typed_store(QObject::tr("评测未关闭：请先改正这个得分。")))
        return;
    // With work to lose the question is about that work; otherwise the plain confirmation.
    if (m_state.unsaved) {
        if (unsaved_settle() == settled::stay)
            return;
    } else if (!m_dialogs.confirm(QObject::tr("您确定要关闭此评测吗？请确认是否保存评测。\n"
                                              "（点击“保存评测按钮”，若不想保存评测，忽略此操作）"))) {
        return;
    }
    unlock();
    m_state.eval.reset();
    m_state.unsaved = false;
    m_pages.main.reset();
    m_widgets.close_paper->setEnabled(false);
    m_widgets.save_paper->setEnabled(false);
    // The log is emptied before the table: the other way round costs twice as long.
    m_pages.unch.reset();
    m_pages.choice.reset();
    m_pages.score.reset();
    title_update();
}

bool lifecycle::quit()
{
    if (!typed_store(QObject::tr("窗口未关闭：请先改正这个得分。")) || unsaved_settle() == settled::stay)
        return false;
    unlock();
    return true;
}

void lifecycle::title_update()
{
    if (!m_state.eval) {
        m_widgets.window->setWindowTitle(window_title());
        return;
    }
    const evaluation &eval = *m_state.eval;
    m_widgets.window->setWindowTitle(window_title(evaluation_class_name(evaluation_folder(eval)),
                                                  eval_marks_count(eval), eval.stu_cnt * eval.unch_cnt));
}

bool lifecycle::typed_store(const QString &consequence)
{
    return !m_state.eval || m_pages.unch.store_typed(*m_state.eval, consequence);
}

lifecycle::settled lifecycle::unsaved_settle()
{
    if (!m_state.eval || !m_state.unsaved)
        return settled::go;
    switch (m_dialogs.ask_save(QObject::tr("当前评测有尚未保存的成绩，是否先保存？"))) {
    case save_answer::save: return save() ? settled::saved : settled::stay;
    case save_answer::discard: return settled::go;
    case save_answer::cancel: break;
    }
    return settled::stay;
}

void lifecycle::unlock()
{
    if (m_state.eval)
        eval_lock_release(evaluation_folder(*m_state.eval));
}

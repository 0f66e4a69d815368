#include "store/evaluation.h"

#include "store/file_io.h"
#include "store/local_text.h"

#include <cstdlib>
#include <new>
#ifdef __linux__
#include <sys/mman.h>
#endif

void *evaluation_table_allocate(std::size_t bytes)
{
#ifdef __linux__
    // Large tables on huge pages where Linux offers them; std::free releases both kinds.
    constexpr std::size_t huge_page = 2 * 1024 * 1024;
    if (bytes >= huge_page) {
        const std::size_t size = (bytes + huge_page - 1) / huge_page * huge_page;
        void *cells = std::aligned_alloc(huge_page, size);
        if (!cells)
            throw std::bad_alloc();
        ::madvise(cells, size, MADV_HUGEPAGE);   // a hint: failure costs nothing
        return cells;
    }
#endif
    void *cells = std::malloc(bytes ? bytes : 1);
    if (!cells)
        throw std::bad_alloc();
    return cells;
}

void evaluation_table_release(void *cells, std::size_t)
{
    std::free(cells);
}

QByteArray evaluation_folder(const evaluation &eval)
{
    return eval.st_path.left(eval.st_path.size() - int(sizeof "/st/" - 1));
}

QString evaluation_class_name(const QByteArray &folder)
{
    QByteArray path = folder;
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    const int slash = path.lastIndexOf('/');
    const QByteArray last = slash < 0 ? path : path.mid(slash + 1);
    // "." or ".." name no class; the folder they stand for does.
    if (last.isEmpty() || last == "." || last == "..") {
        const QByteArray resolved = path_resolve(path);
        if (!resolved.isEmpty() && resolved != path)
            return evaluation_class_name(resolved);
    }
    return local_text_name(last);
}

void evaluation_tables_reset(evaluation &eval)
{
    const int n = eval.stu_cnt;
    eval.onech_ans.reset(n, eval.onech_cnt);
    eval.some_ans.reset(n, eval.some_cnt);
    eval.unch_ans.reset(n, eval.unch_cnt);
    eval.onech_score.reset(n, eval.onech_cnt);
    eval.some_score.reset(n, eval.some_cnt);
    eval.unch_score.reset(n, eval.unch_cnt);
    eval.unch_scored.reset(n, eval.unch_cnt);
    eval.choice_unread.reset(n, eval.onech_cnt + eval.some_cnt);
    const std::size_t rows = std::size_t(n < 0 ? 0 : n) + 1;
    eval.sc_stamp.assign(rows, file_stamp());
    eval.sc_base.assign(rows, std::nullopt);
    eval.sc_suspect.assign(rows, false);
}

QStringList evaluation_student_names(const evaluation &eval)
{
    return local_text_names(eval.stu_file, eval.text_utf8);
}

double evaluation_total(const evaluation &eval)
{
    double total = 0;
    for (int q = 1; q <= eval.onech_cnt; ++q)
        total += eval.onech_questions[std::size_t(q)].full_score;
    for (int q = 1; q <= eval.some_cnt; ++q)
        total += eval.some_questions[std::size_t(q)].full_score;
    for (int q = 1; q <= eval.unch_cnt; ++q)
        total += eval.unch_questions[std::size_t(q)].full_score;
    return total;
}

QString answer_letters(answer_set set)
{
    QString letters;
    for (int e = 0; e < 6; ++e) {
        if (set & (1 << e))
            letters += QChar('A' + e);
    }
    return letters;
}

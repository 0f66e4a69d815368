#include "store/eval_tables.h"

#include <sys/mman.h>

int onech_cnt = 0;
int some_cnt = 0;
int unch_cnt = 0;
int stu_cnt = 0;
int cur_stu = 0;
int cur_pro = 0;

choice_question onech_questions[QUESTION_TABLE_SIZE];
choice_question some_questions[QUESTION_TABLE_SIZE];
unch_question unch_questions[QUESTION_TABLE_SIZE];

// Each student's row of these tables starts a page of its own, so opening a class touches
// thousands of fresh pages. Aligned to huge pages and marked for them, the tables take a
// handful of page faults instead.
constexpr std::size_t huge_page = 2 * 1024 * 1024;
alignas(huge_page) answer_set onech_ans[STUDENT_ROWS][QUESTION_COLUMNS];
alignas(huge_page) answer_set some_ans[STUDENT_ROWS][QUESTION_COLUMNS];
alignas(huge_page) QString unch_ans[STUDENT_ROWS][QUESTION_COLUMNS];
alignas(huge_page) double onech_score[STUDENT_ROWS][QUESTION_COLUMNS];
alignas(huge_page) double some_score[STUDENT_ROWS][QUESTION_COLUMNS];
alignas(huge_page) double unch_score[STUDENT_ROWS][QUESTION_COLUMNS];

namespace {

template <typename T>
void advise_huge_pages(T &table)
{
    const std::size_t size = (sizeof table + huge_page - 1) / huge_page * huge_page;
    ::madvise(static_cast<void *>(&table), size, MADV_HUGEPAGE);   // a hint: failure costs nothing
}

const bool tables_advised = [] {
    advise_huge_pages(onech_ans);
    advise_huge_pages(some_ans);
    advise_huge_pages(unch_ans);
    advise_huge_pages(onech_score);
    advise_huge_pages(some_score);
    advise_huge_pages(unch_score);
    return true;
}();

}  // namespace

QByteArray stu_file[STUDENT_ROWS];

QByteArray st_path;
QByteArray sc_path;
QByteArray prb_path;
QByteArray ans_path;

QString answer_letters(answer_set set)
{
    QString letters;
    for (int e = 0; e < 6; ++e) {
        if (set & (1 << e))
            letters += QChar('A' + e);
    }
    return letters;
}

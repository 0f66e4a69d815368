#pragma once
// One evaluation in memory: the paper, the key, every student's answers and scores, and the
// folder it was read from. A plain value: the window owns the open one, and a program may
// hold several. Students and questions are numbered from 1; row 0 and element 0 stay unused.

#include "store/file_io.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

constexpr int MAX_STUDENTS = 1002;
constexpr int MAX_QUESTIONS_PER_KIND = 1003;

// A choice answer or key: bit e (0..5) set means option 'A'+e is chosen.
using answer_set = std::int32_t;

struct choice_question {
    double full_score = 0;
    double part_score = 0;   // multiple choice only: points for a non-empty proper subset of the key
    answer_set key = 0;
};

struct unch_question {
    double full_score = 0;
    QString text;
    QString ref_answer;
};

// Storage for the per-student tables. A large class's tables are tens of megabytes that an
// open fills at once: allocated aligned and marked for huge pages, they take a handful of page
// faults instead of thousands. Smaller ones come from the heap.
void *evaluation_table_allocate(std::size_t bytes);
void evaluation_table_release(void *cells, std::size_t bytes);

template <typename T>
struct evaluation_table_allocator {
    using value_type = T;
    evaluation_table_allocator() = default;
    template <typename U>
    evaluation_table_allocator(const evaluation_table_allocator<U> &) {}
    T *allocate(std::size_t n) { return static_cast<T *>(evaluation_table_allocate(n * sizeof(T))); }
    void deallocate(T *cells, std::size_t n) { evaluation_table_release(cells, n * sizeof(T)); }
    bool operator==(const evaluation_table_allocator &) const { return true; }
    bool operator!=(const evaluation_table_allocator &) const { return false; }
};

// A per-student table: element [s][q] for student s (1..students) and question q
// (1..questions), zero until written.
template <typename T>
class student_table
{
public:
    void reset(int students, int questions)
    {
        m_columns = std::size_t(questions < 0 ? 0 : questions) + 1;
        m_cells.assign((std::size_t(students < 0 ? 0 : students) + 1) * m_columns, T());
    }
    T *operator[](int s) { return m_cells.data() + std::size_t(s) * m_columns; }
    const T *operator[](int s) const { return m_cells.data() + std::size_t(s) * m_columns; }

private:
    std::vector<T, evaluation_table_allocator<T>> m_cells;
    std::size_t m_columns = 1;
};

struct evaluation {
    int onech_cnt = 0;
    int some_cnt = 0;
    int unch_cnt = 0;
    int stu_cnt = 0;

    std::vector<choice_question> onech_questions{1};   // element 0 unused
    std::vector<choice_question> some_questions{1};
    std::vector<unch_question> unch_questions{1};

    student_table<answer_set> onech_ans;
    student_table<answer_set> some_ans;
    student_table<QString> unch_ans;
    student_table<double> onech_score;
    student_table<double> some_score;
    student_table<double> unch_score;
    // 1 where the teacher has stored a score for the open answer by hand, whatever the score.
    student_table<unsigned char> unch_scored;
    // 1 where the student's answer file gave no answer to the choice question that could be
    // read (single choice q in column q, multiple choice q in column onech_cnt + q): grading
    // leaves its score as it was loaded.
    student_table<unsigned char> choice_unread;
    // The evaluation folder keeps the marks of what was scored by hand (see eval_marks.h).
    bool marks_known = false;

    // The encoding the class's paper was read in: a file or a name of the class that reads as
    // well in either encoding is read in this one.
    bool text_utf8 = true;

    // Bare 8-bit name of each student's answer file, ".stu" included; it also names the
    // score file. Element 0 unused.
    std::vector<QByteArray> stu_file{1};
    // Each student's score file as this window last read or wrote it: its stamp, and its bytes
    // (none when it was absent or could not be read). Save asks before replacing one whose
    // bytes another program changed since, and keeps the old bytes of one that could not be
    // read whole.
    std::vector<file_stamp> sc_stamp{1};
    std::vector<std::optional<QByteArray>> sc_base{1};
    std::vector<bool> sc_suspect{false};
    // The "sc" folder as open found it: a save writes into that folder or nowhere.
    file_stamp sc_folder;

    // Folder paths, 8-bit, each ending as its name says.
    QByteArray st_path;    // folder + "/st/"
    QByteArray sc_path;    // folder + "/sc/"
    QByteArray prb_path;   // folder + "/problem.prb"
    QByteArray ans_path;   // folder + "/answer.ans"
};

// The evaluation's folder, as it was opened (its paths without "/st/").
QByteArray evaluation_folder(const evaluation &eval);
// The class an evaluation folder holds is named after the folder: the last part of its path,
// trailing slashes ignored, "." and ".." resolved, as the teacher reads it.
QString evaluation_class_name(const QByteArray &folder);

// Gives every per-student table room for the evaluation's students and counts, all zero,
// every answer counted as read.
void evaluation_tables_reset(evaluation &eval);
// Every student's name as the teacher reads it, in the table, the log, the messages and the
// workbook: the file name decoded as the class's files are, made visible, and marked where
// two would read the same (see local_text_names). Element s names student s; element 0 is
// empty.
QStringList evaluation_student_names(const evaluation &eval);
// The paper's total: every full score, single choice first, then multiple choice, then
// non-choice; partial scores do not count.
double evaluation_total(const evaluation &eval);

// The letters of an answer set in ascending order ("AC" for 5); bits above F give nothing.
QString answer_letters(answer_set set);

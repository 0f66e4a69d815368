// Feeds arbitrary bytes to every reader of the evaluation files. The first bytes also
// choose the question counts and the number of students for the answer and score readers.

#include "store/eval_format.h"
#include "store/evaluation.h"
#include "store/local_text.h"
#include "store/student_list.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));

    evaluation paper;
    if (eval_format_read_paper(bytes, &paper).failure.isEmpty()) {
        eval_format_read_key(bytes, &paper);
        evaluation_total(paper);   // reads every question the counts claim
    }

    evaluation eval;
    eval.onech_cnt = size > 0 ? data[0] % 16 : 0;
    eval.some_cnt = size > 1 ? data[1] % 16 : 0;
    eval.unch_cnt = size > 2 ? data[2] % 16 : 0;
    eval.stu_cnt = size > 3 ? 1 + data[3] % 4 : 1;
    eval.onech_questions.resize(std::size_t(eval.onech_cnt) + 1);
    eval.some_questions.resize(std::size_t(eval.some_cnt) + 1);
    eval.unch_questions.resize(std::size_t(eval.unch_cnt) + 1);
    evaluation_tables_reset(eval);
    // The last row: reading past the tables would go beyond their storage.
    const int s = eval.stu_cnt;
    eval_format_read_student(bytes, &eval, s);
    eval_format_read_scores(bytes, &eval, s);
    eval_format_write_scores(eval, s);

    eval_format_scores_outside(eval, s);

    local_text_decode(bytes, size % 2 == 0);
    const int half = int(size / 2);
    local_text_names({bytes.left(half), bytes.mid(half), bytes.left(half)}, size % 2 == 0);
    student_list_less(bytes.left(half), bytes.mid(half));
    return 0;
}

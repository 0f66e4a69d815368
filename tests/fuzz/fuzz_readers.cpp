// Feeds arbitrary bytes to every reader of the evaluation files. The first bytes also
// choose the question counts for the answer and score readers.

#include "store/eval_format.h"
#include "store/eval_tables.h"
#include "store/local_text.h"
#include "store/student_list.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));

    paper_data paper;
    if (paper_parse(bytes, &paper).isEmpty())
        key_parse(bytes, &paper);

    onech_cnt = size > 0 ? data[0] % 16 : 0;
    some_cnt = size > 1 ? data[1] % 16 : 0;
    unch_cnt = size > 2 ? data[2] % 16 : 0;
    const int s = size > 3 ? 1 + data[3] % MAX_STUDENTS : 1;
    student_row_reset(s);
    student_parse(bytes, s);
    scores_parse(bytes, s);
    scores_format(s);

    local_text_decode(bytes);
    const int half = int(size / 2);
    natural_less(bytes.left(half), bytes.mid(half));
    return 0;
}

#include "report/grade_classes.h"

#include "grading/choice_grading.h"
#include "store/eval_open.h"
#include "store/file_io.h"
#include "store/local_text.h"


grade_class_read grade_classes_read(const QByteArray &folder)
{
    grade_class_read read;
    eval_open_result opened = eval_open(folder);
    if (!opened.refusal.isEmpty()) {
        read.refusal = opened.refusal;
        return read;
    }
    if (!opened.problems.isEmpty())
        read.problems = eval_open_problems_message(opened);
    grade_class &cls = read.cls;
    cls.name = evaluation_class_name(folder);
    cls.folder = folder;
    cls.eval = std::move(opened.eval);
    choice_grades grades = choice_grade_all(cls.eval, [](int) {});
    choice_grades_apply(cls.eval, grades);
    cls.sheet = score_sheet_make(cls.eval);
    return read;
}

namespace {

bool choices_equal(const std::vector<choice_question> &a, const std::vector<choice_question> &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t q = 1; q < a.size(); ++q) {
        if (a[q].full_score != b[q].full_score || a[q].part_score != b[q].part_score || a[q].key != b[q].key)
            return false;
    }
    return true;
}

}  // namespace

bool grade_classes_same_paper(const evaluation &a, const evaluation &b)
{
    if (a.onech_cnt != b.onech_cnt || a.some_cnt != b.some_cnt || a.unch_cnt != b.unch_cnt)
        return false;
    if (!choices_equal(a.onech_questions, b.onech_questions) || !choices_equal(a.some_questions, b.some_questions))
        return false;
    if (a.unch_questions.size() != b.unch_questions.size())
        return false;
    for (std::size_t q = 1; q < a.unch_questions.size(); ++q) {
        const unch_question &x = a.unch_questions[q];
        const unch_question &y = b.unch_questions[q];
        if (x.full_score != y.full_score || x.text != y.text || x.ref_answer != y.ref_answer)
            return false;
    }
    return true;
}

std::vector<int> grade_classes_differing(const std::vector<grade_class> &classes)
{
    std::vector<int> differing;
    for (std::size_t c = 1; c < classes.size(); ++c) {
        if (!grade_classes_same_paper(classes.front().eval, classes[c].eval))
            differing.push_back(int(c));
    }
    return differing;
}

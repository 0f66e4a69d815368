#pragma once
// Whether the classes of a grade sat one paper: the same questions, scores and keys. Texts
// may differ in a comma or a typo and still be the same paper.

#include "report/grade_classes.h"

#include <QString>
#include <QStringList>
#include <vector>

// The first way in which b's paper or key differs from a's, as the report names it ("第2道
// 单选题的答案不同"): question counts, full and partial scores, keys. "" when they agree.
QString grade_papers_difference(const evaluation &a, const evaluation &b);
// The open questions whose text or reference answer differs, e.g. "第1道非选择题的题目".
QStringList grade_papers_text_differences(const evaluation &a, const evaluation &b);
// The class whose paper the most classes share, the first of them on a tie; -1 for none.
int grade_papers_reference(const std::vector<grade_class> &classes);

#pragma once
// Manual scoring of the non-choice questions: one student's answer to one question at a
// time, under the cursor of the scoring page.

#include "store/evaluation.h"

#include <QString>
#include <vector>

// The student on the scoring page and the non-choice question shown there; 0 = none.
struct unch_cursor {
    int cur_stu = 0;
    int cur_pro = 0;
};

// A cursor moved by delta within 1..count; at a bound it stays where it is (no wrap-around).
int manual_scoring_step(int cursor, int delta, int count);
// The teacher scores question by question: the next student, and after the last student the
// first student of the next question. False, and the cursor as it was, at the last answer.
bool manual_scoring_forward(unch_cursor &cursor, int students, int questions);
// The reverse: the previous student, and before the first the last student of the previous
// question. False at the first answer.
bool manual_scoring_backward(unch_cursor &cursor, int students, int questions);

// Why a score entered for a question of full_score points cannot be stored, or "": above the
// full score (the box shows three decimals, so the full score counts as rounded to them) or
// below 0. A full score below 0 admits 0 only.
QString manual_scoring_refusal(double score, double full_score);
// The same for the text in the score box as the teacher types it (ASCII digits and point): a
// minus sign is below 0, a number above the full score is refused; "" for anything else,
// complete or not.
QString manual_scoring_text_refusal(const QString &text, double full_score);

// The other students whose answer to open question q reads the same as student s's: equal
// texts once white space (ASCII and full-width) is taken off both ends; case, inner spaces and
// punctuation count.
std::vector<int> manual_scoring_alike(const evaluation &eval, int s, int q);
// Moves cursor to the first open answer not scored by hand from cursor on, question by
// question (every student of a question, then the next question), wrapping round once.
// False, and the cursor as it was, when every answer is scored.
bool manual_scoring_next_unscored(const evaluation &eval, unch_cursor &cursor);

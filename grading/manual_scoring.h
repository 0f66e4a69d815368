#pragma once
// Manual scoring of the non-choice questions: one student's answer to one question at a
// time, under the cursors of an unch_cursor.

#include "store/evaluation.h"

#include <QString>

// A cursor moved by delta within 1..count; at a bound it stays where it is (no wrap-around).
int cursor_step(int cursor, int delta, int count);

// Why a score entered for a question of full_score points cannot be stored, or "": above the
// full score (the box shows three decimals, so the full score counts as rounded to them) or
// below 0.
QString unch_score_refusal(double score, double full_score);

#pragma once
// Manual scoring of the non-choice questions: one student's answer to one question at a
// time, under the cursors of an unch_cursor.

#include "store/evaluation.h"

// A cursor moved by delta within 1..count; at a bound it stays where it is (no wrap-around).
int cursor_step(int cursor, int delta, int count);

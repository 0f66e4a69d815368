#pragma once

// The moves of the scoring page: its four navigation buttons, and Enter and Shift+Enter,
// which go on to the next (previous) question at the last (first) student.
enum class unch_move { last_stu, next_stu, last_pro, next_pro, forward, backward };

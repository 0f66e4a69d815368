#pragma once
// Writes an evaluation folder of a given size, the same bytes on every run.

#include <string>

struct eval_size {
    int students = 0;
    int single = 0;         // single-choice questions
    int multiple = 0;       // multiple-choice questions
    int open = 0;           // non-choice questions
    int answer_bytes = 0;   // about this many bytes of Chinese UTF-8 per non-choice answer
};

// Creates folder with problem.prb, answer.ans, one answer file per student in st, for every
// third student a score file in sc, and the record of the open answers scored by hand: all
// but the very last. The first student and two in three of the others answer the first open
// question alike. Returns "" or what failed.
std::string eval_generator_write(const std::string &folder, const eval_size &size);

// Creates folder with one open question and three students: a short answer, then the two
// longest answers an answer file holds (8 MB), one line of 'x' without a place to break and one
// of Chinese text. Returns "" or what failed.
std::string eval_generator_write_long(const std::string &folder);

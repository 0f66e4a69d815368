#pragma once
// Opening an evaluation folder: every check, then the paper, the key, the student listing,
// every answer file and every score file, into a new evaluation.

#include "store/evaluation.h"
#include "store/listed_message.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The largest files an open reads, and all of them together: far above the largest class
// (1002 students, 1003 questions of each kind), far below what would exhaust the memory.
constexpr qint64 MAX_PAPER_BYTES = 32 * 1024 * 1024;     // problem.prb, answer.ans
constexpr qint64 MAX_ANSWER_BYTES = 8 * 1024 * 1024;     // st/*.stu
constexpr qint64 MAX_SCORES_BYTES = 1024 * 1024;         // sc/*.stu
constexpr qint64 MAX_FOLDER_BYTES = 512 * 1024 * 1024;   // everything an open reads

struct eval_open_result {
    // Set when the folder is refused; eval is then meaningless.
    QString refusal;
    evaluation eval;
    // What the open read all the same but the teacher should know, one line per file: files
    // read only in part, stray bytes, surplus values, overlong texts, entries that are no file.
    QStringList problems;
};

// Checks an evaluation folder (8-bit path) and reads it into a new evaluation.
eval_open_result eval_open(const QByteArray &folder);

// The message that lists the problems an open found.
listed_message eval_open_problems_message(const QStringList &problems);

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
    // What the open read all the same but the teacher should know, one line per file, its
    // name first: files that could not be read, or only in part, naming every item not read;
    // stray bytes, surplus values, overlong texts, saved scores outside their question's
    // range, entries that are no file, a "sc" folder that cannot be searched.
    QStringList problems;
    // Per problem line, how many of its first characters name its file.
    QList<int> problem_names;
};

// Checks an evaluation folder (8-bit path) and reads it into a new evaluation. Nothing in the
// folder is written.
eval_open_result eval_open(const QByteArray &folder);
// Removes the temporary files a save (or a lock) of ours left in the opened folder and its
// "sc" folder when its program ended before it could rename them: only those whose process no
// longer runs on this machine, and none while a program on another machine holds the folder's
// lock. Each one removed is a problem line of result.
void eval_open_clean(eval_open_result &result);

// The message that lists the problems an open found. Its closing sentence says what becomes
// of the choice answers and the scores that were not read, as far as there are such.
listed_message eval_open_problems_message(const eval_open_result &result);

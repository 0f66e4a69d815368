#pragma once
// The file formats of an evaluation folder, on bytes so they can be tested without files.

#include "store/evaluation.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// What reading one file found.
struct file_report {
    QString failure;     // the items that could not be read; "" when every item was read
    QStringList notes;   // read all the same, but worth a look: stray bytes, surplus, overlong texts
};

// problem.prb: counts, then each question's scores and text, into eval's counts and question
// tables, and the encoding it was read in into eval->text_utf8. A failure is the message that
// refuses the folder (the first malformed item, a negative count, more than an evaluation
// holds, a full or partial score below 0 or above 10000).
file_report eval_format_read_paper(const QByteArray &bytes, evaluation *eval);
// answer.ans, read with the counts of the paper: choice keys, then reference answers.
file_report eval_format_read_key(const QByteArray &bytes, evaluation *eval);

// A student's answer file into row s of eval's tables, with eval->choice_unread[s] marking
// the choice answers that could not be read. An item that cannot be read keeps its value and
// is passed over, and the next one is read; at the end of the file the items left keep
// theirs. The failure names every item not read, "；" between them.
file_report eval_format_read_student(const QByteArray &bytes, evaluation *eval, int s);
// A student's score file into row s, with the same contract.
file_report eval_format_read_scores(const QByteArray &bytes, evaluation *eval, int s);
// The scores of row s below 0 or above their question's full score, each named with its
// question; they are kept as they are.
QStringList eval_format_scores_outside(const evaluation &eval, int s);
// The question of the score at position (from 0) of a score file: "第2道非选择题".
QString eval_format_score_name(const evaluation &eval, int position);
// Row s as a score file: every score as "%.3f", one per line.
QByteArray eval_format_write_scores(const evaluation &eval, int s);

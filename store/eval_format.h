#pragma once
// The file formats of an evaluation folder, on bytes so they can be tested without files.

#include "store/evaluation.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// What reading one file found.
struct file_report {
    QString failure;     // why reading stopped before the last item; "" when every item was read
    QStringList notes;   // read all the same, but worth a look: stray bytes, surplus, overlong texts
};

// problem.prb: counts, then each question's scores and text, into eval's counts and question
// tables. A failure is the message that refuses the folder (malformed item, negative count,
// more than an evaluation holds).
file_report eval_format_read_paper(const QByteArray &bytes, evaluation *eval);
// answer.ans, read with the counts of the paper: choice keys, then reference answers.
file_report eval_format_read_key(const QByteArray &bytes, evaluation *eval);

// A student's answer file into row s of eval's tables, and how many of its items were read
// into eval->ans_read[s]. The item that failed and all after it keep their values.
file_report eval_format_read_student(const QByteArray &bytes, evaluation *eval, int s);
// A student's score file into row s, with the same contract.
file_report eval_format_read_scores(const QByteArray &bytes, evaluation *eval, int s);
// Row s as a score file: every score as "%.3f", one per line.
QByteArray eval_format_write_scores(const evaluation &eval, int s);

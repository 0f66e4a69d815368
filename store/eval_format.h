#pragma once
// The file formats of an evaluation folder, on bytes so they can be tested without files.

#include "store/evaluation.h"

#include <QByteArray>
#include <QString>

// problem.prb: counts, then each question's scores and text, into eval's counts and question
// tables. Returns "" or the message that refuses the folder (malformed item, negative count,
// more than an evaluation holds).
QString paper_parse(const QByteArray &bytes, evaluation *eval);
// answer.ans, read with the counts of the paper: choice keys, then reference answers.
QString key_parse(const QByteArray &bytes, evaluation *eval);

// A student's answer file into row s of eval's tables. Returns "" when every item was read,
// else what could not be read; that item and all after it keep their values.
QString student_parse(const QByteArray &bytes, evaluation *eval, int s);
// A student's score file into row s, with the same contract.
QString scores_parse(const QByteArray &bytes, evaluation *eval, int s);
// Row s as a score file: every score as "%.3f", one per line.
QByteArray scores_format(const evaluation &eval, int s);

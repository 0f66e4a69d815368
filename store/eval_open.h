#pragma once
// Opening an evaluation folder: every check, then the paper, the key, the student listing,
// every answer file and every score file, into a new evaluation.

#include "store/evaluation.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct eval_open_result {
    // Set when the folder is refused; eval is then meaningless.
    QString refusal;
    evaluation eval;
    // Answer or score files that could not be read to their end, one line each; the
    // evaluation is loaded all the same.
    QStringList incomplete;
};

// Checks an evaluation folder (8-bit path) and reads it into a new evaluation.
eval_open_result eval_open(const QByteArray &folder);

// The message that lists the incomplete files after an open.
QString eval_incomplete_message(const QStringList &incomplete);

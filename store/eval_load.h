#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct eval_load_result {
    // Set when the folder is refused; the evaluation tables were then left untouched.
    QString refusal;
    // Answer or score files that could not be read to their end, one line each; the
    // evaluation is loaded all the same.
    QStringList incomplete;
    double total = 0;   // the paper's total, the sum of every full score
};

// Checks an evaluation folder (8-bit path) and loads it into the evaluation tables. Every
// check, the paper, the key, the student listing and the limits pass before the first
// table is changed.
eval_load_result eval_load(const QByteArray &folder);

// The message that lists the incomplete files after a load.
QString eval_incomplete_message(const QStringList &incomplete);

#pragma once

#include <QString>
#include <QStringList>

// Writes every student's score file into the open evaluation's "sc" folder, each one
// replacing the previous file only once it is completely written. Returns one line per
// file that could not be written; the others are written all the same.
QStringList write_scores();

// The message that lists the score files a save could not write.
QString eval_save_failure_message(const QStringList &failures);

#pragma once
// Saving an evaluation: every student's score file into its "sc" folder.

#include "store/evaluation.h"

#include <QString>
#include <QStringList>

// Writes every student's score file, each one replacing the previous file only once it is
// completely written. Returns one line per file that could not be written; the others are
// written all the same.
QStringList write_scores(const evaluation &eval);

// The message that lists the score files a save could not write.
QString eval_save_failure_message(const QStringList &failures);

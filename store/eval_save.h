#pragma once
// Saving an evaluation: every student's score file into its "sc" folder.

#include "store/evaluation.h"
#include "store/listed_message.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

struct save_report {
    QStringList failures;     // one line per score file that could not be written, its name first
    QList<int> failure_names; // per failure line, how many of its first characters name the file
    // Set when a file the save had moved aside could not be put back: its line says where it is.
    bool moved_away = false;
    QStringList backups;      // the backups made of score files that could not be read whole
};

// Why the score files cannot be saved into the evaluation's "sc" folder, or "": it is the "st"
// folder now (the scores would replace the students' answers), or no longer the folder the
// evaluation was opened with (moved, removed, or replaced by another).
QString eval_save_folder_check(const evaluation &eval);

// Writes every student's score file. Each replaces the previous file only once it is
// completely written and on the disk; a previous file that could not be read whole is kept
// beside it as "<name>.bak" first (".bak2", … when that exists; the name cut short where the
// folder would not take it whole). Where the backup had to move the file aside and the new one
// then cannot take its place, it is put back. The files that could not be written keep their
// previous contents; the others are written all the same. The students left_alone keep their
// files as they are.
save_report write_scores(evaluation &eval, const std::vector<int> &left_alone = {});

// The message that lists the score files a save could not write.
listed_message eval_save_failure_message(const save_report &report);
// The message that names the backups a save made.
listed_message eval_save_backup_message(const QStringList &backups);
// The question before replacing score files another program changed.
listed_message eval_save_changed_question(const QStringList &changed);

#pragma once
// The classes of a grade: each evaluation folder read as the window opens it, its choice
// questions graded, its score table made.

#include "results/score_sheet.h"
#include "store/evaluation.h"
#include "store/listed_message.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

struct grade_class {
    QString name;        // the folder's own name, as the teacher reads it
    QByteArray folder;   // the path as given, 8-bit
    evaluation eval;     // choice scores graded, the other scores as saved in sc/
    score_sheet sheet;
};

struct grade_class_read {
    bool missing = false;     // the folder does not exist
    QString refusal;          // set when the folder cannot be opened: the window's message
    listed_message problems;  // what the open read all the same; no items when nothing
    grade_class cls;
};

// Opens the folder (nothing is written into it), grades the choice answers with the key and
// makes the score table.
grade_class_read grade_classes_read(const QByteArray &folder);

// What the exam office should know of a class before trusting its figures, one line each
// naming the class: students without a score file (counted as 0), open answers the teacher
// has not scored by hand where the folder keeps that, and a window that has the class open,
// whose latest scores may not be saved.
QStringList grade_classes_warnings(const grade_class &cls);

// The first folder that is an earlier one again, whatever its path (the same device and
// inode), by index, with the earlier one's in *earlier; -1 when every folder is another.
int grade_classes_repeated(const std::vector<QByteArray> &folders, int *earlier);

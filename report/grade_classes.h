#pragma once
// The classes of a grade: each evaluation folder read as the window opens it, its choice
// questions graded, its score table made.

#include "results/score_sheet.h"
#include "store/evaluation.h"
#include "store/listed_message.h"

#include <QByteArray>
#include <QString>
#include <vector>

struct grade_class {
    QString name;        // the folder's own name, as the teacher reads it
    QByteArray folder;   // the path as given, 8-bit
    evaluation eval;     // choice scores graded, the other scores as saved in sc/
    score_sheet sheet;
};

struct grade_class_read {
    QString refusal;          // set when the folder cannot be opened: the window's message
    listed_message problems;  // what the open read all the same; no items when nothing
    grade_class cls;
};

// Opens the folder (nothing is written into it), grades the choice answers with the key and
// makes the score table.
grade_class_read grade_classes_read(const QByteArray &folder);

// Whether two evaluations hold the same paper and key, as decoded: counts, full and partial
// scores, keys, the non-choice questions' texts and reference answers.
bool grade_classes_same_paper(const evaluation &a, const evaluation &b);
// The classes whose paper or key differs from the first class's, by index; none when all agree.
std::vector<int> grade_classes_differing(const std::vector<grade_class> &classes);

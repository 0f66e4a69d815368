#pragma once
// The file formats of an evaluation folder, on bytes so they can be tested without files.
// The paper and the key are parsed into a staging record, so a folder that is refused
// leaves the evaluation tables untouched; answer and score files go straight into a
// student's row of the tables.

#include "store/eval_tables.h"

#include <QByteArray>
#include <QString>
#include <vector>

struct paper_data {
    int onech_cnt = 0;
    int some_cnt = 0;
    int unch_cnt = 0;
    std::vector<choice_question> onech;   // element 0 is question 1
    std::vector<choice_question> some;
    std::vector<unch_question> unch;
    double total = 0;                     // sum of every full score
};

// problem.prb: counts, then each question's scores and text. Returns "" or the message
// that refuses the folder (malformed item, negative count, more than the table holds).
QString paper_parse(const QByteArray &bytes, paper_data *paper);
// answer.ans, read with the counts of the paper: choice keys, then reference answers.
QString key_parse(const QByteArray &bytes, paper_data *paper);

// A student's answer file into row s for the current counts. Returns "" when every item
// was read, else what could not be read; that item and all after it keep their values.
QString student_parse(const QByteArray &bytes, int s);
// A student's score file into row s, with the same contract.
QString scores_parse(const QByteArray &bytes, int s);
// Row s as a score file: every score as "%.3f", one per line.
QByteArray scores_format(int s);

// Zero scores and answers and empty texts for row s within the current counts.
void student_row_reset(int s);

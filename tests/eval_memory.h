#pragma once
// Evaluations built in memory, for the tests of what works on one.

#include "store/evaluation.h"

#include <QList>

// An evaluation with these counts and students, as an open leaves it before reading the
// students' files: questions and tables sized, everything zero.
inline evaluation evaluation_make(int onech, int some, int unch, const QList<QByteArray> &files)
{
    evaluation eval;
    eval.onech_cnt = onech;
    eval.some_cnt = some;
    eval.unch_cnt = unch;
    eval.stu_cnt = files.size();
    eval.onech_questions.resize(std::size_t(onech) + 1);
    eval.some_questions.resize(std::size_t(some) + 1);
    eval.unch_questions.resize(std::size_t(unch) + 1);
    eval.stu_file.insert(eval.stu_file.end(), files.begin(), files.end());
    evaluation_tables_reset(eval);
    return eval;
}

// The same with students named s1.stu, s2.stu, ...
inline evaluation evaluation_make(int onech, int some, int unch, int students)
{
    QList<QByteArray> files;
    for (int s = 1; s <= students; ++s)
        files << "s" + QByteArray::number(s) + ".stu";
    return evaluation_make(onech, some, unch, files);
}

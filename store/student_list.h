#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// True when a comes before b in the class list: runs of digits compare by their value
// ("2.stu" before "10.stu"), everything else byte by byte; ties fall back to byte order.
bool student_list_less(const QByteArray &a, const QByteArray &b);

// The student answer files of a "st" folder: regular files whose name ends in ".stu" in
// any letter case, in natural order. Entries with such names that are no regular file (a
// folder, a FIFO, a dangling link) go to *others, so they can be named to the teacher.
// Returns "" or the reason the folder can't be read.
QString list_students(const QByteArray &st_dir, std::vector<QByteArray> *names, std::vector<QByteArray> *others);

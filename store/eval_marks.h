#pragma once
// Which open answers the teacher has scored by hand. A score file cannot tell a stored 0 from
// an answer never looked at, so the marks are kept beside the score files, in one small file
// of the evaluation folder: the next sitting, and lumo_report, know where the teacher stopped.

#include "store/evaluation.h"

#include <QByteArray>
#include <QString>

// The file's name in the evaluation folder.
constexpr char EVAL_MARKS_NAME[] = ".lumo_test.scored";

// eval's marks as the file holds them: a line naming the format, then a line per student with
// an answer scored by hand: the bytes of its file name, percent-encoded so that any name
// round-trips and holds no space or line break, a space, and a "0" or "1" per open question,
// "1" where it was scored by hand.
QByteArray eval_marks_format(const evaluation &eval);
// Adds the marks from bytes to eval->unch_scored (a mark is never taken away, so marks read
// after another window saved are the union of both); students and questions the evaluation
// does not have are passed over. Returns "" or why the bytes are no such file, and then takes
// nothing from them.
QString eval_marks_parse(const QByteArray &bytes, evaluation *eval);
// Reads the evaluation folder's file into eval->unch_scored, adding to what it holds. A missing file is a class whose
// marks are not known (eval->marks_known false), no failure. Returns "" or why the file could
// not be read; its marks are then ignored.
QString eval_marks_read(evaluation *eval);
// Where the evaluation keeps the file; a save writes it with the score files.
QByteArray eval_marks_path(const evaluation &eval);
// How many open answers carry a mark.
int eval_marks_count(const evaluation &eval);

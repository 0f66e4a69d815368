#pragma once
// The grading log's text: lines added in paragraphs, so that a large class's log is laid out
// in the background instead of all at once.

#include <QString>

class QTextEdit;

// The log's lines in paragraphs: a document makes one block per paragraph, and that, not the
// text, is what costs when a large class is graded. A paragraph holds one student's lines
// (so a triple click selects that student), at most this many, kept apart by U+2028 line
// separators, which look and copy as line breaks.
constexpr int GRADING_LOG_PARAGRAPH_LINES = 64;
void grading_log_paragraphs(QString &lines, int per_student);

// Adds lines ('\n'-terminated, per_student of them for each student) in paragraphs below the
// log's earlier ones. Handing the document all lines at once lets it lay them out lazily;
// one append per line would take minutes for a large class.
void grading_log_append(QTextEdit *log, QString lines, int per_student);

#pragma once
// A new evaluation: the "st" and "sc" sub-folders in a folder the teacher picked.

#include <QByteArray>
#include <QString>

// Creates folder/st and folder/sc; an existing one is fine. Returns "" or the message that
// lists the folders that could not be made, with the reasons.
QString eval_new(const QByteArray &folder);

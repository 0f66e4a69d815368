#pragma once
// A lock file in an open evaluation's folder, so a second window on the same class can warn
// before two writers overwrite each other's scores.

#include <QByteArray>
#include <QString>

// The process id of another live program that has the evaluation in folder open, or 0 when
// none has: no lock, a lock of this process, or a stale one whose process is gone.
qint64 eval_lock_holder(const QByteArray &folder);
// Writes the lock naming this process. Returns "" or why it could not.
QString eval_lock_take(const QByteArray &folder);
// Removes the lock if it names this process.
void eval_lock_release(const QByteArray &folder);

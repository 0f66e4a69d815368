#pragma once
// A lock file in an open evaluation's folder, so a second window on the same class can warn
// before two writers overwrite each other's scores.

#include <QByteArray>
#include <QString>

// The program a lock names.
struct eval_lock_owner {
    qint64 pid = 0;       // 0: none
    QByteArray host;      // the machine it runs on
    bool other_host = false;
};

// The other live program that has the evaluation in folder open; its pid is 0 when none has:
// no lock, a lock of this process, or a stale one whose process is gone. A process on another
// machine sharing the folder cannot be asked, and counts as alive.
eval_lock_owner eval_lock_holder(const QByteArray &folder);
// The holder as a message names it: "进程号12345", with its machine when that is another.
QString eval_lock_holder_text(const eval_lock_owner &owner);
// Writes the lock naming this process, unless another live program holds it: that lock is
// kept as it is. Returns "" or why the lock is not ours.
QString eval_lock_take(const QByteArray &folder);
// Removes the lock if it names this process.
void eval_lock_release(const QByteArray &folder);

#pragma once
// The export's save dialog as each system's teachers know it.

#include <QString>

// Where it starts: the user's Documents on Windows, where a teacher keeps such files and the
// program's own folder is seldom writable; the working folder on Linux.
QString export_dialog_folder();
// Its file types. Windows' dialog gives a name typed without an extension the first type's,
// so there .xlsx comes first, as the export itself completes such a name.
QString export_dialog_filter();

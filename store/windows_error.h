#pragma once

#include <QString>

// The reason behind a failed Windows call (a GetLastError value) in Chinese: the same words
// error_text gives for the errno value of the same meaning, and words of its own for what
// only Windows reports (a name with characters it forbids, a drive that is not ready).
QString windows_error_text(unsigned long error);

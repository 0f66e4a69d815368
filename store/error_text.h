#pragma once

#include <QString>

// The reason behind a failed system call (an errno value) in Chinese, as the teacher reads
// it in our messages; one the program does not know is named in a Chinese sentence with the
// system's own text after it.
QString error_text(int error);

#pragma once

// Readies the console the program may run in for our texts, UTF-8 with the progress line's
// control sequences, and says whether standard error is one (a terminal), where that line goes.
bool console_prepare();

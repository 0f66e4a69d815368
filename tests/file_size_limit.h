#pragma once
// Makes writes beyond a few bytes fail while it lives, the way a full disk would. Windows has
// no such limit: there the tests that need one skip.
#ifndef _WIN32

#include <csignal>
#include <sys/resource.h>

struct file_size_limit {
    rlimit previous;

    explicit file_size_limit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);   // report EFBIG instead of ending the process
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~file_size_limit() { setrlimit(RLIMIT_FSIZE, &previous); }
};
#endif

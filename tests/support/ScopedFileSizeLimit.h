#pragma once

#include <csignal>
#include <sys/resource.h>

/** While it lives, every write of this process beyond the given file size fails, as it would on a
    full disk or over a quota: the write that crosses the limit is cut short and the next one fails.
    SIGXFSZ is ignored meanwhile, so that the write fails instead of the process ending. Both are
    restored when it goes. */
class ScopedFileSizeLimit
{
public:
    explicit ScopedFileSizeLimit (rlim_t maximumFileSize)
    {
        getrlimit (RLIMIT_FSIZE, &previousLimit);
        previousHandler = std::signal (SIGXFSZ, SIG_IGN);

        auto limit = previousLimit;
        limit.rlim_cur = maximumFileSize;
        setrlimit (RLIMIT_FSIZE, &limit);
    }

    ~ScopedFileSizeLimit()
    {
        setrlimit (RLIMIT_FSIZE, &previousLimit);
        std::signal (SIGXFSZ, previousHandler);
    }

    ScopedFileSizeLimit (const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator= (const ScopedFileSizeLimit&) = delete;

private:
    rlimit previousLimit{};
    void (*previousHandler) (int) = SIG_DFL;
};

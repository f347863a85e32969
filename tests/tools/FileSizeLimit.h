#pragma once
// A write that fails part way, as on a full disk, for whoever runs the test (the superuser too).

#include <csignal>

#include <sys/resource.h>

namespace varnel::test {

// Runs `work` with the file-size limit at `bytes`: a write past it fails with EFBIG instead of
// raising SIGXFSZ. The limit and the signal's handling are put back afterwards.
template <typename Work> auto underFileSizeLimit(rlim_t bytes, Work work) {
    rlimit saved{};
    const bool limited = ::getrlimit(RLIMIT_FSIZE, &saved) == 0;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (limited) {
        rlimit small = saved;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    auto result = work();
    if (limited) {
        ::setrlimit(RLIMIT_FSIZE, &saved);
    }
    std::signal(SIGXFSZ, oldHandler);
    return result;
}

} // namespace varnel::test

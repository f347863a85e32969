#pragma once
// FIFOs where files are expected, and a guard that turns "blocks forever" into a failed check.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <initializer_list>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varnel::test {

inline void makeFifo(const std::filesystem::path& path) {
    if (::mkfifo(path.c_str(), 0600) != 0) {
        throw std::runtime_error("mkfifo failed");
    }
}

// Runs `work` and tells whether it came back within `limit`. Work stuck opening or reading one
// of the FIFOs is set free by writers that open and close them, so a failing check still ends.
template <class Work>
bool returnsWithoutBlocking(std::initializer_list<std::filesystem::path> fifos, Work&& work,
                            std::chrono::milliseconds limit = std::chrono::milliseconds(3000)) {
    std::atomic<bool> done{false};
    bool late = false;
    std::thread watchdog([&] {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (!done && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        late = !done;
        while (!done) {
            for (const auto& fifo : fifos) {
                const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0) {
                    ::close(fd);
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    work();
    done = true;
    watchdog.join();
    return !late;
}

} // namespace varnel::test

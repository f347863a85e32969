#pragma once
// Writes recovery copies on a thread of its own, so that a large list never makes typing wait
// for the disk. Copies handed over while one is being written replace each other: only the
// newest is written.

#include "model/RecoveryStore.h"

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

namespace varnel {

class RecoveryWriter {
public:
    explicit RecoveryWriter(RecoveryStore store);
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;
    // Finishes the copy in hand and any waiting one.
    ~RecoveryWriter();

    [[nodiscard]] const RecoveryStore& store() const { return store_; }

    // A copy with the same bytes as the last one written for its document is not written again.
    void submit(RecoveryFile copy);
    // Waits until every copy handed over is on disk; the error of the last write, if it failed.
    std::error_code flush();
    // Drops a copy of `document` not yet written, waits for one being written, then removes the
    // document's copy from the folder.
    void discard(const std::filesystem::path& document);

private:
    void run();

    RecoveryStore store_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<RecoveryFile> pending_;
    bool busy_ = false;
    bool stopping_ = false;
    std::error_code lastError_;
    std::filesystem::path lastDocument_;
    std::size_t lastHash_ = 0;
    std::thread thread_;
};

} // namespace varnel

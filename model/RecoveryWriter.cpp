#include "model/RecoveryWriter.h"

#include <functional>
#include <string_view>

namespace varnel {

namespace {

std::size_t contentHash(const RecoveryFile& copy) {
    const std::hash<std::string_view> hash;
    return hash(copy.documentBytes) ^ (hash(copy.settingsBytes) * 31U);
}

} // namespace

RecoveryWriter::RecoveryWriter(RecoveryStore store)
    : store_(std::move(store)), thread_([this] { run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void RecoveryWriter::submit(RecoveryFile copy) {
    {
        const std::lock_guard lock(mutex_);
        pending_ = std::move(copy);
    }
    wake_.notify_one();
}

std::error_code RecoveryWriter::flush() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !pending_ && !busy_; });
    return lastError_;
}

void RecoveryWriter::discard(const std::filesystem::path& document) {
    std::unique_lock lock(mutex_);
    if (pending_ && pending_->document == document) {
        pending_.reset();
    }
    idle_.wait(lock, [this] { return !busy_; });
    if (lastDocument_ == document) {
        lastDocument_.clear();
    }
    (void)store_.remove(document);
}

void RecoveryWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_) {
            return;
        }
        RecoveryFile copy = std::move(*pending_);
        pending_.reset();
        busy_ = true;
        lock.unlock();
        const std::size_t hash = contentHash(copy);
        const bool same = copy.document == lastDocument_ && hash == lastHash_;
        const std::error_code ec = same ? std::error_code{} : store_.write(copy);
        lock.lock();
        busy_ = false;
        lastError_ = ec;
        if (!ec) {
            lastDocument_ = copy.document;
            lastHash_ = hash;
        }
        if (!pending_) {
            idle_.notify_all();
        }
    }
}

} // namespace varnel

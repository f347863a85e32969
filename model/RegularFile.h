#pragma once
// A file opened for reading only if it is a regular file, without ever blocking on the way: a
// FIFO or a device named like a document or a settings file must not hang the program.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <system_error>

namespace varnel {

class RegularFile {
public:
    RegularFile() = default;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    ~RegularFile();

    // Checks the name first, so nothing else is ever opened, then opens without blocking and
    // checks again what was opened (the name may have changed in between). A missing file gives
    // ENOENT, a folder EISDIR, anything else that is not a regular file FileError::NotRegular.
    std::error_code open(const std::filesystem::path& path);

    [[nodiscard]] bool isOpen() const { return fd_ >= 0; }
    // The size when opened; the file may grow or shrink while it is read.
    [[nodiscard]] std::uintmax_t size() const { return size_; }
    // Up to `n` bytes; 0 at the end. Interrupted reads are retried.
    std::size_t read(void* into, std::size_t n, std::error_code& ec);

private:
    void close();

    int fd_ = -1;
    std::uintmax_t size_ = 0;
};

} // namespace varnel

#include "model/RegularFile.h"

#include "model/FileError.h"

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varnel {

namespace {

std::error_code lastError() {
    return {errno, std::system_category()};
}

} // namespace

RegularFile::RegularFile(RegularFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(other.size_) {}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        size_ = other.size_;
    }
    return *this;
}

RegularFile::~RegularFile() {
    close();
}

void RegularFile::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

std::error_code RegularFile::open(const std::filesystem::path& path) {
    close();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return lastError();
    }
    if (S_ISDIR(st.st_mode)) {
        return {EISDIR, std::system_category()};
    }
    if (!S_ISREG(st.st_mode)) {
        return FileError::NotRegular;
    }
    // O_NONBLOCK: if a FIFO took the file's place after the check, opening it returns at once
    // instead of waiting for a writer. O_NOCTTY: a terminal never becomes ours.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return lastError();
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const std::error_code ec = S_ISREG(st.st_mode) ? lastError() : FileError::NotRegular;
        ::close(fd);
        return ec;
    }
    // Reading a regular file never blocks; clear the flag so no file system sees it.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    fd_ = fd;
    size_ = static_cast<std::uintmax_t>(st.st_size);
    return {};
}

std::size_t RegularFile::read(void* into, std::size_t n, std::error_code& ec) {
    ec.clear();
    for (;;) {
        const ssize_t got = ::read(fd_, into, n);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            ec = lastError();
            return 0;
        }
    }
}

} // namespace varnel

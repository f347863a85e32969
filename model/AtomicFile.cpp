#include "model/AtomicFile.h"

#include "model/FileError.h"

#include <atomic>
#include <cerrno>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varnel {

namespace fs = std::filesystem;

namespace {

// Without this the rename would replace the link itself with a plain file.
bool resolveLinks(fs::path& path, int& error) {
    constexpr int kMaxLinks = 40;
    for (int i = 0; i < kMaxLinks; ++i) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) {
            return true;
        }
        const fs::path target = fs::read_symlink(path, ec);
        if (ec) {
            error = ec.value();
            return false;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    error = ELOOP;
    return false;
}

std::string temporaryName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    const unsigned n = seed ^ (counter.fetch_add(1) * 2654435761U);
    std::string name = ".";
    name += target.filename().string();
    name += '.';
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(n);
    name += ".tmp";
    return name;
}

bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename itself survive a crash; some file systems refuse, which changes nothing.
void syncDirectory(const fs::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::error_code replaceFileAtomically(const fs::path& path, std::string_view bytes) {
    const auto failure = [](int e) { return std::error_code(e, std::system_category()); };
    fs::path target = path;
    int error = 0;
    if (!resolveLinks(target, error)) {
        return failure(error);
    }
    const fs::path dir = target.parent_path().empty() ? fs::path(".") : target.parent_path();

    struct stat old {};
    const bool hadOld = ::stat(target.c_str(), &old) == 0;
    if (hadOld && S_ISDIR(old.st_mode)) {
        return failure(EISDIR);
    }
    if (hadOld && !S_ISREG(old.st_mode)) {
        // A FIFO or device in the file's place is not ours to replace with a plain file.
        return FileError::NotRegular;
    }

    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = dir / temporaryName(target);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return failure(errno);
        }
    }
    if (fd < 0) {
        return failure(EEXIST);
    }

    if (hadOld) {
        // Best effort: a file system without modes or a user who may not give files away.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
        }
        ::fchmod(fd, old.st_mode & 07777);
    }

    bool done = writeAll(fd, bytes) && ::fsync(fd) == 0;
    error = done ? 0 : errno;
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && ::rename(temp.c_str(), target.c_str()) != 0) {
        done = false;
        error = errno;
    }
    if (!done) {
        ::unlink(temp.c_str());
        return failure(error);
    }
    syncDirectory(dir);
    return {};
}

std::optional<std::string> writeFileAtomically(const fs::path& path, std::string_view bytes) {
    if (const std::error_code ec = replaceFileAtomically(path, bytes)) {
        return ec.message();
    }
    return std::nullopt;
}

} // namespace varnel

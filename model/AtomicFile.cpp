#include "model/AtomicFile.h"

#include "model/FileError.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
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

// The checks and the temporary file that every replacement starts with.
struct Prepared {
    fs::path target; // links resolved
    fs::path dir;
    fs::path temp; // complete and synced
    bool hadOld = false;
    struct stat old {};
};

std::error_code failure(int e) {
    return {e, std::system_category()};
}

std::error_code writeTemporary(const fs::path& path, std::string_view bytes, int injected,
                               Prepared& out) {
    out.target = path;
    int error = 0;
    if (!resolveLinks(out.target, error)) {
        return failure(error);
    }
    out.dir = out.target.parent_path().empty() ? fs::path(".") : out.target.parent_path();

    out.hadOld = ::stat(out.target.c_str(), &out.old) == 0;
    if (out.hadOld && S_ISDIR(out.old.st_mode)) {
        return failure(EISDIR);
    }
    if (out.hadOld && !S_ISREG(out.old.st_mode)) {
        // A FIFO or device in the file's place is not ours to replace with a plain file.
        return FileError::NotRegular;
    }

    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        out.temp = out.dir / temporaryName(out.target);
        fd = ::open(out.temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return failure(errno);
        }
    }
    if (fd < 0) {
        return failure(EEXIST);
    }

    if (out.hadOld) {
        // Best effort: a file system without modes or a user who may not give files away.
        if (out.old.st_uid != ::geteuid() || out.old.st_gid != ::getegid()) {
            [[maybe_unused]] const int ignored = ::fchown(fd, out.old.st_uid, out.old.st_gid);
        }
        ::fchmod(fd, out.old.st_mode & 07777);
    }

    bool done = injected == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    error = done ? 0 : (injected != 0 ? injected : errno);
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (!done) {
        ::unlink(out.temp.c_str());
        return failure(error);
    }
    return {};
}

// Whether `file` holds exactly `bytes`.
bool holds(const fs::path& file, const struct stat& st, std::string_view bytes) {
    if (st.st_size < 0 || static_cast<std::uint64_t>(st.st_size) != bytes.size()) {
        return false;
    }
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    std::string buffer(64 * 1024, '\0');
    std::size_t at = 0;
    bool same = true;
    while (same) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            same = n == 0 && at == bytes.size();
            break;
        }
        const auto got = static_cast<std::size_t>(n);
        same = at + got <= bytes.size() &&
               bytes.substr(at, got) == std::string_view(buffer).substr(0, got);
        at += got;
    }
    ::close(fd);
    return same;
}

// A second name for the file's present contents, so that replacing it loses nothing. A hard link
// costs no space; where the file system has none, a synced copy does the same.
std::error_code keepPrevious(const Prepared& p, const fs::path& keep, const ReplaceFaults& faults) {
    const int linked = faults.linkPrevious != 0 ? (errno = faults.linkPrevious, -1)
                                                : ::link(p.target.c_str(), keep.c_str());
    if (linked == 0) {
        return {};
    }
    if (faults.copyPrevious != 0) {
        return failure(faults.copyPrevious);
    }
    const int in = ::open(p.target.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return failure(errno);
    }
    const int out = ::open(keep.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        const int e = errno;
        ::close(in);
        return failure(e);
    }
    ::fchmod(out, p.old.st_mode & 07777);
    std::string buffer(64 * 1024, '\0');
    int error = 0;
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            error = errno;
            break;
        }
        if (n == 0) {
            break;
        }
        if (!writeAll(out, std::string_view(buffer.data(), static_cast<std::size_t>(n)))) {
            error = errno;
            break;
        }
    }
    if (error == 0 && ::fsync(out) != 0) {
        error = errno;
    }
    if (::close(out) != 0 && error == 0) {
        error = errno;
    }
    ::close(in);
    if (error != 0) {
        ::unlink(keep.c_str());
        return failure(error);
    }
    return {};
}

} // namespace

std::error_code replaceFileAtomically(const fs::path& path, std::string_view bytes) {
    Prepared p;
    if (const std::error_code ec = writeTemporary(path, bytes, 0, p)) {
        return ec;
    }
    if (::rename(p.temp.c_str(), p.target.c_str()) != 0) {
        const int error = errno;
        ::unlink(p.temp.c_str());
        return failure(error);
    }
    syncDirectory(p.dir);
    return {};
}

fs::path backupPath(const fs::path& file) {
    fs::path backup = file;
    backup += ".bak";
    return backup;
}

std::string BackupOutcome::message() const {
    if (!error) {
        return {};
    }
    std::string text = where.empty() ? error.message() : where.string() + ": " + error.message();
    if (!keptAt.empty()) {
        text += ". The previous version is in " + keptAt.string();
    }
    return text;
}

BackupOutcome replaceFileKeepingBackup(const fs::path& path, std::string_view bytes,
                                       const ReplaceFaults& faults) {
    BackupOutcome outcome;
    Prepared p;
    if (std::error_code ec = writeTemporary(path, bytes, faults.writeTemporary, p)) {
        outcome.error = ec;
        return outcome;
    }
    const auto abandon = [&](std::error_code ec, const fs::path& where) {
        ::unlink(p.temp.c_str());
        outcome.error = ec;
        outcome.where = where;
        return outcome;
    };
    const fs::path backup = backupPath(p.target);
    // An unchanged file saved again keeps the backup it has: otherwise Save and the save at exit
    // would leave two copies of the same list and none of the one before.
    const bool keep = p.hadOld && !holds(p.target, p.old, bytes);
    fs::path kept;
    if (keep) {
        struct stat st {};
        if (::lstat(backup.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
            // Found before anything moved: the user's folder or FIFO is never replaced.
            return abandon(S_ISDIR(st.st_mode) ? failure(EISDIR)
                                               : std::error_code(FileError::NotRegular),
                           backup);
        }
        kept = p.dir / temporaryName(backup);
        if (const std::error_code ec = keepPrevious(p, kept, faults)) {
            return abandon(ec, backup);
        }
    }
    const int replaced = faults.replace != 0 ? (errno = faults.replace, -1)
                                             : ::rename(p.temp.c_str(), p.target.c_str());
    if (replaced != 0) {
        const std::error_code ec = failure(errno);
        if (!kept.empty()) {
            ::unlink(kept.c_str());
        }
        return abandon(ec, {});
    }
    outcome.replaced = true;
    if (!kept.empty()) {
        const int stored = faults.storeBackup != 0 ? (errno = faults.storeBackup, -1)
                                                   : ::rename(kept.c_str(), backup.c_str());
        if (stored != 0) {
            // The list is saved; its previous version stays under the name it was kept by.
            outcome.error = failure(errno);
            outcome.where = backup;
            outcome.keptAt = kept;
        }
    }
    syncDirectory(p.dir);
    return outcome;
}

std::optional<std::string> writeFileAtomically(const fs::path& path, std::string_view bytes) {
    if (const std::error_code ec = replaceFileAtomically(path, bytes)) {
        return ec.message();
    }
    return std::nullopt;
}

} // namespace varnel

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

// The descriptor number when `path` names one of this process's open descriptors
// (/dev/fd/N, /proc/self/fd/N): reopening such a name would truncate what the shell opened, and
// for a pipe it names no file at all.
int ownDescriptor(const fs::path& path) {
    const fs::path name = path.lexically_normal();
    const std::string number = name.filename().string();
    if (number.empty() || number.size() > 9 ||
        number.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    const std::string folder = name.parent_path().string();
    if (folder == "/dev/fd" || folder == "/proc/self/fd" || folder == "/proc/thread-self/fd" ||
        folder == "/proc/" + std::to_string(::getpid()) + "/fd") {
        return std::stoi(number);
    }
    return -1;
}

// Without this the rename would replace the link itself with a plain file. With `descriptor`
// the walk stops at a name for one of our own descriptors and gives its number there.
bool resolveLinks(fs::path& path, int& error, int* descriptor = nullptr) {
    constexpr int kMaxLinks = 40;
    for (int i = 0; i < kMaxLinks; ++i) {
        if (descriptor != nullptr && (*descriptor = ownDescriptor(path)) >= 0) {
            return true;
        }
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
    // The file is written into where it stands: the folder does not let it be replaced, or a
    // replacement could not keep its owner.
    bool inPlace = false;
};

std::error_code failure(int e) {
    return {e, std::system_category()};
}

// Whether a new file may be renamed over the old one: the folder must take new names, and in a
// sticky folder (/tmp) only the owners may replace someone else's file.
bool mayReplaceIn(const Prepared& p) {
    struct stat folder {};
    if (::faccessat(AT_FDCWD, p.dir.c_str(), W_OK | X_OK, AT_EACCESS) != 0 ||
        ::stat(p.dir.c_str(), &folder) != 0) {
        return false;
    }
    const uid_t me = ::geteuid();
    return (folder.st_mode & S_ISVTX) == 0 || me == 0 || p.old.st_uid == me || folder.st_uid == me;
}

// What the shell's `>` would do decides: a file there that we may not write is refused, one we
// may write in a folder that does not let us replace it is written in place. A folder, FIFO or
// device in the file's place is refused.
std::error_code prepare(const fs::path& path, Prepared& out) {
    out.target = path;
    int error = 0;
    if (!resolveLinks(out.target, error)) {
        return failure(error);
    }
    out.dir = out.target.parent_path().empty() ? fs::path(".") : out.target.parent_path();

    out.hadOld = ::stat(out.target.c_str(), &out.old) == 0;
    if (!out.hadOld) {
        return {};
    }
    if (S_ISDIR(out.old.st_mode)) {
        return failure(EISDIR);
    }
    if (!S_ISREG(out.old.st_mode)) {
        // A FIFO or device in the file's place is not ours to replace with a plain file.
        return FileError::NotRegular;
    }
    // A file made read-only is not replaced behind its owner's back.
    if (::faccessat(AT_FDCWD, out.target.c_str(), W_OK, AT_EACCESS) != 0) {
        return failure(errno);
    }
    out.inPlace = !mayReplaceIn(out);
    return {};
}

// Whether prepare() refused a regular file that is there, because it may not be written.
bool refusedExisting(const Prepared& p) {
    return p.hadOld && S_ISREG(p.old.st_mode);
}

std::error_code writeTemporary(std::string_view bytes, int injected, Prepared& out) {
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        out.temp = out.dir / temporaryName(out.target);
        fd = ::open(out.temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && out.hadOld && (errno == EACCES || errno == EPERM)) {
            out.temp.clear();
            out.inPlace = true;
            return {};
        }
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
        struct stat made {};
        if (::fstat(fd, &made) == 0 &&
            (made.st_uid != out.old.st_uid || made.st_gid != out.old.st_gid)) {
            // Renamed over, someone else's file would become ours: the shell writes into it.
            ::close(fd);
            ::unlink(out.temp.c_str());
            out.temp.clear();
            out.inPlace = true;
            return {};
        }
    }

    bool done = injected == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = done ? 0 : (injected != 0 ? injected : errno);
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (!done) {
        ::unlink(out.temp.c_str());
        out.temp.clear();
        return failure(error);
    }
    return {};
}

bool readAll(int fd, std::string& into) {
    into.clear();
    std::string buffer(64 * 1024, '\0');
    for (;;) {
        const ssize_t n =
            ::pread(fd, buffer.data(), buffer.size(), static_cast<off_t>(into.size()));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n == 0;
        }
        into.append(buffer.data(), static_cast<std::size_t>(n));
    }
}

std::error_code readFile(const fs::path& file, std::string& into) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return failure(errno);
    }
    const bool read = readAll(fd, into);
    const int error = read ? 0 : errno;
    ::close(fd);
    return read ? std::error_code{} : failure(error);
}

bool writeAllAt(int fd, std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + at, bytes.size() - at, static_cast<off_t>(at));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        at += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes `bytes` into `file` where it stands, for a file that cannot be replaced. Room is taken
// first where the file system allows, so that a full disk stops the write before a byte changes;
// a failure part way puts back what the file held when it could be read. `createMode` makes a
// missing file; `injected` fails the write after its bytes went in, as a full disk could.
std::error_code writeInPlace(const fs::path& file, std::string_view bytes, mode_t createMode = 0,
                             int injected = 0) {
    int fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    bool readable = fd >= 0;
    if (fd < 0 && errno == EACCES) {
        fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY); // a file we may only write
    }
    bool created = false;
    if (fd < 0 && errno == ENOENT && createMode != 0) {
        fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, createMode);
        created = readable = fd >= 0;
    }
    if (fd < 0) {
        return failure(errno);
    }
    std::string previous;
    readable = readable && readAll(fd, previous);
    struct stat st {};
    const off_t oldSize = ::fstat(fd, &st) == 0 ? st.st_size : 0;
    int error = 0;
#ifdef __linux__
    if (static_cast<off_t>(bytes.size()) > oldSize &&
        ::fallocate(fd, 0, 0, static_cast<off_t>(bytes.size())) != 0 && errno != EOPNOTSUPP &&
        errno != ENOSYS && errno != EINVAL) {
        error = errno;
        [[maybe_unused]] const int ignored = ::ftruncate(fd, oldSize);
    }
#endif
    if (error == 0) {
        const bool done = writeAllAt(fd, bytes) &&
                          ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
                          ::fsync(fd) == 0;
        error = injected != 0 ? injected : (done ? 0 : errno);
        if (error != 0 && readable) {
            writeAllAt(fd, previous);
            [[maybe_unused]] const int cut = ::ftruncate(fd, static_cast<off_t>(previous.size()));
            ::fsync(fd);
        }
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0 && created) {
        ::unlink(file.c_str());
    }
    return error != 0 ? failure(error) : std::error_code{};
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

// A save of `path` that failed with `ec`, about `where` when that is not the file itself.
FileOutcome replaceFailed(const fs::path& path, std::error_code ec, const fs::path& where = {}) {
    FileOutcome outcome = FileOutcome::written(FileOutcome::Task::Save, path, ec);
    if (!where.empty()) {
        outcome.file = where;
        outcome.reason = where.string() + ": " + outcome.reason;
    }
    return outcome;
}

// Puts `bytes` into a file that can only be written in place, keeping what it held as the
// backup (written in place too, or made when the folder allows). A failure while the file is
// written puts both back.
FileOutcome replaceInPlaceKeepingBackup(const fs::path& path, const Prepared& p,
                                        const fs::path& backup, std::string_view bytes,
                                        const ReplaceFaults& faults) {
    std::string previous;
    if (const std::error_code ec = readFile(p.target, previous)) {
        return replaceFailed(path, ec, p.target);
    }
    std::string older;
    const bool hadBackup = !readFile(backup, older);
    if (const std::error_code ec =
            writeInPlace(backup, previous, p.old.st_mode & 07777, faults.copyPrevious)) {
        return replaceFailed(path, ec, backup);
    }
    if (const std::error_code ec = writeInPlace(p.target, bytes, 0, faults.replace)) {
        if (hadBackup) {
            [[maybe_unused]] const std::error_code ignored = writeInPlace(backup, older);
        } else {
            ::unlink(backup.c_str());
        }
        return replaceFailed(path, ec);
    }
    FileOutcome outcome = FileOutcome::written(FileOutcome::Task::Save, path, {});
    outcome.replaced = true;
    return outcome;
}

// `sameIsDone`: a file that already holds `bytes` is left alone even where it may not be
// written, so that saving an unchanged read-only list is no error.
std::error_code replaceRegular(const fs::path& path, std::string_view bytes, bool sameIsDone) {
    Prepared p;
    if (const std::error_code ec = prepare(path, p)) {
        return sameIsDone && refusedExisting(p) && holds(p.target, p.old, bytes) ? std::error_code{}
                                                                                 : ec;
    }
    if (!p.inPlace) {
        if (const std::error_code ec = writeTemporary(bytes, 0, p)) {
            return ec;
        }
    }
    if (p.inPlace) {
        return writeInPlace(p.target, bytes);
    }
    if (::rename(p.temp.c_str(), p.target.c_str()) != 0) {
        const int error = errno;
        ::unlink(p.temp.c_str());
        return p.hadOld && (error == EPERM || error == EACCES) ? writeInPlace(p.target, bytes)
                                                               : failure(error);
    }
    syncDirectory(p.dir);
    return {};
}

} // namespace

std::error_code replaceFileAtomically(const fs::path& path, std::string_view bytes) {
    return replaceRegular(path, bytes, true);
}

std::error_code writeToDescriptor(int fd, std::string_view bytes) {
    return writeAll(fd, bytes) ? std::error_code{} : failure(errno);
}

std::error_code writeOutputFile(const fs::path& path, std::string_view bytes) {
    fs::path target = path;
    int error = 0;
    int descriptor = -1;
    if (!resolveLinks(target, error, &descriptor)) {
        return failure(error);
    }
    if (descriptor >= 0) {
        return writeToDescriptor(descriptor, bytes);
    }
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0 || S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) {
        return replaceRegular(target, bytes, false);
    }
    // A pipe, terminal or device: nothing to replace, the bytes go into it.
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return failure(errno);
    }
    const bool written = writeAll(fd, bytes);
    error = written ? 0 : errno;
    if (::close(fd) != 0 && written) {
        error = errno;
    }
    return error != 0 ? failure(error) : std::error_code{};
}

fs::path backupPath(const fs::path& file) {
    fs::path backup = file;
    backup += ".bak";
    return backup;
}

FileOutcome replaceFileKeepingBackup(const fs::path& path, std::string_view bytes,
                                     const ReplaceFaults& faults) {
    FileOutcome outcome = FileOutcome::written(FileOutcome::Task::Save, path, {});
    Prepared p;
    if (std::error_code ec = prepare(path, p)) {
        if (refusedExisting(p) && holds(p.target, p.old, bytes)) {
            return outcome; // unchanged, it needs no writing
        }
        return replaceFailed(path, ec);
    }
    if (!p.inPlace) {
        if (std::error_code ec = writeTemporary(bytes, faults.writeTemporary, p)) {
            return replaceFailed(path, ec);
        }
    }
    const auto abandon = [&](std::error_code ec, const fs::path& where) {
        if (!p.temp.empty()) {
            ::unlink(p.temp.c_str());
        }
        return replaceFailed(path, ec, where);
    };
    const fs::path backup = backupPath(p.target);
    // An unchanged file saved again keeps the backup it has: otherwise Save and the save at exit
    // would leave two copies of the same list and none of the one before.
    const bool keep = p.hadOld && !holds(p.target, p.old, bytes);
    if (keep) {
        struct stat st {};
        if (::lstat(backup.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
            // Found before anything moved: the user's folder or FIFO is never replaced.
            return abandon(S_ISDIR(st.st_mode) ? failure(EISDIR)
                                               : std::error_code(FileError::NotRegular),
                           backup);
        }
    }
    if (p.inPlace) {
        return keep ? replaceInPlaceKeepingBackup(path, p, backup, bytes, faults) : outcome;
    }
    fs::path kept;
    if (keep) {
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
            outcome = replaceFailed(path, failure(errno), backup);
            outcome.reason += ". The previous version is in " + kept.string();
            outcome.partial = outcome.replaced = true;
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

#include "model/RecoveryStore.h"

#include "model/AtomicFile.h"
#include "model/FileStamp.h"
#include "model/RegularFile.h"

#include <cstdint>
#include <cstdio>
#include <ctime>

namespace varnel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExtension = ".recovery";
constexpr std::size_t kMaxNameStem = 48;

std::uint64_t pathHash(std::string_view text) {
    // FNV-1a: stable between runs and builds, unlike std::hash.
    std::uint64_t h = 14695981039346656037ULL;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    return h;
}

std::string timeStamp(std::int64_t ns) {
    const auto seconds = static_cast<std::time_t>(ns / 1'000'000'000);
    std::tm local{};
    char text[32] = "0";
    if (::localtime_r(&seconds, &local) != nullptr) {
        std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    }
    return text;
}

std::error_code readWhole(const fs::path& path, std::string& bytes) {
    RegularFile file;
    if (auto ec = file.open(path)) {
        return ec;
    }
    std::error_code ec;
    char buffer[65536];
    while (const std::size_t n = file.read(buffer, sizeof buffer, ec)) {
        bytes.append(buffer, n);
    }
    return ec;
}

} // namespace

fs::path recoveryFolder(const char* xdgStateHome, const char* home) {
    if (xdgStateHome != nullptr && fs::path(xdgStateHome).is_absolute()) {
        return fs::path(xdgStateHome) / "varnel";
    }
    if (home != nullptr && *home != '\0') {
        return fs::path(home) / ".local" / "state" / "varnel";
    }
    return {};
}

fs::path recoveryDocumentPath(const fs::path& document, const fs::path& currentFolder) {
    const fs::path full = document.is_absolute() ? document : currentFolder / document;
    std::error_code ec;
    fs::path resolved = fs::weakly_canonical(full, ec);
    return ec ? full.lexically_normal() : resolved;
}

fs::path RecoveryStore::fileFor(const fs::path& document) const {
    std::string stem;
    for (const char c : document.filename().string().substr(0, kMaxNameStem)) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        stem += plain ? c : '_';
    }
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(pathHash(document.string())));
    return folder_ / (stem + '-' + hash + std::string(kExtension));
}

std::error_code RecoveryStore::write(const RecoveryFile& copy) const {
    std::error_code ec;
    if (fs::create_directories(folder_, ec)) {
        fs::permissions(folder_, fs::perms::owner_all, ec);
    }
    if (ec) {
        return ec;
    }
    return replaceFileAtomically(fileFor(copy.document), copy.serialize());
}

std::error_code RecoveryStore::remove(const fs::path& document) const {
    std::error_code ec;
    fs::remove(fileFor(document), ec);
    return ec;
}

RecoveryFound RecoveryStore::find(const fs::path& document) const {
    RecoveryFound found;
    found.file = fileFor(document);
    const FileStamp stamp = FileStamp::of(found.file);
    if (!stamp.exists) {
        return found;
    }
    std::string bytes;
    std::int64_t takenNs = stamp.modifiedNs;
    if (const std::error_code ec = readWhole(found.file, bytes)) {
        found.status = RecoveryFound::Status::Unreadable;
        found.why = ec.message();
    } else if (auto copy = RecoveryFile::parse(bytes, found.why)) {
        // Another document whose path hashes alike is not this one's.
        if (copy->document != document) {
            return RecoveryFound{};
        }
        found.status = RecoveryFound::Status::Readable;
        found.copy = std::move(*copy);
        takenNs = found.copy.savedNs;
        const FileStamp now = FileStamp::of(document);
        found.documentChanged = now.exists && now.modifiedNs > takenNs;
    } else {
        found.status = RecoveryFound::Status::Unreadable;
    }
    // The time the copy was taken, then a number when that name is taken too.
    const std::string base = found.file.stem().string() + '-' + timeStamp(takenNs);
    found.keepAt = folder_ / (base + ".kept");
    for (int n = 2; fs::exists(fs::symlink_status(found.keepAt)); ++n) {
        found.keepAt = folder_ / (base + '-' + std::to_string(n) + ".kept");
    }
    return found;
}

std::error_code RecoveryStore::keepAside(const RecoveryFound& found) const {
    std::error_code ec;
    fs::rename(found.file, found.keepAt, ec);
    return ec;
}

UserMessage RecoveryFound::question() const {
    std::string text = "Varnel has a recovery copy of " + copy.document.string() + " from " +
                       localTimeText(copy.savedNs) +
                       ", with changes that were not saved when Varnel last ended.";
    if (documentChanged) {
        text += "\n\nThe file has been saved since that copy was made, by Varnel or another "
                "program: the copy may not hold its latest changes.";
    }
    text += "\n\nRestore the recovery copy? The file itself stays as it is until you save. "
            "Choose No to open the file as it was saved; the copy is then kept as " +
            keepAt.string() + ".";
    return {text, "Varnel", MessageIcon::Question};
}

UserMessage RecoveryFound::unreadableMessage() const {
    return {"The recovery copy " + file.string() + " cannot be read: " + why + ". It is kept as " +
                keepAt.string() + ".",
            "Varnel", MessageIcon::Exclamation};
}

} // namespace varnel

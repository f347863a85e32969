#pragma once
// What a file on disk was when it was last read or written, to tell whether someone else has
// replaced it since.

#include <cstdint>
#include <filesystem>

namespace varnel {

struct FileStamp {
    bool exists = false;
    bool regular = false; // a folder or FIFO in its place is never saved over
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;

    // A symbolic link is followed: what matters is the file that would be replaced.
    static FileStamp of(const std::filesystem::path& file);

    bool operator==(const FileStamp&) const = default;
};

} // namespace varnel

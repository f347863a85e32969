#pragma once
// Replaces a file only once its new contents are safely on disk.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace varnel {

// Writes `bytes` to a temporary file beside `path`, syncs it and renames it over `path`. A
// symbolic link is followed, so its target is replaced and the link stays; the old file's
// permissions (and, where allowed, owner) are kept. A folder, FIFO or device in the way is
// refused, never replaced. On failure the temporary is removed, the
// previous file is left as it was, and the operating system's text for the error is returned.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& path,
                                               std::string_view bytes);

// The same, keeping the operating system's error code.
std::error_code replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace varnel

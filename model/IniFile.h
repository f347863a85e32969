#pragma once
// An initialisation file held in memory, read and written the way the Windows private profile
// functions do: section and key names match without regard to ASCII case, the first of duplicate
// sections or keys wins, and writing a key touches only that key's line, so comments, unknown
// keys and odd lines survive byte for byte.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace varnel {

class IniFile {
public:
    // A file larger than this is refused by load(): settings files are a few kilobytes, and a
    // hostile one made of empty lines must not cost gigabytes in memory.
    static constexpr std::uintmax_t kMaxFileSize = 1024 * 1024;

    IniFile() = default;

    // Replaces the contents. A missing file is an empty file, not an error; on any other error
    // the contents are left empty and the error is returned: the OS's, or a FileError for a file
    // that is not a regular file (never opened, so a FIFO cannot block) or larger than
    // kMaxFileSize.
    std::error_code load(const std::filesystem::path& path);
    void parse(std::string_view bytes);
    std::string serialize() const;
    // Writes a temporary file beside the target (after following symbolic links), flushes it to
    // disk and renames it over the target, keeping the old file's permissions. On failure the
    // previous file is untouched; the error's message() is the OS's text.
    std::error_code save(const std::filesystem::path& path) const;

    static bool exists(const std::filesystem::path& path);

    bool empty() const { return lines_.empty(); }
    bool hasSection(std::string_view section) const;

    // Trimmed of surrounding blanks, then of one pair of enclosing matching quotes.
    std::optional<std::string> readString(std::string_view section, std::string_view key) const;
    // Replaces the key's value in place, or adds the key at the end of its section, or adds the
    // section at the end of the file. A value is cut at its first line break or NUL, and quoted
    // when reading would otherwise change it. Returns false (and changes nothing) for a section or
    // key name that could not be read back.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    // Removes the first matching key line; false when there was none.
    bool removeKey(std::string_view section, std::string_view key);
    // Removes the last section of the file when nothing but blank lines is left in it, with the
    // blank line that writing put before it: a section added and emptied again leaves the bytes
    // as they were.
    bool removeLastSectionIfEmpty(std::string_view section);

    std::optional<std::vector<std::uint8_t>>
    readStruct(std::string_view section, std::string_view key, std::size_t size) const;
    bool writeStruct(std::string_view section, std::string_view key,
                     std::span<const std::uint8_t> bytes);

    // A 4-byte struct holding a little-endian int32.
    std::optional<std::int32_t> readInt32(std::string_view section, std::string_view key) const;
    bool writeInt32(std::string_view section, std::string_view key, std::int32_t value);

private:
    enum class Kind { Other, Section, Key };

    struct Line {
        std::string text;        // without its line ending
        std::string_view ending; // "\r\n", "\n", or "" for a last line without one
        Kind kind = Kind::Other;
        std::size_t nameAt = 0; // section or key name, trimmed, inside `text`
        std::size_t nameSize = 0;
        std::size_t equals = 0; // position of '=' in a key line, or npos

        std::string_view name() const { return std::string_view(text).substr(nameAt, nameSize); }
    };

    static void classify(Line& line, bool first);
    // `name` views into line.text.
    static void setName(Line& line, std::string_view name);
    std::string_view newLineEnding() const;
    // Index of the first section line with that name, or npos.
    std::size_t findSection(std::string_view section) const;
    // Index one past the last line of the section that starts at `header`.
    std::size_t sectionEnd(std::size_t header) const;
    std::size_t findKey(std::string_view section, std::string_view key) const;
    std::optional<std::string_view> rawValue(std::string_view section, std::string_view key) const;
    void insertLine(std::size_t at, std::string text);

    std::vector<Line> lines_;
};

} // namespace varnel

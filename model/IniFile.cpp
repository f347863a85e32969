#include "model/IniFile.h"

#include "model/AtomicFile.h"

#include "model/ByteOrder.h"
#include "model/CaseFold.h"
#include "model/FileError.h"
#include "model/ProfileStruct.h"
#include "model/RegularFile.h"

namespace varnel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::size_t npos = std::string::npos;

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(kBlanks);
    if (first == npos) {
        return s.substr(0, 0);
    }
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

bool isBlank(std::string_view s) {
    return trim(s).empty();
}

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

bool hasEnclosingQuotes(std::string_view v) {
    return v.size() >= 2 && isQuote(v.front()) && v.back() == v.front();
}

// What reading gives back: up to a NUL (the profile functions work on C strings), trimmed.
std::string_view storedValue(std::string_view v) {
    return trim(v.substr(0, v.find('\0')));
}

// The text to put after '=' so that readString returns `value` (cut at its first line break or
// NUL: a line break would start a new line and could plant keys of its own).
std::string encodeValue(std::string_view value) {
    value = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
    const bool padded = !value.empty() &&
                        (kBlanks.find(value.front()) != npos || kBlanks.find(value.back()) != npos);
    if (padded || hasEnclosingQuotes(value)) {
        return '"' + std::string(value) + '"';
    }
    return std::string(value);
}

bool hasLineBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != npos;
}

} // namespace

std::error_code IniFile::load(const fs::path& path) {
    lines_.clear();
    RegularFile file;
    if (const auto ec = file.open(path)) {
        return ec == std::errc::no_such_file_or_directory ? std::error_code{} : ec;
    }
    if (file.size() > kMaxFileSize) {
        return FileError::TooLarge;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        std::error_code ec;
        const std::size_t n = file.read(buffer, sizeof buffer, ec);
        if (ec) {
            return ec;
        }
        if (n == 0) {
            break;
        }
        // The file may have grown since it was measured.
        if (bytes.size() + n > kMaxFileSize) {
            return FileError::TooLarge;
        }
        bytes.append(buffer, n);
    }
    parse(bytes);
    return {};
}

void IniFile::parse(std::string_view bytes) {
    lines_.clear();
    while (!bytes.empty()) {
        Line line;
        const auto lf = bytes.find('\n');
        std::string_view text = bytes.substr(0, lf);
        if (lf == npos) {
            bytes = {};
        } else {
            bytes.remove_prefix(lf + 1);
            if (!text.empty() && text.back() == '\r') {
                text.remove_suffix(1);
                line.ending = "\r\n";
            } else {
                line.ending = "\n";
            }
        }
        line.text = text;
        classify(line, lines_.empty());
        lines_.push_back(std::move(line));
    }
}

std::string IniFile::serialize() const {
    std::size_t size = 0;
    for (const auto& line : lines_) {
        size += line.text.size() + line.ending.size();
    }
    std::string out;
    out.reserve(size);
    for (const auto& line : lines_) {
        out += line.text;
        out += line.ending;
    }
    return out;
}

std::error_code IniFile::save(const fs::path& path) const {
    return replaceFileAtomically(path, serialize());
}

bool IniFile::exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

void IniFile::setName(Line& line, std::string_view name) {
    line.nameAt = name.empty() ? 0 : static_cast<std::size_t>(name.data() - line.text.data());
    line.nameSize = name.size();
}

void IniFile::classify(Line& line, bool first) {
    std::string_view t = line.text;
    std::size_t offset = 0;
    if (first && t.starts_with(kUtf8Bom)) {
        offset = kUtf8Bom.size();
    }
    line.kind = Kind::Other;
    line.nameAt = 0;
    line.nameSize = 0;
    line.equals = npos;
    const auto start = t.find_first_not_of(kBlanks, offset);
    if (start == npos || t[start] == ';') {
        return;
    }
    if (t[start] == '[') {
        const auto close = t.rfind(']');
        if (close != npos && close > start) {
            line.kind = Kind::Section;
            setName(line, trim(t.substr(start + 1, close - start - 1)));
        }
        return;
    }
    const auto eq = t.find('=', start);
    const auto name = trim(t.substr(start, eq == npos ? npos : eq - start));
    if (name.empty()) {
        return;
    }
    line.kind = Kind::Key;
    setName(line, name);
    line.equals = eq;
}

std::string_view IniFile::newLineEnding() const {
    for (const auto& line : lines_) {
        if (!line.ending.empty()) {
            return line.ending;
        }
    }
    return "\r\n";
}

std::size_t IniFile::findSection(std::string_view section) const {
    section = trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section && equalNoCase(lines_[i].name(), section)) {
            return i;
        }
    }
    return npos;
}

std::size_t IniFile::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section) {
        ++i;
    }
    return i;
}

std::size_t IniFile::findKey(std::string_view section, std::string_view key) const {
    const auto header = findSection(section);
    if (header == npos) {
        return npos;
    }
    key = trim(key);
    const auto end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == Kind::Key && equalNoCase(lines_[i].name(), key)) {
            return i;
        }
    }
    return npos;
}

bool IniFile::hasSection(std::string_view section) const {
    return findSection(section) != npos;
}

std::optional<std::string_view> IniFile::rawValue(std::string_view section,
                                                  std::string_view key) const {
    const auto i = findKey(section, key);
    if (i == npos) {
        return std::nullopt;
    }
    const Line& line = lines_[i];
    if (line.equals == npos) {
        return std::string_view{};
    }
    return storedValue(std::string_view(line.text).substr(line.equals + 1));
}

std::optional<std::string> IniFile::readString(std::string_view section,
                                               std::string_view key) const {
    auto value = rawValue(section, key);
    if (!value) {
        return std::nullopt;
    }
    if (hasEnclosingQuotes(*value)) {
        value = value->substr(1, value->size() - 2);
    }
    return std::string(*value);
}

void IniFile::insertLine(std::size_t at, std::string text) {
    if (at > 0 && lines_[at - 1].ending.empty()) {
        lines_[at - 1].ending = newLineEnding();
    }
    Line line;
    line.text = std::move(text);
    line.ending = newLineEnding();
    classify(line, at == 0);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    if (at == 0 && lines_.size() > 1) {
        classify(lines_[1], false);
    }
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    section = trim(section);
    key = trim(key);
    if (section.empty() || hasLineBreakOrNul(section) || key.empty() || hasLineBreakOrNul(key) ||
        key.find('=') != npos || key.front() == '[' || key.front() == ';') {
        return false;
    }
    const std::string encoded = encodeValue(value);

    if (const auto i = findKey(section, key); i != npos) {
        Line& line = lines_[i];
        if (line.equals != npos) {
            line.text.resize(line.equals + 1);
        } else {
            line.text.resize(line.text.find_last_not_of(kBlanks) + 1);
            line.text += '=';
        }
        line.text += encoded;
        classify(line, i == 0);
        return true;
    }

    std::string keyLine = std::string(key) + '=' + encoded;
    if (const auto header = findSection(section); header != npos) {
        // After the section's last non-blank line, so blank lines between sections stay put.
        std::size_t at = sectionEnd(header);
        while (at > header + 1 && isBlank(lines_[at - 1].text)) {
            --at;
        }
        insertLine(at, std::move(keyLine));
        return true;
    }

    if (!lines_.empty() && !isBlank(lines_.back().text)) {
        insertLine(lines_.size(), std::string());
    }
    insertLine(lines_.size(), '[' + std::string(section) + ']');
    insertLine(lines_.size(), std::move(keyLine));
    return true;
}

bool IniFile::removeKey(std::string_view section, std::string_view key) {
    const auto i = findKey(section, key);
    if (i == npos) {
        return false;
    }
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
    if (i == 0 && !lines_.empty()) {
        classify(lines_[0], true);
    }
    return true;
}

bool IniFile::removeLastSectionIfEmpty(std::string_view section) {
    const auto header = findSection(section);
    if (header == npos || sectionEnd(header) != lines_.size()) {
        return false;
    }
    for (std::size_t i = header + 1; i < lines_.size(); ++i) {
        if (!isBlank(lines_[i].text)) {
            return false;
        }
    }
    std::size_t from = header;
    if (from >= 2 && isBlank(lines_[from - 1].text) && !isBlank(lines_[from - 2].text)) {
        --from;
    }
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(from), lines_.end());
    return true;
}

std::optional<std::vector<std::uint8_t>>
IniFile::readStruct(std::string_view section, std::string_view key, std::size_t size) const {
    const auto value = rawValue(section, key);
    if (!value) {
        return std::nullopt;
    }
    return decodeProfileStruct(*value, size);
}

bool IniFile::writeStruct(std::string_view section, std::string_view key,
                          std::span<const std::uint8_t> bytes) {
    return writeString(section, key, encodeProfileStruct(bytes));
}

std::optional<std::int32_t> IniFile::readInt32(std::string_view section,
                                               std::string_view key) const {
    const auto bytes = readStruct(section, key, 4);
    if (!bytes) {
        return std::nullopt;
    }
    return getInt32(bytes->data());
}

bool IniFile::writeInt32(std::string_view section, std::string_view key, std::int32_t value) {
    std::uint8_t bytes[4];
    putInt32(bytes, value);
    return writeStruct(section, key, bytes);
}

} // namespace varnel

#pragma once
// Gear data file bytes laid out by hand at the documented offsets, independent of the
// record codecs under test.

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace varnel::testbytes {

inline void putAt(std::string& s, std::size_t offset, std::string_view text) {
    std::memcpy(s.data() + offset, text.data(), text.size());
}

inline std::string int32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    return {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
            static_cast<char>((u >> 16) & 0xFF), static_cast<char>((u >> 24) & 0xFF)};
}

inline std::string int16(std::int16_t v) {
    const auto u = static_cast<std::uint16_t>(v);
    return {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF)};
}

struct Fields {
    std::string category{};
    std::string item{};
    std::string unitWeight{};
    std::string weight{};
    std::string notes{};
    std::uint8_t selected = 0;
    std::string multiplier = "1";
    std::string groupWeight{};
    std::string collapsedLabel{};
    std::string expandedLabel{};
    std::uint8_t inGroup = 0;
    std::uint8_t expanded = 0;
    std::int32_t recordId = 0;
    std::int32_t categoryIndex = 0;
    std::int16_t deleted = 0;
    std::int16_t modified = 0;
};

// 241 bytes for a top-level row, 261 for a member.
inline std::string record(const Fields& f, std::size_t size) {
    std::string s(261, '\0');
    putAt(s, 0, f.category);
    putAt(s, 21, f.item);
    putAt(s, 62, f.unitWeight);
    putAt(s, 72, f.weight);
    putAt(s, 82, f.notes);
    s[133] = static_cast<char>(f.selected);
    putAt(s, 134, f.multiplier);
    putAt(s, 139, f.groupWeight);
    putAt(s, 149, f.collapsedLabel);
    putAt(s, 192, f.expandedLabel);
    s[235] = static_cast<char>(f.inGroup);
    s[236] = static_cast<char>(f.expanded);
    putAt(s, 249, int32(f.recordId));
    putAt(s, 253, int32(f.categoryIndex));
    putAt(s, 257, int16(f.deleted));
    putAt(s, 259, int16(f.modified));
    s.resize(size);
    return s;
}

inline std::string row(const Fields& f) {
    return record(f, 241);
}
inline std::string member(const Fields& f) {
    return record(f, 261);
}

// The oldest layout, 124 bytes.
inline std::string oldRecord(std::string_view category, std::string_view item,
                             std::string_view weight, std::string_view notes,
                             std::uint8_t selected) {
    std::string s(124, '\0');
    putAt(s, 0, category);
    putAt(s, 21, item);
    putAt(s, 62, weight);
    putAt(s, 72, notes);
    s[123] = static_cast<char>(selected);
    return s;
}

// The handheld layout, 152 bytes.
inline std::string handheldRecord(const Fields& f) {
    std::string s(152, '\0');
    putAt(s, 0, f.category);
    putAt(s, 18, f.item);
    putAt(s, 60, f.unitWeight);
    putAt(s, 70, f.multiplier);
    putAt(s, 76, f.weight);
    putAt(s, 86, f.notes);
    s[138] = static_cast<char>(f.selected);
    putAt(s, 140, int32(f.recordId));
    putAt(s, 144, int32(f.categoryIndex));
    putAt(s, 148, int16(f.deleted));
    putAt(s, 150, int16(f.modified));
    return s;
}

inline std::string categoryRecord(std::string_view name, std::int32_t id,
                                  std::int32_t removed = 0) {
    std::string s(36, '\0');
    putAt(s, 0, name);
    putAt(s, 20, int32(id));
    putAt(s, 32, int32(removed));
    return s;
}

// Texts as the file holds them: count, then "%s\r\n" each.
inline std::string texts(std::initializer_list<std::string_view> lines) {
    std::string s = int32(static_cast<std::int32_t>(lines.size()));
    for (std::string_view t : lines) {
        s += t;
        s += "\r\n";
    }
    return s;
}

inline std::span<const unsigned char> asBytes(std::string_view s) {
    return {reinterpret_cast<const unsigned char*>(s.data()), s.size()};
}

} // namespace varnel::testbytes

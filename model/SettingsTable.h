#pragma once
// Settings as one table: each row names a key of an initialisation file, how its value is stored
// and the member that holds it. Reading and writing walk the same rows, so a key is spelled once;
// the row order is the write order, which decides where new keys land in a file.

#include "model/IniFile.h"
#include "model/LogFont.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace varnel {

// In the order of SettingMember's alternatives.
enum class SettingKind {
    Int32,    // a 4-byte struct holding a little-endian int32
    Colour,   // an Int32 held unsigned; 0 (black) is no list colour and counts as not stored
    Flag,     // a 1-byte struct: written 1 or 0, read true for any non-zero byte
    Text,     // a string, cut to `limit` bytes when that is not 0
    TextList, // keys `key`1 .. `key``limit`; empty names and repeats are skipped when read
    Font,     // the 60-byte LOGFONT struct
    Rect,     // four int32s: left, top, right, bottom
    Custom,   // the row's own functions, for values whose size follows another row's
};

// When a row is written.
enum class Stored {
    Always,
    // A key of ours: written while the value is not empty, removed otherwise together with a
    // section that the removal leaves empty at the end of the file, so that a file without the
    // key keeps every byte.
    WhileSet,
    // Written while the value is known; otherwise the file keeps what it holds.
    WhileKnown,
};

// What a key that is missing, or stored in another size, does to the value.
enum class Missing {
    KeepsValue,
    Empties, // 0, false, "", no names
};

template <class S> struct SettingCodec {
    void (*read)(const IniFile& ini, std::string_view section, std::string_view key, S& settings);
    void (*write)(IniFile& ini, std::string_view section, std::string_view key, const S& settings);

    friend constexpr bool operator==(const SettingCodec&, const SettingCodec&) = default;
};

template <class S>
using SettingMember =
    std::variant<std::int32_t S::*, std::uint32_t S::*, bool S::*, std::string S::*,
                 std::vector<std::string> S::*, LogFont S::*,
                 std::optional<std::array<std::int32_t, 4>> S::*, SettingCodec<S>>;

template <class S> struct SettingRow {
    std::string_view section;
    std::string_view key;
    SettingKind kind = SettingKind::Int32;
    SettingMember<S> member;
    Stored stored = Stored::Always;
    Missing missing = Missing::KeepsValue;
    std::size_t limit = 0; // Text: longest value in bytes; TextList: number of keys
    // Rows are read by ascending step, in table order within a step, so that a value whose size
    // follows another row's is read after it.
    int readStep = 0;
};

template <class S> constexpr bool kindsMatchMembers(std::span<const SettingRow<S>> rows) {
    return std::all_of(rows.begin(), rows.end(), [](const SettingRow<S>& row) {
        return static_cast<std::size_t>(row.kind) == row.member.index();
    });
}

namespace settings_detail {

// The value stored under the key, or nothing when it is missing or not stored in its size.
std::optional<std::int32_t> read(const IniFile& ini, std::string_view section, std::string_view key,
                                 std::size_t limit, std::int32_t*);
std::optional<std::uint32_t> read(const IniFile& ini, std::string_view section,
                                  std::string_view key, std::size_t limit, std::uint32_t*);
std::optional<bool> read(const IniFile& ini, std::string_view section, std::string_view key,
                         std::size_t limit, bool*);
std::optional<std::string> read(const IniFile& ini, std::string_view section, std::string_view key,
                                std::size_t limit, std::string*);
std::optional<std::vector<std::string>> read(const IniFile& ini, std::string_view section,
                                             std::string_view key, std::size_t limit,
                                             std::vector<std::string>*);
std::optional<LogFont> read(const IniFile& ini, std::string_view section, std::string_view key,
                            std::size_t limit, LogFont*);
std::optional<std::optional<std::array<std::int32_t, 4>>>
read(const IniFile& ini, std::string_view section, std::string_view key, std::size_t limit,
     std::optional<std::array<std::int32_t, 4>>*);

void write(IniFile& ini, std::string_view section, std::string_view key, std::size_t limit,
           std::int32_t value);
void write(IniFile& ini, std::string_view section, std::string_view key, std::size_t limit,
           std::uint32_t value);
void write(IniFile& ini, std::string_view section, std::string_view key, std::size_t limit,
           bool value);
void write(IniFile& ini, std::string_view section, std::string_view key, std::size_t limit,
           const std::string& value);
void write(IniFile& ini, std::string_view section, std::string_view key, std::size_t limit,
           const std::vector<std::string>& value);
void write(IniFile& ini, std::string_view section, std::string_view key, std::size_t limit,
           const LogFont& value);
void write(IniFile& ini, std::string_view section, std::string_view key, std::size_t limit,
           const std::optional<std::array<std::int32_t, 4>>& value);

void cut(std::string& text, std::size_t limit);

} // namespace settings_detail

template <class S> void readSettingRow(const IniFile& ini, const SettingRow<S>& row, S& settings) {
    std::visit(
        [&](auto member) {
            if constexpr (std::is_same_v<decltype(member), SettingCodec<S>>) {
                member.read(ini, row.section, row.key, settings);
            } else {
                auto& value = settings.*member;
                using T = std::remove_cvref_t<decltype(value)>;
                if (auto stored = settings_detail::read(ini, row.section, row.key, row.limit,
                                                        static_cast<T*>(nullptr))) {
                    value = std::move(*stored);
                } else if (row.missing == Missing::Empties) {
                    value = T{};
                }
                if constexpr (std::is_same_v<T, std::string>) {
                    settings_detail::cut(value, row.limit);
                }
            }
        },
        row.member);
}

template <class S> void writeSettingRow(IniFile& ini, const SettingRow<S>& row, const S& settings) {
    std::visit(
        [&](auto member) {
            if constexpr (std::is_same_v<decltype(member), SettingCodec<S>>) {
                member.write(ini, row.section, row.key, settings);
            } else {
                const auto& value = settings.*member;
                using T = std::remove_cvref_t<decltype(value)>;
                if (row.stored != Stored::Always && value == T{}) {
                    if (row.stored == Stored::WhileSet && ini.removeKey(row.section, row.key)) {
                        ini.removeLastSectionIfEmpty(row.section);
                    }
                    return;
                }
                settings_detail::write(ini, row.section, row.key, row.limit, value);
            }
        },
        row.member);
}

template <class S>
void readSettings(const IniFile& ini, std::span<const SettingRow<std::type_identity_t<S>>> rows,
                  S& settings) {
    int lastStep = 0;
    for (const auto& row : rows) {
        lastStep = std::max(lastStep, row.readStep);
    }
    for (int step = 0; step <= lastStep; ++step) {
        for (const auto& row : rows) {
            if (row.readStep == step) {
                readSettingRow(ini, row, settings);
            }
        }
    }
}

template <class S>
void writeSettings(IniFile& ini, std::span<const SettingRow<std::type_identity_t<S>>> rows,
                   const S& settings) {
    for (const auto& row : rows) {
        writeSettingRow(ini, row, settings);
    }
}

} // namespace varnel

#include "model/SettingsTable.h"

#include "model/ByteOrder.h"

namespace varnel::settings_detail {

namespace {

std::string listKey(std::string_view key, std::size_t index) {
    return std::string(key) + std::to_string(index + 1);
}

} // namespace

std::optional<std::int32_t> read(const IniFile& ini, std::string_view section, std::string_view key,
                                 std::size_t, std::int32_t*) {
    return ini.readInt32(section, key);
}

std::optional<std::uint32_t> read(const IniFile& ini, std::string_view section,
                                  std::string_view key, std::size_t, std::uint32_t*) {
    const auto value = ini.readInt32(section, key);
    if (!value || *value == 0) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);
}

std::optional<bool> read(const IniFile& ini, std::string_view section, std::string_view key,
                         std::size_t, bool*) {
    const auto byte = ini.readStruct(section, key, 1);
    if (!byte) {
        return std::nullopt;
    }
    return (*byte)[0] != 0;
}

std::optional<std::string> read(const IniFile& ini, std::string_view section, std::string_view key,
                                std::size_t, std::string*) {
    return ini.readString(section, key);
}

std::optional<std::vector<std::string>> read(const IniFile& ini, std::string_view section,
                                             std::string_view key, std::size_t limit,
                                             std::vector<std::string>*) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < limit; ++i) {
        auto name = ini.readString(section, listKey(key, i));
        if (name && !name->empty() && std::find(names.begin(), names.end(), *name) == names.end()) {
            names.push_back(std::move(*name));
        }
    }
    if (names.empty()) {
        return std::nullopt;
    }
    return names;
}

std::optional<LogFont> read(const IniFile& ini, std::string_view section, std::string_view key,
                            std::size_t, LogFont*) {
    const auto bytes = ini.readStruct(section, key, LogFont::kSize);
    if (!bytes) {
        return std::nullopt;
    }
    return LogFont::decode(bytes->data());
}

std::optional<std::optional<std::array<std::int32_t, 4>>>
read(const IniFile& ini, std::string_view section, std::string_view key, std::size_t,
     std::optional<std::array<std::int32_t, 4>>*) {
    const auto bytes = ini.readStruct(section, key, 16);
    if (!bytes) {
        return std::nullopt;
    }
    std::array<std::int32_t, 4> rect{};
    for (std::size_t i = 0; i < rect.size(); ++i) {
        rect[i] = getInt32(bytes->data() + 4 * i);
    }
    return std::optional(rect);
}

void write(IniFile& ini, std::string_view section, std::string_view key, std::size_t,
           std::int32_t value) {
    ini.writeInt32(section, key, value);
}

void write(IniFile& ini, std::string_view section, std::string_view key, std::size_t,
           std::uint32_t value) {
    ini.writeInt32(section, key, static_cast<std::int32_t>(value));
}

void write(IniFile& ini, std::string_view section, std::string_view key, std::size_t, bool value) {
    const std::uint8_t byte[1] = {static_cast<std::uint8_t>(value ? 1 : 0)};
    ini.writeStruct(section, key, byte);
}

void write(IniFile& ini, std::string_view section, std::string_view key, std::size_t limit,
           const std::string& value) {
    std::string_view text = value;
    if (limit != 0) {
        text = text.substr(0, limit);
    }
    ini.writeString(section, key, text);
}

void write(IniFile& ini, std::string_view section, std::string_view key, std::size_t limit,
           const std::vector<std::string>& value) {
    for (std::size_t i = 0; i < limit; ++i) {
        if (i < value.size()) {
            ini.writeString(section, listKey(key, i), value[i]);
        } else {
            ini.removeKey(section, listKey(key, i));
        }
    }
}

void write(IniFile& ini, std::string_view section, std::string_view key, std::size_t,
           const LogFont& value) {
    const auto bytes = value.encode();
    ini.writeStruct(section, key, bytes);
}

void write(IniFile& ini, std::string_view section, std::string_view key, std::size_t,
           const std::optional<std::array<std::int32_t, 4>>& value) {
    if (!value) {
        return;
    }
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < 4; ++i) {
        putInt32(bytes.data() + 4 * i, (*value)[i]);
    }
    ini.writeStruct(section, key, bytes);
}

void cut(std::string& text, std::size_t limit) {
    if (limit != 0 && text.size() > limit) {
        text.resize(limit);
    }
}

} // namespace varnel::settings_detail

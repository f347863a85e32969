#pragma once
// One opened registry key, read only. Each read gives nothing when the value is missing or of
// another type.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    virtual std::optional<std::uint32_t> dword(std::string_view name) const = 0;
    virtual std::optional<std::vector<std::uint8_t>> binary(std::string_view name) const = 0;
    virtual std::optional<std::string> string(std::string_view name) const = 0;
};

} // namespace varnel

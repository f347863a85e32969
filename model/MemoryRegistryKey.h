#pragma once
// A registry key held in memory. Value names match without regard to ASCII case, as in the
// registry.

#include "model/RegistryKey.h"

#include <map>
#include <string>
#include <variant>

namespace varnel {

class MemoryRegistryKey : public RegistryKey {
public:
    using Value = std::variant<std::uint32_t, std::vector<std::uint8_t>, std::string>;

    void set(std::string_view name, Value value);
    void remove(std::string_view name);

    std::optional<std::uint32_t> dword(std::string_view name) const override;
    std::optional<std::vector<std::uint8_t>> binary(std::string_view name) const override;
    std::optional<std::string> string(std::string_view name) const override;

private:
    const Value* find(std::string_view name) const;

    std::map<std::string, Value> values_; // by folded name
};

} // namespace varnel

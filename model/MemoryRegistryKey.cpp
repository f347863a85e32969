#include "model/MemoryRegistryKey.h"

#include "model/CaseFold.h"

namespace varnel {

void MemoryRegistryKey::set(std::string_view name, Value value) {
    values_[foldedCopy(name)] = std::move(value);
}

void MemoryRegistryKey::remove(std::string_view name) {
    values_.erase(foldedCopy(name));
}

const MemoryRegistryKey::Value* MemoryRegistryKey::find(std::string_view name) const {
    const auto it = values_.find(foldedCopy(name));
    return it == values_.end() ? nullptr : &it->second;
}

std::optional<std::uint32_t> MemoryRegistryKey::dword(std::string_view name) const {
    const Value* value = find(name);
    if (const auto* v = value ? std::get_if<std::uint32_t>(value) : nullptr) {
        return *v;
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> MemoryRegistryKey::binary(std::string_view name) const {
    const Value* value = find(name);
    if (const auto* v = value ? std::get_if<std::vector<std::uint8_t>>(value) : nullptr) {
        return *v;
    }
    return std::nullopt;
}

std::optional<std::string> MemoryRegistryKey::string(std::string_view name) const {
    const Value* value = find(name);
    if (const auto* v = value ? std::get_if<std::string>(value) : nullptr) {
        return *v;
    }
    return std::nullopt;
}

} // namespace varnel

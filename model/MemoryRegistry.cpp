#include "model/MemoryRegistry.h"

#include "model/CaseFold.h"

namespace varnel {

MemoryRegistryKey& MemoryRegistry::key(std::string_view path) {
    return keys_[foldedCopy(path)];
}

void MemoryRegistry::removeKey(std::string_view path) {
    keys_.erase(foldedCopy(path));
}

std::unique_ptr<RegistryKey> MemoryRegistry::open(std::string_view path) const {
    ++openCount_;
    const auto it = keys_.find(foldedCopy(path));
    if (it == keys_.end()) {
        return nullptr;
    }
    return std::make_unique<MemoryRegistryKey>(it->second);
}

bool MemoryRegistry::writeString(std::string_view path, std::string_view name,
                                 std::string_view value) {
    key(path).set(name, std::string(value));
    return true;
}

} // namespace varnel

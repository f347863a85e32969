#pragma once
// Registry keys held in memory, for tests and for machines without a registry. Paths match
// without regard to ASCII case. open() hands out a copy, so a test can change a key afterwards
// without touching what was opened.

#include "model/MemoryRegistryKey.h"
#include "model/RegistrySource.h"

#include <map>
#include <string>

namespace varnel {

class MemoryRegistry : public RegistrySource {
public:
    // Creates the key when missing.
    MemoryRegistryKey& key(std::string_view path);
    void removeKey(std::string_view path);

    std::unique_ptr<RegistryKey> open(std::string_view path) const override;
    bool writeString(std::string_view path, std::string_view name, std::string_view value) override;
    // How often open() was asked, found or not.
    int openCount() const { return openCount_; }

private:
    std::map<std::string, MemoryRegistryKey> keys_; // by folded path
    mutable int openCount_ = 0;
};

} // namespace varnel

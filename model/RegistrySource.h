#pragma once
// Where registry keys come from: the machine's registry in the application, memory in tests.
// Only the handheld folder is ever written.

#include "model/RegistryKey.h"

#include <memory>
#include <string_view>

namespace varnel {

// The older storage of the settings, read once to migrate them.
inline constexpr std::string_view kSettingsRegistryKey = "Software\\Ostrand\\Varnel";

class RegistrySource {
public:
    virtual ~RegistrySource() = default;

    // The key at `path` (under the local machine's root), or null when it cannot be opened.
    // Closing is releasing the pointer.
    virtual std::unique_ptr<RegistryKey> open(std::string_view path) const = 0;

    // Sets one string value, creating the key when needed; false when it could not be stored.
    virtual bool writeString(std::string_view path, std::string_view name,
                             std::string_view value) = 0;
};

} // namespace varnel

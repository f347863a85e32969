// Arbitrary bytes as a recovery copy: a copy that reads must write back to bytes that read the
// same, and restoring it must not misbehave whatever its list and settings hold.

#include "model/RecoveryFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace varnel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string why;
    const auto copy =
        RecoveryFile::parse(std::string_view(reinterpret_cast<const char*>(data), size), why);
    if (!copy) {
        if (why.empty()) {
            std::abort();
        }
        return 0;
    }
    std::string again;
    if (RecoveryFile::parse(copy->serialize(), again) != copy) {
        std::abort();
    }
    GearDocument document;
    DocumentSettings settings;
    (void)copy->restoreInto(document, settings);
    return 0;
}

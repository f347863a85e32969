#pragma once
// Binary blocks in profile files: upper-case hex, two digits a byte, then one checksum byte (the
// sum of the bytes modulo 256), the form the Windows profile struct functions read and write.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

std::string encodeProfileStruct(std::span<const std::uint8_t> bytes);

// Succeeds only for exactly 2 * size + 2 hex digits (either letter case) with a matching
// checksum; anything else is treated as "not stored".
std::optional<std::vector<std::uint8_t>> decodeProfileStruct(std::string_view text,
                                                             std::size_t size);

} // namespace varnel

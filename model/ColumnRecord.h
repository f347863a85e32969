#pragma once
// A list column's heading, alignment and display order as the settings store them (49 bytes:
// heading char[41], alignment int32, display order int32, little-endian, packed).

#include <cstddef>
#include <cstdint>
#include <string>

namespace varnel {

struct ColumnRecord {
    static constexpr std::size_t kSize = 49;
    static constexpr std::size_t kHeadingSize = 41;
    // The list view's column format values.
    static constexpr std::int32_t kAlignLeft = 0;
    static constexpr std::int32_t kAlignRight = 1;
    static constexpr std::int32_t kAlignCentre = 2;

    std::string heading; // at most 40 bytes are stored
    std::int32_t alignment = kAlignLeft;
    std::int32_t order = 0;

    void encode(unsigned char* out) const;
    // The heading comes out terminated inside its 41 bytes, whatever the bytes held.
    static ColumnRecord decode(const unsigned char* bytes);

    friend bool operator==(const ColumnRecord&, const ColumnRecord&) = default;
};

} // namespace varnel

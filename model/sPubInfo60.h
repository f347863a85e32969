#pragma once
// A gear record in the handheld layout; also the element of the deleted-records list.

#include <cstdint>

namespace varnel {

struct sPubInfo;

struct sPubInfo60 {
    char category[18]{};
    char item[42]{};
    char unitWeight[10]{};
    char multiplier[6]{};
    char weight[10]{};
    char notes[52]{};
    std::uint8_t selected = 0;
    std::uint8_t filler = 0;
    std::int32_t recordId = 0;
    std::int32_t categoryIndex = 0;
    std::int16_t deleted = 0;
    std::int16_t modified = 0;

    static constexpr std::size_t kSize = 152;

    bool operator==(const sPubInfo60& other) const { return recordId == other.recordId; }
};

sPubInfo60 toHandheld(const sPubInfo& from);
void fromHandheld(const sPubInfo60& from, sPubInfo& to);

} // namespace varnel

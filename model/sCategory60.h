#pragma once
// A category: a name of at most 16 characters and its number ("Unfiled" is 0).

#include <cstdint>
#include <string_view>

namespace varnel {

struct sCategory60 {
    char name[20]{}; // 16 characters, then zero bytes that terminate a full-length name
    std::int32_t id = 0;
    std::int32_t added = 0;
    std::int32_t renamed = 0;
    std::int32_t removed = 0;

    static constexpr std::size_t kSize = 36;
    static constexpr std::size_t kMaxName = 16;

    sCategory60() = default;
    explicit sCategory60(std::string_view text, std::int32_t number = 0);

    [[nodiscard]] std::string_view nameText() const;
    bool operator==(const sCategory60& other) const { return nameText() == other.nameText(); }
};

constexpr std::int32_t kUnfiledCategoryId = 0;
constexpr std::int32_t kFirstCategoryId = 128;

// "Unfiled" in any letter case.
bool isUnfiled(std::string_view name);

} // namespace varnel

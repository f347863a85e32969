#pragma once
// One gear item, or a group row when it has a member list.

#include "model/CMMIList.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace varnel {

struct sPubInfo60;

struct sPubInfo {
    char category[21]{};
    char item[41]{};
    char unitWeight[10]{};
    char weight[10]{};
    char notes[51]{};
    std::uint8_t selected = 0;
    char multiplier[5]{'1'};
    char groupWeight[10]{};
    char collapsedLabel[43]{};
    char expandedLabel[43]{};
    std::uint8_t inGroup = 0;
    std::uint8_t expanded = 0;
    sPubInfo* group = nullptr; // the group row that owns this member; not owned
    std::unique_ptr<CMMIList<sPubInfo>> members;
    std::unique_ptr<CMMIList<std::string>> columnTexts;
    std::int32_t recordId = 0;
    std::int32_t categoryIndex = 0;
    std::int16_t deleted = 0;
    std::int16_t modified = 0;

    sPubInfo() = default;
    // Members point back at their group, so a record never moves: it lives behind a pointer.
    sPubInfo(const sPubInfo&) = delete;
    sPubInfo& operator=(const sPubInfo&) = delete;
    ~sPubInfo() = default;

    // From one pool for all records: no heap call per record, and records read together lie
    // together.
    static void* operator new(std::size_t size);
    static void operator delete(void* p, std::size_t size) noexcept;

    [[nodiscard]] bool isGroup() const { return members != nullptr; }

    // The weight shown, sorted and totalled: the group weight for a group row.
    [[nodiscard]] std::string_view shownWeight() const;

    // Every fixed field, lists left alone.
    void copyFixedFields(const sPubInfo& from);

    // A deep copy: fixed fields, copies of the column texts and of the members (whose `group`
    // points at the new record).
    [[nodiscard]] std::unique_ptr<sPubInfo> clone() const;

    // weight := unitWeight x multiplier, "%.2f".
    void updateLineWeight();

    // groupWeight := own weight + every member's weight, "%.2f". Returns the new value.
    double updateGroupWeight();

    // User column k (1-based, counted from the oldest text); empty when absent.
    [[nodiscard]] std::string_view columnText(int k) const;

    bool operator==(const sPubInfo& other) const;
};

} // namespace varnel

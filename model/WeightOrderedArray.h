#pragma once
// Records ordered by line weight (lightest first), not owned; used to reorder group members.

#include "model/sPubInfo.h"

#include <cstddef>
#include <vector>

namespace varnel {

class WeightOrderedArray {
public:
    // After every element of equal or smaller weight, so equal weights keep insertion order.
    void insert(sPubInfo* record);

    // Index of an element equal to `record`, searched within its weight; -1 when none.
    [[nodiscard]] int find(const sPubInfo& record) const;
    // The same by a scan from the front.
    [[nodiscard]] int findLinear(const sPubInfo& record) const;

    void removeAt(std::size_t index);

    [[nodiscard]] std::size_t size() const { return items_.size(); }
    [[nodiscard]] sPubInfo* operator[](std::size_t i) const { return items_[i]; }
    [[nodiscard]] const std::vector<sPubInfo*>& items() const { return items_; }

    // The weight this order compares, in single precision.
    static float weightKey(const sPubInfo& record);

private:
    std::vector<sPubInfo*> items_;
};

} // namespace varnel

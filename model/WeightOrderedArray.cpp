#include "model/WeightOrderedArray.h"

#include "model/FixedText.h"
#include "model/WeightText.h"

#include <algorithm>

namespace varnel {

float WeightOrderedArray::weightKey(const sPubInfo& record) {
    return static_cast<float>(weightValue(fieldText(record.weight)));
}

void WeightOrderedArray::insert(sPubInfo* record) {
    const float key = weightKey(*record);
    const auto at = std::upper_bound(items_.begin(), items_.end(), key,
                                     [](float k, const sPubInfo* e) { return k < weightKey(*e); });
    items_.insert(at, record);
}

int WeightOrderedArray::find(const sPubInfo& record) const {
    const float key = weightKey(record);
    auto it = std::lower_bound(items_.begin(), items_.end(), key,
                               [](const sPubInfo* e, float k) { return weightKey(*e) < k; });
    for (; it != items_.end() && !(key < weightKey(**it)); ++it) {
        if (**it == record) {
            return static_cast<int>(it - items_.begin());
        }
    }
    return -1;
}

int WeightOrderedArray::findLinear(const sPubInfo& record) const {
    const auto it =
        std::find_if(items_.begin(), items_.end(), [&](const sPubInfo* e) { return *e == record; });
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void WeightOrderedArray::removeAt(std::size_t index) {
    if (index < items_.size()) {
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

} // namespace varnel

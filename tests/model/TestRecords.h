#pragma once
// Small builders for records in tests.

#include "model/FixedText.h"
#include "model/sPubInfo.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace varnel::test {

inline std::unique_ptr<sPubInfo> item(std::string_view category, std::string_view name,
                                      std::string_view weight = "1.00", bool selected = false) {
    auto r = std::make_unique<sPubInfo>();
    setField(r->category, category);
    setField(r->item, name);
    setField(r->unitWeight, weight);
    setField(r->weight, weight);
    r->selected = selected ? 1 : 0;
    return r;
}

// A group row named `name` whose members are added in the order given (the last one in front).
inline std::unique_ptr<sPubInfo> group(std::string_view category, std::string_view name,
                                       std::initializer_list<std::string_view> memberWeights,
                                       bool selected = false) {
    auto g = item(category, name, "", selected);
    setField(g->collapsedLabel, "+ " + std::string(name));
    setField(g->expandedLabel, "- " + std::string(name));
    g->members = std::make_unique<CMMIList<sPubInfo>>();
    int n = 0;
    for (std::string_view w : memberWeights) {
        auto m = item(category, std::string(name) + " part " + std::to_string(++n), w);
        m->inGroup = 1;
        m->group = g.get();
        g->members->add(std::move(m));
    }
    g->updateGroupWeight();
    return g;
}

inline void addTexts(sPubInfo& r, std::initializer_list<std::string_view> texts) {
    r.columnTexts = std::make_unique<CMMIList<std::string>>();
    for (std::string_view t : texts) {
        r.columnTexts->add(std::make_unique<std::string>(t));
    }
}

} // namespace varnel::test

#pragma once
// The lists the benchmarks measure: `items` records in all, one row in ten a group of three
// members; each benchmark makes its own kind of item.

#include "model/FixedText.h"
#include "model/GearDocument.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varnel::bench {

inline constexpr std::array<const char*, 12> kCategories{
    "Shelter",    "Sleep",     "Kitchen", "Water", "Clothing",    "Food",
    "Navigation", "First aid", "Hygiene", "Tools", "Electronics", "Unfiled"};

// Item `i`'s category, name (ending in `suffix`), weights and multiplier; every second item
// has `notes`.
inline std::unique_ptr<sPubInfo> benchItem(int i, std::string_view suffix, const char* notes) {
    auto r = std::make_unique<sPubInfo>();
    setField(r->category, kCategories[static_cast<std::size_t>(i) % kCategories.size()]);
    setField(r->item, "Item " + std::to_string(i * 7919 % 100003) + std::string(suffix));
    setField(r->unitWeight, std::to_string(1 + i % 40) + "." + std::to_string(i % 100));
    setField(r->multiplier, std::to_string(1 + i % 3));
    r->updateLineWeight();
    if (i % 2 == 0) {
        setField(r->notes, notes);
    }
    return r;
}

// Two items in three checked; every third with two user-column texts.
inline void checkAndDescribe(sPubInfo& r, int i) {
    r.selected = i % 3 != 0 ? 1 : 0;
    if (i % 3 == 0) {
        r.columnTexts = std::make_unique<CMMIList<std::string>>();
        r.columnTexts->add(std::make_unique<std::string>("REI"));
        r.columnTexts->add(std::make_unique<std::string>("replace 2026"));
    }
}

using MakeItem = std::function<std::unique_ptr<sPubInfo>(int)>;

inline void addGroupedRows(GearDocument& doc, int items, const MakeItem& makeItem) {
    std::vector<std::unique_ptr<sPubInfo>> rows;
    for (int i = 0; i < items;) {
        auto row = makeItem(i++);
        if (rows.size() % 10 == 0 && i + 3 <= items) {
            row->members = std::make_unique<CMMIList<sPubInfo>>();
            setField(row->collapsedLabel, "+ " + std::string(fieldText(row->item)));
            setField(row->expandedLabel, "- " + std::string(fieldText(row->item)));
            for (int m = 0; m < 3; ++m) {
                auto member = makeItem(i++);
                member->inGroup = 1;
                member->group = row.get();
                row->members->add(std::move(member));
            }
        }
        rows.push_back(std::move(row));
    }
    doc.insertRecords(std::move(rows));
}

inline std::unique_ptr<GearDocument> groupedDocument(int items, const MakeItem& makeItem) {
    auto doc = std::make_unique<GearDocument>();
    addGroupedRows(*doc, items, makeItem);
    return doc;
}

} // namespace varnel::bench

#pragma once
// The lists the benchmarks measure: `items` records in all, one row in ten a group of three
// members; each benchmark makes its own kind of item.

#include "model/FixedText.h"
#include "model/GearDocument.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace varnel::bench {

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

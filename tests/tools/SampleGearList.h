#pragma once
// The sample gear list shipped in resources/sample: a three-season backpacking list.

#include "model/FixedText.h"
#include "model/GearDocument.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::sample {

struct Item {
    std::string_view name;
    std::string_view unitWeight;
    std::string_view multiplier;
    bool checked;
    std::string_view brand;
    std::string_view notes;
};

inline std::unique_ptr<sPubInfo> makeItem(std::string_view category, const Item& it) {
    auto r = std::make_unique<sPubInfo>();
    setField(r->category, category);
    setField(r->item, it.name);
    setField(r->unitWeight, it.unitWeight);
    setField(r->multiplier, it.multiplier);
    setField(r->notes, it.notes);
    r->updateLineWeight();
    r->selected = it.checked ? 1 : 0;
    if (!it.brand.empty()) {
        r->columnTexts = std::make_unique<CMMIList<std::string>>();
        r->columnTexts->add(std::make_unique<std::string>(it.brand));
    }
    return r;
}

inline std::unique_ptr<sPubInfo> makeGroup(std::string_view category, std::string_view name,
                                           std::string_view notes, bool checked,
                                           const std::vector<Item>& members) {
    auto g = std::make_unique<sPubInfo>();
    setField(g->category, category);
    setField(g->item, name);
    setField(g->notes, notes);
    setField(g->collapsedLabel, "+ " + std::string(name));
    setField(g->expandedLabel, "- " + std::string(name));
    g->selected = checked ? 1 : 0;
    g->members = std::make_unique<CMMIList<sPubInfo>>();
    for (const Item& m : members) {
        auto member = makeItem(category, m);
        member->inGroup = 1;
        member->group = g.get();
        g->members->add(std::move(member));
    }
    g->updateGroupWeight();
    return g;
}

// Fills an empty document with the sample list, in ounces, with one user column ("Brand").
inline void buildSampleDocument(GearDocument& doc) {
    struct Category {
        std::string_view name;
        std::vector<Item> items;
    };
    const std::vector<Category> categories = {
        {"Shelter",
         {{"Trekking pole tent", "26.50", "1", true, "Lunar Peak", "1-person, seam sealed"},
          {"Tent stakes", "0.35", "8", true, "", "Y-beam aluminium"},
          {"Footprint", "4.20", "1", false, "", "Only on rocky ground"},
          {"Guyline", "0.80", "1", true, "", "Reflective, 4 m"}}},
        {"Sleep System",
         {{"Quilt", "21.00", "1", true, "Driftwood", "20 F / -7 C"},
          {"Sleeping pad", "12.50", "1", true, "Airloft", "R 4.2"},
          {"Inflatable pillow", "2.10", "1", true, "", ""},
          {"Sleeping bag liner", "6.00", "1", false, "", "Shoulder season only"}}},
        {"Pack",
         {{"Backpack 50 L", "30.00", "1", true, "Ridgeline", "Frame sheet in"},
          {"Pack liner", "1.70", "1", true, "", "Trash compactor bag"},
          {"Pack rain cover", "3.50", "1", false, "", ""}}},
        {"Kitchen",
         {{"Fuel canister 100 g", "6.90", "1", true, "", "Check it is full"},
          {"Bear canister", "41.00", "1", false, "", "Where required"}}},
        {"Water",
         {{"Water filter", "3.00", "1", true, "Clearflow", "Backflush at home"},
          {"Water bottle 1 L", "1.30", "2", true, "", ""},
          {"Collapsible bladder 2 L", "1.40", "1", true, "", "For camp"}}},
        {"Clothing",
         {{"Rain jacket", "7.20", "1", true, "Stormline", ""},
          {"Puffy jacket", "10.10", "1", true, "Driftwood", "Synthetic fill"},
          {"Fleece", "8.50", "1", false, "", ""},
          {"Hiking socks", "2.40", "2", true, "", "One pair worn"},
          {"Beanie", "1.20", "1", true, "", ""},
          {"Gloves", "1.60", "1", true, "", "Liner gloves"},
          {"Rain pants", "5.50", "1", false, "Stormline", ""}}},
        {"Electronics",
         {{"Headlamp", "2.60", "1", true, "Brightpath", "Spare battery in kit"},
          {"Phone", "6.70", "1", true, "", "Offline maps loaded"},
          {"Power bank 10000 mAh", "6.40", "1", true, "", ""},
          {"Charging cable", "0.90", "1", true, "", "USB-C"}}},
        {"First Aid", {{"Emergency bivy", "3.80", "1", false, "", ""}}},
        {"Navigation",
         {{"Map", "1.50", "1", true, "", "In a zip bag"},
          {"Compass", "1.10", "1", true, "", "Baseplate"},
          {"Whistle", "0.30", "1", true, "", ""}}},
        {"Toiletries",
         {{"Toothbrush", "0.50", "1", true, "", "Handle cut"},
          {"Sunscreen", "3.00", "1", true, "", "SPF 50"},
          {"Trowel", "0.60", "1", true, "", ""},
          {"Toilet paper", "1.00", "1", true, "", ""},
          {"Hand sanitizer", "1.20", "1", true, "", ""}}},
    };

    std::vector<std::unique_ptr<sPubInfo>> records;
    std::int32_t next = kFirstCategoryId;
    for (const Category& c : categories) {
        doc.categoryList.emplace_back(c.name, next);
        doc.categoryChoices.push_back({std::string(c.name), next});
        ++next;
        for (const Item& it : c.items) {
            records.push_back(makeItem(c.name, it));
        }
    }
    doc.nextCategoryId = next + 1;
    records.push_back(makeGroup("Kitchen", "Cook kit", "Pot holds stove and lighter", true,
                                {{"Titanium pot 750 ml", "3.60", "1", true, "Ti-Light", ""},
                                 {"Canister stove", "2.60", "1", true, "", ""},
                                 {"Mini lighter", "0.40", "1", true, "", ""},
                                 {"Long spoon", "0.50", "1", true, "", ""}}));
    records.push_back(makeGroup("First Aid", "First aid kit", "Restock after each trip", true,
                                {{"Bandages", "0.60", "1", true, "", ""},
                                 {"Ibuprofen", "0.30", "1", true, "", "10 tablets"},
                                 {"Blister care", "0.40", "1", true, "", ""},
                                 {"Tweezers", "0.20", "1", true, "", ""}}));
    doc.userColumnCount = 1;
    doc.loadRecords(std::move(records));
}

} // namespace varnel::sample

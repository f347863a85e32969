#include "model/sPubInfo.h"

#include "model/BlockPool.h"
#include "model/FixedText.h"
#include "model/WeightText.h"
#include "model/sPubInfo60.h"

#include <cstring>

namespace varnel {

void* sPubInfo::operator new(std::size_t size) {
    return size == sizeof(sPubInfo) ? BlockPool::forSize<sizeof(sPubInfo)>().allocate()
                                    : ::operator new(size);
}

void sPubInfo::operator delete(void* p, std::size_t size) noexcept {
    if (size == sizeof(sPubInfo)) {
        BlockPool::forSize<sizeof(sPubInfo)>().deallocate(p);
    } else {
        ::operator delete(p);
    }
}

std::string_view sPubInfo::shownWeight() const {
    return isGroup() ? fieldText(groupWeight) : fieldText(weight);
}

void sPubInfo::copyFixedFields(const sPubInfo& from) {
    std::memcpy(category, from.category, sizeof category);
    std::memcpy(item, from.item, sizeof item);
    std::memcpy(unitWeight, from.unitWeight, sizeof unitWeight);
    std::memcpy(weight, from.weight, sizeof weight);
    std::memcpy(notes, from.notes, sizeof notes);
    selected = from.selected;
    std::memcpy(multiplier, from.multiplier, sizeof multiplier);
    std::memcpy(groupWeight, from.groupWeight, sizeof groupWeight);
    std::memcpy(collapsedLabel, from.collapsedLabel, sizeof collapsedLabel);
    std::memcpy(expandedLabel, from.expandedLabel, sizeof expandedLabel);
    inGroup = from.inGroup;
    expanded = from.expanded;
    group = from.group;
    recordId = from.recordId;
    categoryIndex = from.categoryIndex;
    deleted = from.deleted;
    modified = from.modified;
}

std::unique_ptr<sPubInfo> sPubInfo::clone() const {
    auto copy = std::make_unique<sPubInfo>();
    copy->copyFixedFields(*this);
    if (columnTexts) {
        copy->columnTexts = std::make_unique<CMMIList<std::string>>();
        columnTexts->forEachReverse([&](const std::string& t) {
            copy->columnTexts->add(std::make_unique<std::string>(t));
        });
    }
    if (members) {
        copy->members = std::make_unique<CMMIList<sPubInfo>>();
        members->forEachReverse([&](const sPubInfo& m) {
            auto member = m.clone();
            member->group = copy.get();
            copy->members->add(std::move(member));
        });
    }
    return copy;
}

void sPubInfo::updateLineWeight() {
    setField(weight,
             formatWeight(weightValue(fieldText(unitWeight)) * weightValue(fieldText(multiplier))));
}

double sPubInfo::updateGroupWeight() {
    double sum = weightValue(fieldText(weight));
    if (members) {
        members->forEach([&](const sPubInfo& m) { sum += weightValue(fieldText(m.weight)); });
    }
    setField(groupWeight, formatWeight(sum));
    return weightValue(fieldText(groupWeight));
}

std::string_view sPubInfo::columnText(int k) const {
    const std::string* text = columnTexts ? columnTexts->at(k) : nullptr;
    return text ? std::string_view(*text) : std::string_view();
}

bool sPubInfo::operator==(const sPubInfo& other) const {
    return fieldText(category) == fieldText(other.category) &&
           fieldText(item) == fieldText(other.item) &&
           fieldText(unitWeight) == fieldText(other.unitWeight) &&
           fieldText(weight) == fieldText(other.weight) &&
           fieldText(notes) == fieldText(other.notes) &&
           fieldText(groupWeight) == fieldText(other.groupWeight) && selected == other.selected &&
           group == other.group && recordId == other.recordId &&
           categoryIndex == other.categoryIndex && deleted == other.deleted &&
           modified == other.modified;
}

sPubInfo60 toHandheld(const sPubInfo& from) {
    sPubInfo60 to;
    setField(to.category, fieldText(from.category));
    setField(to.item, fieldText(from.item));
    setField(to.unitWeight, fieldText(from.unitWeight));
    setField(to.multiplier, fieldText(from.multiplier));
    setField(to.weight, fieldText(from.weight));
    setField(to.notes, fieldText(from.notes));
    to.selected = from.selected;
    to.recordId = from.recordId;
    to.categoryIndex = from.categoryIndex;
    to.deleted = from.deleted;
    to.modified = from.modified;
    return to;
}

void fromHandheld(const sPubInfo60& from, sPubInfo& to) {
    setField(to.category, fieldText(from.category));
    setField(to.item, fieldText(from.item));
    setField(to.unitWeight, fieldText(from.unitWeight));
    setField(to.multiplier, fieldText(from.multiplier));
    setField(to.weight, fieldText(from.weight));
    setField(to.notes, fieldText(from.notes));
    to.selected = from.selected != 0 ? 1 : 0;
    to.recordId = from.recordId;
    to.categoryIndex = from.categoryIndex;
    to.deleted = from.deleted;
    to.modified = from.modified;
}

} // namespace varnel

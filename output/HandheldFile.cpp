#include "output/HandheldFile.h"

#include "model/AtomicFile.h"
#include "model/ByteOrder.h"
#include "model/CaseFold.h"
#include "model/FixedText.h"
#include "model/RecordLayout.h"

#include <algorithm>

namespace varnel {

namespace {

void appendInt32(std::string& out, std::int32_t v) {
    unsigned char b[4];
    putInt32(b, v);
    out.append(reinterpret_cast<const char*>(b), sizeof b);
}

// The name in its 16 characters, the rest of the 20 bytes zero.
void appendCategory(std::string& out, const sCategory60& category) {
    sCategory60 stored = category;
    setField(stored.name, category.nameText().substr(0, sCategory60::kMaxName));
    unsigned char bytes[sCategory60::kSize];
    encodeCategory60(stored, bytes);
    out.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

void appendItem(std::string& out, const sPubInfo60& item) {
    unsigned char bytes[sPubInfo60::kSize];
    encodePubInfo60(item, bytes);
    out.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

sPubInfo60 itemRecord(const sPubInfo& record, bool checked, const std::vector<sCategory60>& set) {
    sPubInfo60 item = toHandheld(record);
    item.selected = checked ? 1 : 0;
    item.categoryIndex =
        handheldCategoryIndex(set, fieldText(record.category), record.categoryIndex);
    item.deleted = 0; // it is in the list
    return item;
}

// Calls `fn` with each record the file holds as an item and whether it counts as checked.
template <typename Fn> void forEachItem(const GearDocument& document, Fn&& fn) {
    for (const GearRow& row : document.rows()) {
        if (row.isMemberRow()) {
            continue; // written with its group
        }
        if (const auto* members = row.record->members.get()) {
            members->forEach([&](const sPubInfo& member) { fn(member, row.checked()); });
        } else {
            fn(*row.record, row.checked());
        }
    }
}

// The records in memory take the check marks and category positions the file has.
void recordWhatWasWritten(GearDocument& document) {
    const auto indexOf = [&](const sPubInfo& record) {
        return handheldCategoryIndex(document.categoryList, fieldText(record.category),
                                     record.categoryIndex);
    };
    for (int r = 0; r < document.rowCount(); ++r) {
        const GearRow& row = document.row(r);
        if (row.isMemberRow()) {
            continue;
        }
        sPubInfo& record = document.record(r);
        if (record.members) {
            record.members->forEach([&](sPubInfo& m) { m.categoryIndex = indexOf(m); });
        } else {
            record.selected = row.checked() ? 1 : 0;
            record.categoryIndex = indexOf(record);
        }
    }
}

} // namespace

std::vector<sCategory60> handheldCategorySet(const std::vector<sCategory60>& set) {
    std::vector<sCategory60> out;
    out.reserve(set.size() + 1);
    const auto unfiled = std::find_if(set.begin(), set.end(),
                                      [](const sCategory60& c) { return isUnfiled(c.nameText()); });
    if (unfiled != set.end()) {
        out.push_back(*unfiled);
        out.back().id = kUnfiledCategoryId;
    } else {
        out.emplace_back("Unfiled", kUnfiledCategoryId);
    }
    for (auto it = set.begin(); it != set.end(); ++it) {
        if (it != unfiled) {
            out.push_back(*it);
        }
    }
    return out;
}

std::int32_t handheldCategoryIndex(const std::vector<sCategory60>& set, std::string_view category,
                                   std::int32_t current) {
    for (std::size_t i = 0; i < set.size(); ++i) {
        if (equalNoCase(set[i].nameText(), category)) {
            return static_cast<std::int32_t>(i);
        }
    }
    return current;
}

std::vector<sPubInfo60> handheldItems(const GearDocument& document,
                                      const std::vector<sCategory60>& set) {
    std::vector<sPubInfo60> items;
    items.reserve(static_cast<std::size_t>(document.rowCount()));
    forEachItem(document, [&](const sPubInfo& record, bool checked) {
        items.push_back(itemRecord(record, checked, set));
    });
    return items;
}

std::string serializeHandheldFile(const GearDocument& document) {
    const std::vector<sCategory60> set = handheldCategorySet(document.categoryList);
    std::string out;
    out.reserve(kHandheldHeader.size() + 8 + document.handheldBlock.size() +
                (set.size() + document.removedCategories.size()) * sCategory60::kSize +
                (static_cast<std::size_t>(document.rowCount()) + document.deletedRecords.size()) *
                    sPubInfo60::kSize);
    out += kHandheldHeader;
    appendInt32(out, static_cast<std::int32_t>(document.handheldBlock.size()));
    out.append(reinterpret_cast<const char*>(document.handheldBlock.data()),
               document.handheldBlock.size());

    appendInt32(out, static_cast<std::int32_t>(set.size() + document.removedCategories.size()));
    for (const sCategory60& category : set) {
        appendCategory(out, category);
    }
    for (const sCategory60& category : document.removedCategories) {
        appendCategory(out, category);
    }

    forEachItem(document, [&](const sPubInfo& record, bool checked) {
        appendItem(out, itemRecord(record, checked, set));
    });
    for (const sPubInfo60& item : document.deletedRecords) {
        appendItem(out, item);
    }
    return out;
}

FileOutcome WriteHandheldFile(GearDocument& document, const std::filesystem::path& path) {
    std::error_code ignored;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ignored);
    }

    document.categoryList = handheldCategorySet(document.categoryList);
    const std::string bytes = serializeHandheldFile(document);
    recordWhatWasWritten(document);

    return FileOutcome::written(FileOutcome::Task::Handheld, path,
                                replaceFileAtomically(path, bytes));
}

} // namespace varnel

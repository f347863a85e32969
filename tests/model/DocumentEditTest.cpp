#include "model/DocumentEdit.h"
#include "TestRecords.h"
#include "model/DocumentEdits.h"
#include "model/DocumentSettings.h"
#include "model/GearDataWriter.h"
#include "model/GearDocument.h"
#include "model/GroupEditing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace varnel {
namespace {

// Everything an edit may change, as bytes: the gear data file, the settings file, and the
// handheld bookkeeping and check marks that only the handheld file and the window show.
std::string bytesOf(const GearDocument& doc, const DocumentSettings& settings) {
    IniFile ini;
    writeDocumentSettings(ini, settings);
    std::string out = serializeGearData(doc) + ini.serialize();
    const auto raw = [&out](const auto& value) {
        out.append(reinterpret_cast<const char*>(&value), sizeof value);
    };
    for (const sPubInfo60& r : doc.deletedRecords) {
        raw(r);
    }
    for (const auto* list : {&doc.categoryList, &doc.removedCategories}) {
        for (const sCategory60& c : *list) {
            raw(c);
        }
    }
    for (const CategoryChoice& c : doc.categoryChoices) {
        out += c.name + std::to_string(c.id);
    }
    doc.groupNames.forEach([&](const std::string& name) { out += name + '|'; });
    for (const GearRow& row : doc.rows()) {
        raw(row.stateImage);
        raw(row.record->expanded);
    }
    raw(doc.nextCategoryId);
    raw(doc.selectedTotal());
    raw(doc.userColumnCount);
    return out;
}

// Equal bytes, or where they part.
::testing::AssertionResult same(const std::string& a, const std::string& b) {
    if (a == b) {
        return ::testing::AssertionSuccess();
    }
    const auto at = std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin();
    return ::testing::AssertionFailure()
           << "sizes " << a.size() << " and " << b.size() << ", first difference at byte " << at;
}

const std::string kLighterPack = "Item Name,Category,desc,qty,weight,unit,url,price,worn\n"
                                 "Tent,Shelter,Roomy,1,2,pound,https://example.com,349.95,\n"
                                 "Stakes,Shelter,,6,0.5,ounce,,,Worn\n";

class RandomEdits {
public:
    explicit RandomEdits(unsigned seed) : rng_(seed) {}

    int pick(std::size_t n) { return pick(static_cast<int>(n)); }
    int pick(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    ItemFields fields(int userColumns) {
        static const char* const categories[] = {"Shelter", "Kitchen", "sleep", "Water", "Misc"};
        ItemFields f{categories[pick(5)],        "Item " + std::to_string(pick(40)),
                     pick(3) == 0 ? "" : "note", std::to_string(pick(300)) + ".5",
                     pick(4) == 0 ? "2" : "1",   {}};
        for (int k = 0; k < userColumns; ++k) {
            f.columnTexts.push_back(pick(2) ? "t" + std::to_string(k) : "");
        }
        return f;
    }

    DocumentEdit next(const GearDocument& doc) {
        const int rows = doc.rowCount();
        const int r = pick(rows);
        switch (pick(19)) {
        case 0:
            return checkEdit(r, pick(2) == 0);
        case 1:
            return selectAllEdit();
        case 2:
            return clearSelectedEdit();
        case 3:
        case 4:
            return addItemEdit(fields(doc.userColumnCount), pick(2) == 0);
        case 5:
            return modifyItemEdit(r, fields(doc.userColumnCount));
        case 6:
            return deleteRowsEdit({r});
        case 7:
            return deleteRowsEdit({r, pick(rows), pick(rows)});
        case 8: {
            std::vector<int> groups;
            for (int g = 0; g < rows; ++g) {
                if (doc.row(g).isGroupRow()) {
                    groups.push_back(g);
                }
            }
            const int target =
                pick(2) && !groups.empty() ? groups[pick(groups.size())] : pick(rows);
            const DropPlan plan = planDrop(doc, r, target);
            return plan.action == DropAction::JoinGroup
                       ? joinGroupEdit(r, plan.target)
                       : createGroupEdit(r, plan.target, "Group " + std::to_string(pick(9)), "n");
        }
        case 9: {
            // Opening the group is part of this step, so that later steps stay undoable.
            const int member = pick(3);
            return {"Remove from Group", [member](GearDocument& d, DocumentSettings&) {
                        for (int g = 0; g < d.rowCount(); ++g) {
                            if (d.row(g).isGroupRow()) {
                                if (!d.record(g).expanded) {
                                    d.toggleGroup(g);
                                }
                                return removeFromGroup(d,
                                                       std::min(g + 1 + member, d.rowCount() - 1));
                            }
                        }
                        return -1;
                    }};
        }
        case 10:
            return addCategoryEdit("Cat" + std::to_string(pick(5)));
        case 11:
            return deleteCategoryEdit(
                doc.categoryList.empty() ? "none" : std::string(doc.categoryList[0].nameText()));
        case 12:
            return renameCategoryEdit(pick(2) ? "Shelter" : "Kitchen",
                                      "Renamed" + std::to_string(pick(3)));
        case 13:
            return addColumnEdit("Col" + std::to_string(pick(9)), pick(3));
        case 14:
            return deleteColumnsEdit({pick(3), pick(3)});
        case 15:
            return modifyColumnEdit(pick(6), "Heading", pick(3));
        case 16:
            return convertEdit();
        case 17:
            return pasteEdit(copyRows(doc, {r, pick(rows)}, {}).records, {}, {}, nullptr);
        default:
            return importLighterPackEdit(parseLighterPackCsv(kLighterPack, doc.metric), {}, {"url"},
                                         nullptr);
        }
    }

private:
    std::mt19937 rng_;
};

void open(GearDocument& doc, DocumentSettings& settings, bool handheld) {
    using test::group;
    using test::item;
    std::vector<std::unique_ptr<sPubInfo>> records;
    records.push_back(item("Shelter", "Tent", "32.00", true));
    records.push_back(group("Shelter", "Stakes", {"0.50", "0.50", "0.75"}, true));
    records.push_back(item("Kitchen", "Stove", "3.10"));
    records.push_back(group("Kitchen", "Pots", {"4.00", "2.00"}));
    records.push_back(item("sleep", "Quilt", "20.00", true));
    test::addTexts(*records.back(), {"a", "b"});
    records.push_back(item("Water", "Filter", "2.00", true));
    doc.insertRecords(std::move(records));
    doc.groupNames.add(std::make_unique<std::string>("Stakes"));
    doc.groupNames.add(std::make_unique<std::string>("Pots"));
    doc.handheldDocument = handheld;
    for (const char* name : {"Shelter", "Kitchen", "sleep", "Water"}) {
        addCategory(doc, name);
    }
    rebuildCategoryChoices(doc);
    appendUserColumn(doc, settings, "Brand", ColumnRecord::kAlignLeft);
    appendUserColumn(doc, settings, "Price", ColumnRecord::kAlignRight);
}

// Random edits over lists with groups, user columns and categories, handheld and not, some with
// a group open: each step undone gives the bytes before it, redone the bytes after it, and
// undoing them all gives the document as opened.
TEST(DocumentEditTest, UndoAndRedoGiveBackTheBytesOfEveryStep) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        GearDocument doc;
        DocumentSettings settings;
        open(doc, settings, seed % 2 == 0);
        settings.baseGoal = seed % 2 == 0 ? "" : "12.5"; // Convert carries it over
        if (seed % 3 == 0) {
            doc.toggleGroup(1);
        }
        if (seed % 4 == 0) {
            doc.sortByColumn(2);
        }
        const std::string opened = bytesOf(doc, settings);
        RandomEdits random(seed);
        std::vector<DocumentEdit> done;
        for (int step = 0; step < 300; ++step) {
            const std::string before = bytesOf(doc, settings);
            DocumentEdit edit = random.next(doc);
            if (!edit.apply(doc, settings)) {
                ASSERT_TRUE(same(bytesOf(doc, settings), before)) << edit.name();
                continue;
            }
            const std::string after = bytesOf(doc, settings);
            ASSERT_FALSE(edit.refusal(doc, true));
            edit.revert(doc, settings);
            ASSERT_TRUE(same(bytesOf(doc, settings), before)) << step << ' ' << edit.name();
            ASSERT_TRUE(edit.apply(doc, settings));
            ASSERT_TRUE(same(bytesOf(doc, settings), after)) << step << ' ' << edit.name();
            done.push_back(std::move(edit));
        }
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            it->revert(doc, settings);
        }
        EXPECT_TRUE(same(bytesOf(doc, settings), opened));
    }
}

// A sort after a step numbers the rows anew: the step is refused, not undone in the wrong places.
TEST(DocumentEditTest, AStepIsRefusedOnceTheListWasSortedAfterIt) {
    GearDocument doc;
    DocumentSettings settings;
    open(doc, settings, false);
    DocumentEdit edit = deleteRowsEdit({0});
    ASSERT_TRUE(edit.apply(doc, settings));
    doc.sortByColumn(2);
    const auto refusal = edit.refusal(doc, true);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->caption, "Undo");
}

} // namespace
} // namespace varnel

#pragma once
// The open document: its rows (the one container of top-level records, with their check marks),
// its collections and its view state, with the rules that work on them.

#include "model/CMMIList.h"
#include "model/ColumnIndex.h"
#include "model/EditJournal.h"
#include "model/sCategory60.h"
#include "model/sPubInfo.h"
#include "model/sPubInfo60.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace varnel {

struct DocumentSettings;

// The check box images of a row, numbered as the list and the files number them.
enum CheckImage : int { kUncheckedImage = 1, kCheckedImage = 2 };

// One row of the list. A member row exists only while its group is expanded and holds a private
// copy of the member record.
struct GearRow {
    std::unique_ptr<sPubInfo> record;
    int stateImage = kUncheckedImage; // a CheckImage

    [[nodiscard]] bool checked() const { return stateImage != kUncheckedImage; }
    [[nodiscard]] bool isGroupRow() const { return record->members != nullptr; }
    [[nodiscard]] bool isMemberRow() const { return record->inGroup != 0 && !record->members; }
};

struct CategoryChoice {
    std::string name;
    std::int32_t id = 0;
    bool operator==(const CategoryChoice&) const = default;
};

// Told about every change to the rows, so that a view can follow.
class GearDocumentObserver {
public:
    virtual ~GearDocumentObserver() = default;
    virtual void rowsAboutToBeInserted(int first, int last) = 0;
    virtual void rowsInserted() = 0;
    virtual void rowsAboutToBeRemoved(int first, int last) = 0;
    virtual void rowsRemoved() = 0;
    virtual void rowsAboutToBeReset() = 0;
    virtual void rowsReset() = 0;
    virtual void rowsChanged(int first, int last) = 0;
    virtual void totalChanged() = 0;
};

class GearDocument {
public:
    GearDocument();
    ~GearDocument();
    GearDocument(GearDocument&&) noexcept;
    GearDocument& operator=(GearDocument&&) noexcept;

    // --- rows
    [[nodiscard]] int rowCount() const { return static_cast<int>(rows_.size()); }
    [[nodiscard]] const GearRow& row(int r) const { return rows_[static_cast<std::size_t>(r)]; }
    // While an edit is recorded, the row is taken to change.
    [[nodiscard]] sPubInfo& record(int r) {
        if (recording_) {
            noteChange(r);
        }
        return *rows_[static_cast<std::size_t>(r)].record;
    }
    [[nodiscard]] const std::vector<GearRow>& rows() const { return rows_; }

    // Places a top-level record at its sorted place and checks it when `selected`.
    int insertRecord(std::unique_ptr<sPubInfo> record);

    // Inserts records read from a file, in file order, as one-by-one insertion would: one reset,
    // O(n log n) when the list is empty.
    void insertRecords(std::vector<std::unique_ptr<sPubInfo>> records);

    // What a file held, in file order: drops what the active hide view hides (a group member
    // read as a top-level record is dropped by either), inserts the rest.
    void loadRecords(std::vector<std::unique_ptr<sPubInfo>> records);

    // Takes row `r` out of the list and hands its record over; the running total is the
    // caller's to adjust. While an edit is recorded the caller gets a copy: the record itself
    // stays with the record, to come back as the same object.
    std::unique_ptr<sPubInfo> takeRow(int r);

    // Deletes every row, ends any hide view without bringing its rows back, and resets the
    // running total.
    void clearForReload();

    // Check mark change with its effect on the running total.
    void setChecked(int r, bool checked);
    void setStateImage(int r, int image);

    // Text of a cell as the list shows it.
    [[nodiscard]] std::string displayText(int r, int column) const;

    // The row's weight as shown and totalled (group rows: the recomputed group weight).
    [[nodiscard]] double rowWeight(int r) const;

    // --- running total
    [[nodiscard]] float selectedTotal() const { return selectedTotal_; }
    void setSelectedTotal(float total);
    // "%.2f oz. (%01.2f lbs)" or "%.2f gm. (%01.2f kg)".
    [[nodiscard]] std::string totalText() const;
    static std::string totalText(float total, bool metric);

    // --- collections
    std::vector<sCategory60> categoryList;
    std::int32_t nextCategoryId = kFirstCategoryId;
    std::vector<CategoryChoice> categoryChoices;
    std::vector<sPubInfo60> deletedRecords;
    std::vector<sCategory60> removedCategories;
    CMMIList<std::string> groupNames; // never emptied while the program runs
    bool handheldDocument = false;
    std::vector<unsigned char> handheldBlock;

    // Empties the category set and choice list, the deleted lists; numbering from 128 again.
    void resetCollections();

    // --- view state
    bool metric = false;
    bool sortedView = false;
    std::array<std::uint8_t, 256> sortAscending{};
    bool hideNonSelected = false;
    bool hideSelected = false;
    int userColumnCount = 0;

    // --- commands on the rows
    // Every row checked / every checked row unchecked; the total follows.
    void selectAll();
    void clearSelected();
    [[nodiscard]] bool hasUncheckedRow() const;
    [[nodiscard]] bool hasGroupRow() const;

    // Shows or hides a group's member rows below it; returns the member count (0 when `g` is not
    // a group row).
    int toggleGroup(int g);
    void expandAll();
    void collapseAll();

    // A click on a column heading. Item and Notes do not sort (returns false). Collapses every
    // group first; after a weight sort the members of each group follow the same order.
    bool sortByColumn(int column);

    // Converts every weight to the other unit, the direction given by `metric`; returns the new
    // weight heading.
    std::string convertUnits();

    // The hide views set the whole list aside in memory and show what the filter keeps; leaving
    // a view puts back the list exactly as it was when the view was entered.
    void enterHideView(bool hideSelectedRows);
    void leaveHideView();
    [[nodiscard]] bool hideViewActive() const { return hideNonSelected || hideSelected; }

    void setObserver(GearDocumentObserver* observer) { observer_ = observer; }

    // Rows changed in place (record fields edited): refresh caches and tell the view.
    void rowsEdited(int first, int last);

    // --- edits
    // Records every change from here on, the column settings' too when given, until
    // endRecording hands the record over. Recordings do not nest.
    void beginRecording(DocumentSettings* settings);
    EditJournal endRecording();
    [[nodiscard]] bool recording() const { return recording_ != nullptr; }

    // The order the rows are in, as far as row numbers go: it changes with every sort, group
    // opened or closed and hide view that is not part of an edit. A journal with row changes
    // can be replayed only in the order it was recorded in.
    [[nodiscard]] std::uint64_t layout() const { return layout_; }
    [[nodiscard]] bool canReplay(const EditJournal& journal) const {
        return journal.rows.empty() || journal.layout == layout_;
    }
    // Takes back what `journal` recorded, which must be the last change made (see canReplay);
    // returns what makes it again. One reset of the view.
    EditJournal replay(EditJournal journal, DocumentSettings* settings);
    // Every record that holds what row `r` shows, so that a change of its texts lasts: the row's
    // own; for a member row the member inside its group; in a hide view the same records in the
    // list set aside, which is what comes back when the view ends. Empty when `r` is no row.
    [[nodiscard]] std::vector<sPubInfo*> recordsShownAt(int r);

private:
    struct Recording;

    void noteChange(int r) const;
    void noteCheck(int r, int oldImage);
    void noteInserted(int first, int count);
    void noteRemoved(int first, std::vector<GearRow> rows);
    void noteReordered(const std::vector<const sPubInfo*>& before);
    void refreshGroupWeight(int r) const;
    void viewChanged();
    void replayRows(RowChange& change, std::vector<RowChange>& inverse);

    void applyCheckChange(const GearRow& row, bool wasChecked, bool isChecked);
    void invalidateBlocks() const { blockCacheValid_ = false; }
    void rebuildBlockCache() const;
    [[nodiscard]] int insertionIndex(const sPubInfo& record) const;

    void notifyReset(const std::function<void()>& change);
    void reorderMembersByWeight(bool ascending);

    std::vector<GearRow> rows_;
    float selectedTotal_ = 0.0F;
    std::vector<GearRow> setAside_; // the list while a hide view shows part of it
    float setAsideTotal_ = 0.0F;
    bool setAsideSorted_ = false;
    // In a hide view: the set-aside record each shown top-level record was copied from.
    std::unordered_map<const sPubInfo*, sPubInfo*> origins_;
    GearDocumentObserver* observer_ = nullptr;

    std::unique_ptr<Recording> recording_;
    std::uint64_t layout_ = 0;
    std::uint64_t layoutCounter_ = 0;
    std::uint64_t setAsideLayout_ = 0;

    // For each row, whether it is the first of its category (folded); rebuilt after changes.
    mutable std::vector<bool> firstOfCategory_;
    mutable bool blockCacheValid_ = false;
};

} // namespace varnel

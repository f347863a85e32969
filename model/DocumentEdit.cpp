#include "model/DocumentEdit.h"

#include "model/DocumentSettings.h"
#include "model/GearDocument.h"

#include <utility>

namespace varnel {

DocumentEdit::DocumentEdit(std::string name, Action action, bool columns)
    : name_(std::move(name)), action_(std::move(action)), columns_(columns) {}

bool DocumentEdit::apply(GearDocument& document, DocumentSettings& settings) {
    if (!ran_ && document.recording()) {
        // Made inside another edit: that one records it.
        ran_ = true;
        result_ = action_(document, settings);
        action_ = nullptr;
        return false;
    }
    if (!ran_) {
        ran_ = true;
        document.beginRecording(&settings);
        result_ = action_(document, settings);
        journal_ = document.endRecording();
        action_ = nullptr; // what it captured is not needed again
        return changed();
    }
    journal_ = document.replay(std::move(journal_), &settings);
    return changed();
}

void DocumentEdit::extend(GearDocument& document, DocumentSettings& settings, const Action& more) {
    document.beginRecording(&settings);
    more(document, settings);
    EditJournal later = document.endRecording();
    EditJournal& j = journal_;
    for (RowChange& change : later.rows) {
        j.rows.push_back(std::move(change));
    }
    // What both changed goes back to what it was before the first: that side is kept.
    DocumentParts& p = j.parts;
    DocumentParts& q = later.parts;
    const std::uint32_t laterOnly = later.changedParts & ~j.changedParts;
    const auto take = [&](DocumentParts::Part part, auto& mine, auto& theirs) {
        if (laterOnly & part) {
            mine = std::move(theirs);
        }
    };
    take(DocumentParts::Total, p.total, q.total);
    take(DocumentParts::Metric, p.metric, q.metric);
    take(DocumentParts::Sorting, p.sortedView, q.sortedView);
    take(DocumentParts::Sorting, p.sortAscending, q.sortAscending);
    take(DocumentParts::UserColumnCount, p.userColumnCount, q.userColumnCount);
    take(DocumentParts::NextCategoryId, p.nextCategoryId, q.nextCategoryId);
    take(DocumentParts::Categories, p.categoryList, q.categoryList);
    take(DocumentParts::RemovedCategories, p.removedCategories, q.removedCategories);
    take(DocumentParts::Choices, p.choices, q.choices);
    take(DocumentParts::GroupNames, p.groupNames, q.groupNames);
    take(DocumentParts::Columns, p.fixedColumns, q.fixedColumns);
    take(DocumentParts::Columns, p.userColumns, q.userColumns);
    take(DocumentParts::Columns, p.userColumnRecords, q.userColumnRecords);
    take(DocumentParts::Columns, p.settingsMetric, q.settingsMetric);
    take(DocumentParts::Columns, p.baseGoal, q.baseGoal);
    take(DocumentParts::ColumnLayout, p.columnWidths, q.columnWidths);
    take(DocumentParts::ColumnLayout, p.columnOrder, q.columnOrder);
    j.changedParts |= later.changedParts;
    // Handheld copies only ever follow one another.
    j.deletedTail.insert(j.deletedTail.end(), later.deletedTail.begin(), later.deletedTail.end());
    j.layout = later.layout;
}

void DocumentEdit::revert(GearDocument& document, DocumentSettings& settings) {
    journal_ = document.replay(std::move(journal_), &settings);
}

std::vector<int> DocumentEdit::shownRows() const {
    // The last change is numbered as the list is now; earlier ones may not be.
    if (journal_.rows.empty()) {
        return {};
    }
    const RowChange& last = journal_.rows.back();
    switch (last.kind) {
    case RowChange::Kind::Inserted:
        return last.at;
    case RowChange::Kind::Changed:
        return {last.at.front()};
    default:
        return {};
    }
}

std::optional<UserMessage> DocumentEdit::refusal(const GearDocument& document, bool undo) const {
    if (document.canReplay(journal_)) {
        return std::nullopt;
    }
    return UserMessage{undo ? "The list was sorted, or a group opened or closed, after \"" + name_ +
                                  "\". That step can no longer be undone."
                            : "The list was sorted, or a group opened or closed, after \"" + name_ +
                                  "\" was undone. It can no longer be redone.",
                       undo ? "Undo" : "Redo", MessageIcon::Exclamation};
}

int perform(const EditPerformer& performer, DocumentEdit edit, GearDocument& document) {
    if (performer) {
        return performer(std::move(edit));
    }
    DocumentSettings unused;
    edit.apply(document, unused);
    return edit.result();
}

} // namespace varnel

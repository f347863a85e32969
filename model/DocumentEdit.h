#pragma once
// One change to a document, as the user makes it and takes it back: made once by running its
// rule, recorded while it runs, and afterwards taken back and made again from the record.

#include "model/EditJournal.h"
#include "model/UserMessage.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

class GearDocument;
struct DocumentSettings;

class DocumentEdit {
public:
    // The rule that makes the change; what it returns (a row, a count) is kept as the result.
    using Action = std::function<int(GearDocument&, DocumentSettings&)>;

    // `name` names the step in the Undo and Redo entries. `columns`: the change reaches the
    // column settings, which the window then shows again.
    DocumentEdit(std::string name, Action action, bool columns = false);

    // Makes the change: the first time by running the rule, later by replaying the record.
    // Returns whether the document changed.
    bool apply(GearDocument& document, DocumentSettings& settings);
    void revert(GearDocument& document, DocumentSettings& settings);

    // Runs `more` as part of this change, which must be the document's last one and made.
    void extend(GearDocument& document, DocumentSettings& settings, const Action& more);

    // Why the change cannot be taken back (`undo`) or made again now: its rows were numbered in
    // an order the list has left since.
    [[nodiscard]] std::optional<UserMessage> refusal(const GearDocument& document, bool undo) const;

    // The rows the last apply or revert put back or changed, in the present numbering: what the
    // user is shown after an undo or redo. None when it last removed or reordered rows, or only
    // moved check marks.
    [[nodiscard]] std::vector<int> shownRows() const;

    [[nodiscard]] const std::string& name() const { return name_; }
    [[nodiscard]] int result() const { return result_; }
    [[nodiscard]] bool changed() const { return !journal_.empty(); }
    // Whether rows changed, not only collections and settings.
    [[nodiscard]] bool changesRows() const { return !journal_.rows.empty(); }
    [[nodiscard]] bool touchesColumns() const { return columns_; }

private:
    std::string name_;
    Action action_;
    bool columns_ = false;
    bool ran_ = false;
    int result_ = -1;
    EditJournal journal_; // what the next apply or revert replays
};

// Takes an edit as one step (the window's undo stack) and returns its result.
using EditPerformer = std::function<int(DocumentEdit)>;

// Hands `edit` to `performer`; without one it is made at once and not kept. Returns its result.
int perform(const EditPerformer& performer, DocumentEdit edit, GearDocument& document);

} // namespace varnel

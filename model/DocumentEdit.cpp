#include "model/DocumentEdit.h"

#include "model/DocumentSettings.h"
#include "model/GearDocument.h"

#include <utility>

namespace varnel {

DocumentEdit::DocumentEdit(std::string name, Action action, bool columns)
    : name_(std::move(name)), action_(std::move(action)), columns_(columns) {}

bool DocumentEdit::apply(GearDocument& document, DocumentSettings& settings) {
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

void DocumentEdit::revert(GearDocument& document, DocumentSettings& settings) {
    journal_ = document.replay(std::move(journal_), &settings);
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

} // namespace varnel

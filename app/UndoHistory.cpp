#include "app/UndoHistory.h"

#include "model/GearDocument.h"
#include "model/HideViewRefusal.h"
#include "ui/Prompts.h"

#include <QAction>

#include <utility>

namespace varnel {

UndoHistory::UndoHistory(GearDocument& document, DocumentSettings& settings, Prompts& prompts,
                         Hooks hooks, QObject* parent)
    : QObject(parent), document_(document), settings_(settings), prompts_(prompts),
      hooks_(std::move(hooks)) {
    connect(&stack_, &QUndoStack::indexChanged, this, &UndoHistory::stepped);
}

UndoHistory::~UndoHistory() {
    // The stack's last signals, as it clears itself, would reach a window already half gone.
    stack_.disconnect();
}

EditPerformer UndoHistory::performer() {
    return [this](DocumentEdit edit) { return perform(std::move(edit)); };
}

int UndoHistory::perform(DocumentEdit edit) {
    lastResult_ = -1;
    // The stack runs it at once; one that changed nothing does not stay.
    stack_.push(new EditCommand(
        std::move(edit), [this](DocumentEdit& e, EditCommand::Step step) { return run(e, step); }));
    return lastResult_;
}

bool UndoHistory::run(DocumentEdit& edit, EditCommand::Step step) {
    if (edit.touchesColumns()) {
        hooks_.collectColumns();
    }
    bool keep = true;
    if (step == EditCommand::Step::Undo) {
        edit.revert(document_, settings_);
    } else {
        keep = edit.apply(document_, settings_);
    }
    if (step == EditCommand::Step::First) {
        lastResult_ = edit.result();
        keep = keep && !(document_.hideViewActive() && edit.changesRows());
    }
    if (edit.touchesColumns()) {
        hooks_.applyColumns();
    }
    hooks_.stepDone();
    return keep;
}

const EditCommand* UndoHistory::step(int index) const {
    // Every command on the stack is one of ours.
    return static_cast<const EditCommand*>(stack_.command(index));
}

void UndoHistory::undo() {
    if (!stack_.canUndo() || prompts_.refused(hideViewRefusal(document_, "undoing"))) {
        return;
    }
    const EditCommand* last = step(stack_.index() - 1);
    if (prompts_.refused(last->edit().refusal(document_, true))) {
        return;
    }
    stack_.undo();
    hooks_.showRows(last->edit().shownRows());
}

void UndoHistory::redo() {
    if (!stack_.canRedo() || prompts_.refused(hideViewRefusal(document_, "redoing"))) {
        return;
    }
    const EditCommand* next = step(stack_.index());
    if (prompts_.refused(next->edit().refusal(document_, false))) {
        return;
    }
    stack_.redo();
    hooks_.showRows(next->edit().shownRows());
}

void UndoHistory::follow(QAction& undo, QAction& redo) {
    undo.setEnabled(false);
    redo.setEnabled(false);
    connect(&stack_, &QUndoStack::canUndoChanged, &undo, &QAction::setEnabled);
    connect(&stack_, &QUndoStack::canRedoChanged, &redo, &QAction::setEnabled);
    connect(&stack_, &QUndoStack::undoTextChanged, &undo, [&undo](const QString& step) {
        undo.setText(step.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(step));
    });
    connect(&stack_, &QUndoStack::redoTextChanged, &redo, [&redo](const QString& step) {
        redo.setText(step.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(step));
    });
}

void UndoHistory::extendLastStep(int stepsBefore, const char* name, DocumentEdit::Action action) {
    if (stack_.index() > stepsBefore && stack_.index() == stack_.count()) {
        // The stack hands its commands out read-only; this one is ours and stays on it.
        const_cast<EditCommand*>(step(stack_.index() - 1))
            ->edit()
            .extend(document_, settings_, action);
    } else {
        perform(DocumentEdit(name, std::move(action)));
    }
}

} // namespace varnel

#pragma once
// The document's undo history: every edit goes through it, Undo and Redo take the steps back
// and forth, and the window follows each step through the hooks it hands in.

#include "app/EditCommand.h"
#include "model/DocumentEdit.h"

#include <QObject>
#include <QUndoStack>

#include <functional>
#include <vector>

class QAction;

namespace varnel {

class GearDocument;
class Prompts;
struct DocumentSettings;

class UndoHistory : public QObject {
    Q_OBJECT

public:
    struct Hooks {
        // Around a step that changes the columns: the window's headings and widths go into the
        // settings before, and come back from them after.
        std::function<void()> collectColumns;
        std::function<void()> applyColumns;
        // After every step.
        std::function<void()> stepDone;
        // The rows an undone or redone step changed.
        std::function<void(const std::vector<int>&)> showRows;
    };

    UndoHistory(GearDocument& document, DocumentSettings& settings, Prompts& prompts, Hooks hooks,
                QObject* parent = nullptr);
    ~UndoHistory() override;

    // Makes the change as a step that Undo takes back; returns its result. Row changes made in
    // a hide view are not kept as steps: leaving the view puts the rows back anyway.
    int perform(DocumentEdit edit);
    [[nodiscard]] EditPerformer performer();
    [[nodiscard]] const QUndoStack& stack() const { return stack_; }
    // Refused, with the reason, while a hide view is active or when the list was reordered since.
    void undo();
    void redo();
    void clear() { stack_.clear(); }
    // On when there is a step, named after it.
    void follow(QAction& undo, QAction& redo);
    // Adds `action` to the last step when it was made after `stepsBefore` and nothing was undone
    // since; otherwise makes it a step of its own called `name`.
    void extendLastStep(int stepsBefore, const char* name, DocumentEdit::Action action);

signals:
    // A step was made, undone or redone.
    void stepped();

private:
    // Applies or reverts an edit, bringing the columns along; false when a first apply is not to
    // be kept.
    bool run(DocumentEdit& edit, EditCommand::Step step);
    [[nodiscard]] const EditCommand* step(int index) const;

    GearDocument& document_;
    DocumentSettings& settings_;
    Prompts& prompts_;
    Hooks hooks_;
    QUndoStack stack_;
    int lastResult_ = -1;
};

} // namespace varnel

#pragma once
// A document edit on the window's undo stack: Qt's command around the model's edit.

#include "model/DocumentEdit.h"

#include <QUndoCommand>

#include <functional>

namespace varnel {

class EditCommand : public QUndoCommand {
public:
    enum class Step { First, Redo, Undo };
    // Applies or reverts the edit and lets the window follow; false when a first application is
    // not to be kept as a step.
    using Runner = std::function<bool(DocumentEdit& edit, Step step)>;

    EditCommand(DocumentEdit edit, Runner run);

    void redo() override;
    void undo() override;

    [[nodiscard]] const DocumentEdit& edit() const { return edit_; }
    [[nodiscard]] DocumentEdit& edit() { return edit_; }

private:
    DocumentEdit edit_;
    Runner run_;
    bool ran_ = false;
};

} // namespace varnel

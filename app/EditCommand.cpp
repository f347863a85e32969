#include "app/EditCommand.h"

#include <QString>

#include <utility>

namespace varnel {

EditCommand::EditCommand(DocumentEdit edit, Runner run)
    : QUndoCommand(QString::fromStdString(edit.name())), edit_(std::move(edit)),
      run_(std::move(run)) {}

void EditCommand::redo() {
    const Step step = ran_ ? Step::Redo : Step::First;
    ran_ = true;
    // The stack drops a step that changed nothing.
    if (!run_(edit_, step)) {
        setObsolete(true);
    }
}

void EditCommand::undo() {
    run_(edit_, Step::Undo);
}

} // namespace varnel

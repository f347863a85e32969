#include "app/GroupCommands.h"

#include "app/TCreateGroupDialog.h"
#include "model/DocumentEdits.h"
#include "model/FixedText.h"
#include "model/GroupEditing.h"

#include <algorithm>

namespace varnel {

int dropCommand(GroupCommandContext& context, TCreateGroupDialogXfer& xfer, int source,
                int target) {
    GearDocument& doc = context.document;
    const DropPlan plan = planDrop(doc, source, target);
    switch (plan.action) {
    case DropAction::None:
        return -1;
    case DropAction::JoinGroup:
        return perform(context.perform, joinGroupEdit(source, plan.target), doc);
    case DropAction::CreateGroup:
        break;
    }
    xfer.resetForRun();
    TCreateGroupDialog dialog(xfer, doc, source, plan.target, context.prompts, context.parent);
    const int result = context.runDialog ? context.runDialog(dialog) : dialog.exec();
    if (result != QDialog::Accepted) {
        return -1;
    }
    return perform(context.perform,
                   createGroupEdit(source, plan.target, std::string(fieldText(xfer.name)),
                                   std::string(fieldText(xfer.notes))),
                   doc);
}

int removeFromGroupCommand(GearDocument& document, std::vector<int> selectedRows,
                           const EditPerformer& perform) {
    std::erase_if(selectedRows, [&](int r) { return r < 0 || r >= document.rowCount(); });
    if (selectedRows.empty() || document.hideViewActive()) {
        return -1;
    }
    return varnel::perform(
        perform, removeFromGroupEdit(*std::min_element(selectedRows.begin(), selectedRows.end())),
        document);
}

} // namespace varnel

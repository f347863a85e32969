#include "app/CommandRules.h"

#include "app/ColumnCommands.h"
#include "app/CommandIds.h"
#include "app/LighterPackCommand.h"

namespace varnel {

EnablingRules buttonRules(const GearDocument& document) {
    const bool rows = document.rowCount() > 0;
    // Add and Modify are off in a sorted view and in a hide view, whatever refreshes them.
    const bool editable = !document.hideViewActive() && !document.sortedView;
    return {
        {ctl::Add, editable},
        {ctl::Delete, rows && !document.hideViewActive()},
        {ctl::Modify, rows && editable},
        {ctl::Print, rows},
        {ctl::Totals, rows},
        {ctl::Export, rows},
        {ctl::Convert, rows && !document.handheldDocument},
    };
}

EnablingRules menuRules(const GearDocument& document, const ListState& list) {
    const bool rows = document.rowCount() > 0;
    const bool selection = list.selection;
    const bool hidden = document.hideViewActive();
    const bool groups = !document.handheldDocument && document.hasGroupRow();
    return {
        {cmd::Delete, selection && !hidden},
        {cmd::Modify, selection && !hidden},
        {cmd::Add, !hidden},
        // Cut and Paste stay on in a hide view, so that the keys are told why they are refused.
        {cmd::Cut, selection},
        {cmd::Copy, selection},
        {cmd::Paste, true},
        {cmd::FindNext, rows},
        {cmd::FindPrevious, rows},
        {cmd::MarkWorn, selection},
        {cmd::MarkConsumable, selection},
        {cmd::ClearSelected, list.clearSelectedOn},
        {cmd::HideSelected,
         document.hideSelected || (list.clearSelectedOn && !document.hideNonSelected)},
        {cmd::HideNonSelected, list.hideBoxOn},
        {cmd::SelectAll, document.hasUncheckedRow()},
        {cmd::ExpandAll, groups},
        {cmd::CollapseAll, groups},
        {cmd::Save, !document.handheldDocument && rows},
        {cmd::SaveAs, !document.handheldDocument && rows},
        {cmd::SaveForHandheld, document.handheldDocument},
        {cmd::Export, rows},
        {cmd::ImportLighterPack, importLighterPackEnabled(document)},
        {cmd::Print, rows},
        {cmd::PrintPreview, rows},
        {cmd::AddColumn, addNewColumnEnabled(document)},
        {cmd::DeleteColumn, deleteColumnEnabled(document)},
        {cmd::ModifyColumn, modifyColumnEnabled(document)},
    };
}

bool clearSelectedEnabled(const GearDocument& document) {
    return document.selectedTotal() >= 0.00001F;
}

bool hideBoxEnabled(const GearDocument& document) {
    // While the view hides unchecked rows, the box stays the way out even with nothing checked.
    return (clearSelectedEnabled(document) && !document.hideSelected) || document.hideNonSelected;
}

} // namespace varnel

// The window's commands as data: what each menu entry and button says and runs.

#include "app/CommandIds.h"
#include "app/TMiravo99DlgClient.h"

#include <QKeySequence>

#include <vector>

namespace varnel {

using C = TMiravo99DlgClient;

// Menu commands, in the order they are made; the frame places them in its menus. Exit has no
// handler here: the frame closes itself.
std::span<const C::ActionEntry> C::actionTable() {
    static constexpr ActionEntry kActions[] = {
        {cmd::New, "&New", "Start a new, empty gear list", &C::cmNew},
        {cmd::Open, "&Open...", "Open a gear list file", &C::cmOpen},
        {cmd::Save, "&Save", "Save the gear list", &C::cmSave},
        {cmd::SaveAs, "Save &As...", "Save the gear list under a new name", &C::cmSaveAs},
        {cmd::SaveForHandheld, "Save the file for syncing with Palm device",
         "Save the file for syncing with Palm device", &C::cmSaveForHandheld},
        {cmd::Print, "&Print...", "Print the gear list", &C::cmPrint},
        {cmd::PrintPreview, "Print Pre&view...", "See the printed pages before printing them",
         &C::cmPrintPreview},
        {cmd::Export, "&Export...", "Export the gear list to a file or by mail", &C::cmExport},
        {cmd::ImportLighterPack, "&Import LighterPack CSV...",
         "Add the items of a list exported from LighterPack", &C::cmImportLighterPack},
        {cmd::Exit, "E&xit\tAlt+F4", "Save the gear list and quit", nullptr},
        {cmd::Undo, "&Undo", "Take back the last change", &C::cmUndo},
        {cmd::Redo, "&Redo", "Make the change taken back again", &C::cmRedo},
        {cmd::Add, "&Add...", "Add gear items", &C::cmAdd},
        {cmd::Delete, "&Delete", "Delete the highlighted items", &C::cmDelete},
        {cmd::Modify, "&Modify...", "Change the highlighted item", &C::cmModify},
        {cmd::SelectAll, "&Select All", "Check every item", &C::cmSelectAll},
        {cmd::ClearSelected, "&Clear Selected", "Uncheck every item", &C::cmClearSelected},
        {cmd::HideSelected, "&Hide Selected", "Hide or show the checked items", &C::cmHideSelected},
        {cmd::HideNonSelected, "Hide &Non-Selected", "Hide or show the items that are not checked",
         &C::cmHideNonSelected},
        {cmd::ExpandAll, "&Expand All Groups", "Show every group's items", &C::cmExpandAll},
        {cmd::CollapseAll, "C&ollapse All Groups", "Fold every group into one row",
         &C::cmCollapseAll},
        {cmd::ViewTotals, "View &Totals...", "Show the checked weight per category", &C::cmTotals},
        {cmd::Categories, "&Categories...", "Add, delete and rename categories", &C::cmCategories},
        {cmd::GeneralOptions, "&General Options...", "Colours, printing font and print options",
         &C::cmGeneralOptions},
        {cmd::AddColumn, "&Add New Column...", "Add a column of your own", &C::cmAddColumn},
        {cmd::DeleteColumn, "&Delete Column...", "Delete columns of your own", &C::cmDeleteColumn},
        {cmd::ModifyColumn, "&Modify Column...", "Change a column's heading and alignment",
         &C::cmModifyColumn},
        {cmd::About, "&About...", "About the Varnel application", &C::cmAbout},
        {cmd::EmailMe, "&Email me!", "Write to the author", &C::cmEmailMe},
        {cmd::RemoveFromGroup, "&Remove from Group", "Take the item out of its group",
         &C::cmRemoveFromGroup},
        {cmd::Cut, "C&ut", "Move the highlighted items to the clipboard", &C::cmCut},
        {cmd::Copy, "Cop&y", "Copy the highlighted items to the clipboard", &C::cmCopy},
        {cmd::Paste, "&Paste", "Add the items on the clipboard", &C::cmPaste},
        {cmd::Find, "&Find...", "Find an item by its text", &C::cmFind},
        {cmd::FindNext, "Find Ne&xt", "Find the next matching item", &C::cmFindNext},
        {cmd::FindPrevious, "Find Pre&vious", "Find the previous matching item",
         &C::cmFindPrevious},
        {cmd::MarkWorn, "Mark &Worn", "Mark the item worn, or not: it leaves the base weight",
         &C::cmMarkWorn},
        {cmd::MarkConsumable, "Mark Cons&umable",
         "Mark the item consumable (food, water, fuel), or not", &C::cmMarkConsumable},
        {cmd::BaseGoal, "Base Weight &Goal...", "Set or clear the base weight you aim for",
         &C::cmBaseGoal},
    };
    return kActions;
}

// Built on each call: a standard key's sequence comes from the running platform.
std::vector<std::pair<int, QKeySequence>> C::shortcutTable() {
    return {
        {cmd::New, QKeySequence::New},
        {cmd::Open, QKeySequence::Open},
        {cmd::Save, QKeySequence::Save},
        {cmd::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {cmd::Exit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {cmd::Undo, QKeySequence::Undo},
        {cmd::Cut, QKeySequence::Cut},
        {cmd::Copy, QKeySequence::Copy},
        {cmd::Paste, QKeySequence::Paste},
        {cmd::Find, QKeySequence::Find},
        {cmd::FindNext, QKeySequence(Qt::Key_F3)},
        {cmd::FindPrevious, QKeySequence(Qt::SHIFT | Qt::Key_F3)},
        {cmd::MarkWorn, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W)},
        {cmd::MarkConsumable, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
    };
}

std::span<const C::ButtonEntry> C::buttonTable() {
    // The menu bar has Alt+C (Configure) and Alt+E (Entry): those two buttons take other letters.
    static constexpr ButtonEntry kButtons[] = {
        {ctl::Close, "Close", ":/icons/close.svg", &C::closeWindow},
        {ctl::Add, "&Add...", ":/icons/add.svg", &C::cmAdd},
        {ctl::Delete, "&Delete", ":/icons/delete.svg", &C::cmDelete},
        {ctl::Modify, "&Modify...", ":/icons/modify.svg", &C::cmModify},
        {ctl::Configure, "Confi&gure...", ":/icons/configure.svg", &C::cmGeneralOptions},
        {ctl::Totals, "&Totals...", ":/icons/totals.svg", &C::cmTotals},
        {ctl::Print, "&Print...", ":/icons/print.svg", &C::cmPrint},
        {ctl::Export, "E&xport to...", ":/icons/export.svg", &C::cmExport},
        {ctl::Convert, "Convert...", ":/icons/convert.svg", &C::cmConvert},
        {ctl::ClearSelected, "Clear &Selected", ":/icons/clear-selected.svg", &C::cmClearSelected},
    };
    return kButtons;
}

} // namespace varnel

#pragma once
// Command ids of the menus and controls of the main window; widgets and actions carry them as
// object names.

namespace varnel::cmd {

// File
constexpr int New = 24331;
constexpr int Open = 24332;
constexpr int Save = 24333;
constexpr int SaveAs = 24334;
constexpr int SaveForHandheld = 51697;
constexpr int Print = 51689;
constexpr int PrintPreview = 51710; // ours: the report on screen before it is printed
constexpr int Export = 51690;
constexpr int ImportLighterPack = 51711; // ours: a list kept in LighterPack
constexpr int Exit = 24310;
// Entry
constexpr int Undo = 51730; // ours: takes back the last change
constexpr int Redo = 51731; // ours: makes it again
constexpr int Add = 51682;
constexpr int Delete = 51684;
constexpr int Modify = 51683;
constexpr int SelectAll = 51695;
constexpr int ClearSelected = 51685;
constexpr int HideSelected = 51686;
constexpr int HideNonSelected = 51699;
constexpr int ExpandAll = 51693;
constexpr int CollapseAll = 51694;
constexpr int ViewTotals = 51698;
constexpr int MarkWorn = 51712;       // ours: base weight and what is left out of it
constexpr int MarkConsumable = 51713; // ours
constexpr int BaseGoal = 51714;       // ours
constexpr int Cut = 51720;            // ours: the clipboard
constexpr int Copy = 51721;           // ours
constexpr int Paste = 51722;          // ours
constexpr int Find = 51723;           // ours: the find bar
constexpr int FindNext = 51724;       // ours
constexpr int FindPrevious = 51725;   // ours
// Configure
constexpr int Categories = 51696;
constexpr int GeneralOptions = 51687;
// Column
constexpr int AddColumn = 51688;
constexpr int DeleteColumn = 51691;
constexpr int ModifyColumn = 51692;
// Help
constexpr int About = 2009;
constexpr int EmailMe = 51700;
// Pop-up menu of a member row
constexpr int RemoveFromGroup = 200;

} // namespace varnel::cmd

namespace varnel::ctl {

constexpr int Close = 1;
constexpr int Add = 101;
constexpr int Delete = 102;
constexpr int Modify = 103;
constexpr int Print = 104;
constexpr int List = 105;
constexpr int Totals = 107;
constexpr int Configure = 108;
constexpr int Export = 109;
constexpr int TotalText = 110;
constexpr int TotalLabel = 111;
constexpr int HideNonSelected = 112;
constexpr int ClearSelected = 113;
constexpr int Convert = 114;

} // namespace varnel::ctl

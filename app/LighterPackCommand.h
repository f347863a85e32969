#pragma once
// File > Import LighterPack CSV...: the file chooser, the question about missing user columns,
// the import and its report, all through the prompts.

#include "model/DocumentEdit.h"

namespace varnel {

class GearListModel;
class Prompts;

// Whether the import can run on this document: a handheld document can take neither new user
// columns nor many categories, and a hide view would set the new rows aside.
[[nodiscard]] bool importLighterPackEnabled(const GearDocument& document);

// Runs the command. Nothing changes unless the file is a LighterPack list and the user went on;
// returns the number of items added. The import, new user columns included, is one step taken
// by `perform`.
int importLighterPack(GearListModel& model, Prompts& prompts, const EditPerformer& perform);

} // namespace varnel

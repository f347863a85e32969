#pragma once
// The handheld data file as the main window writes it: the HotSync folder found in the registry
// or asked for, the file written there, and the check before the handheld save.

#include "model/GearDocument.h"
#include "model/RegistrySource.h"
#include "ui/Prompts.h"

#include <filesystem>

namespace varnel {

struct HandheldCommandContext {
    GearDocument& document;
    Prompts& prompts;
    // The current user's keys; null: no folder is registered and none can be.
    RegistrySource* registry = nullptr;
    // A folder given without its full path is taken from here.
    std::filesystem::path currentFolder;
};

// The handheld data file in the registered HotSync folder, asking for the folder when none is
// registered; empty when there is none (the reason was shown, or the prompt cancelled).
// `asked`, when given, tells whether the folder prompt was shown.
std::filesystem::path FindHotSyncFile(HandheldCommandContext& context, bool* asked = nullptr);

// The folder prompt: a folder where the file can be made is registered exactly as typed.
std::filesystem::path AskHotSyncFolder(HandheldCommandContext& context);

// Writes the handheld data file to `path`; false when it could not be made (said to the user).
bool writeHandheldFileTo(HandheldCommandContext& context, const std::filesystem::path& path);

// The refusals and the question before the handheld save; true when it may go ahead.
bool handheldSaveConfirmed(HandheldCommandContext& context);

} // namespace varnel

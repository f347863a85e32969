#pragma once
// The one-time copy of the older registry settings into a new per-file settings file.

#include "model/DocumentSettings.h"
#include "model/IniFile.h"
#include "model/RegistrySource.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// Stands in the report's steps where the display unit was asked for.
inline constexpr std::string_view kWeightDialogStep = "(weight display dialog)";

struct MigrationReport {
    bool registryFound = false;
    bool askedForUnit = false;
    bool metric = false; // the unit stored as OZ
    // The keys written, in order, with kWeightDialogStep where the dialog was shown.
    std::vector<std::string> steps;
};

// Writes into `settings` (the caller saves it). `current` gives the values written where the
// registry has none. `askMetric` is the one-time weight display dialog: true for grams; without
// one, ounces.
MigrationReport migrateSettings(const RegistrySource& registry, IniFile& settings,
                                const DocumentSettings& current,
                                const std::function<bool()>& askMetric, int dpi = 96);

} // namespace varnel

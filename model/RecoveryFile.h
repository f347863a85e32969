#pragma once
// A recovery copy: what a document and its settings would be saved as, taken a moment after an
// edit, so that edits survive a crash, a kill or the end of the desktop session. It is never the
// document's own file and never changes that file.

#include "model/DocumentSettings.h"
#include "model/FileOutcome.h"
#include "model/GearDocument.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

struct RecoveryFile {
    // The document's full path: the copy is offered for that file only.
    std::filesystem::path document;
    // When the copy was taken, in nanoseconds since the epoch of the system clock (the clock file
    // times use), so that a later write of the document itself can be told.
    std::int64_t savedNs = 0;
    // The gear data file and the per-file settings file as a save would write them.
    std::string documentBytes;
    std::string settingsBytes;

    // What a save of `document` with `settings` would write, taken now.
    static RecoveryFile of(const std::filesystem::path& documentPath, const GearDocument& document,
                           const DocumentSettings& settings);
    // The same without the rows, which appendGearDataRows adds in pieces.
    static RecoveryFile begin(const std::filesystem::path& documentPath,
                              const GearDocument& document, const DocumentSettings& settings);

    [[nodiscard]] std::string serialize() const;
    // Nothing in the bytes is trusted; a copy cut short or damaged is refused with the reason.
    static std::optional<RecoveryFile> parse(std::string_view bytes, std::string& why);

    // Fills an emptied document and its settings as reading the saved files would.
    FileOutcome restoreInto(GearDocument& into, DocumentSettings& settings) const;

    bool operator==(const RecoveryFile&) const = default;
};

// The local time of `ns` as the user reads it: "2026-12-08 16:08:14".
std::string localTimeText(std::int64_t ns);

} // namespace varnel

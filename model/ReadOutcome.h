#pragma once
// How reading a gear data file went, and the message box the user sees for it.

#include "model/UserMessage.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace varnel {

struct ReadOutcome {
    enum class Status {
        Ok,
        CannotOpen, // missing: silent in the GUI; the command line says so
        Refused,    // there but unreadable (a FIFO, a folder, no permission): always said
        NotVarnel,
        Version3,
    };

    Status status = Status::Ok;
    // The file ended inside a record, or a count promised more than it held: what came before
    // was read, the rest is gone from this copy.
    bool truncated = false;
    std::size_t itemsRead = 0;
    // The file that was read, and for Refused why it could not be.
    std::filesystem::path file;
    std::string reason;
    // The settings file beside the document when it is there but could not be read; it is then
    // never written over (see writeDocumentFiles).
    std::filesystem::path settingsFile;
    std::string settingsReason;

    [[nodiscard]] bool ok() const { return status == Status::Ok; }

    [[nodiscard]] std::optional<UserMessage> message() const {
        switch (status) {
        case Status::NotVarnel:
            return UserMessage{"Not a Varnel data file", "GearData.dat", MessageIcon::Stop};
        case Status::Version3:
            return UserMessage{"Version 5 requires a GearData.dat file in version 4 or 5 format",
                               "Varnel", MessageIcon::Stop};
        case Status::Refused:
            return UserMessage{"Cannot read " + file.string() + ": " + reason + ".", "Varnel",
                               MessageIcon::Exclamation};
        case Status::Ok:
        case Status::CannotOpen:
            break;
        }
        return std::nullopt;
    }

    // Said once when a cut-short file is opened; `fileName` as the user knows it.
    [[nodiscard]] std::optional<UserMessage> truncationMessage(const std::string& fileName) const {
        if (!ok() || !truncated) {
            return std::nullopt;
        }
        return UserMessage{fileName + " ends in the middle of an item: only the first " +
                               std::to_string(itemsRead) +
                               " items could be read.\n\nVarnel will ask before it saves over "
                               "this file.",
                           "Varnel", MessageIcon::Exclamation};
    }

    [[nodiscard]] std::optional<UserMessage> settingsMessage() const {
        if (settingsReason.empty()) {
            return std::nullopt;
        }
        return UserMessage{unreadableSettingsText(settingsFile, settingsReason), "Varnel",
                           MessageIcon::Exclamation};
    }

    static std::string unreadableSettingsText(const std::filesystem::path& settings,
                                              const std::string& why) {
        return "Cannot read the settings file " + settings.string() + ": " + why +
               ". It is left as it is, and the settings will not be saved into it.";
    }
};

} // namespace varnel

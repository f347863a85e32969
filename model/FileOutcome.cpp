#include "model/FileOutcome.h"

namespace varnel {

FileOutcome FileOutcome::written(Task task, const std::filesystem::path& file,
                                 std::error_code error) {
    FileOutcome outcome;
    outcome.task = task;
    outcome.file = file;
    if (error) {
        outcome.status = Status::Failed;
        outcome.error = error;
        outcome.reason = error.message();
    }
    return outcome;
}

std::optional<UserMessage> FileOutcome::message() const {
    switch (status) {
    case Status::Ok:
        return std::nullopt;
    case Status::CannotOpen:
        // A list that is not there yet starts empty; a file chosen to import must be there.
        if (task != Task::Import) {
            return std::nullopt;
        }
        [[fallthrough]];
    case Status::Refused:
        return cannotReadMessage(file.string(), reason,
                                 task == Task::Import ? "Import LighterPack CSV" : "Varnel");
    case Status::NotVarnel:
        return notVarnelMessage();
    case Status::Version3:
        return version3Message();
    case Status::Failed:
        break;
    }
    switch (task) {
    case Task::Export:
        return unableToOpenMessage(file.string());
    case Task::Handheld:
        return handheldNotCreatedMessage();
    case Task::Read:
    case Task::Import:
    case Task::Save:
        break;
    }
    return writeErrorMessage(reason);
}

std::optional<UserMessage> FileOutcome::truncationMessage(const std::string& fileName) const {
    if (!ok() || !truncated) {
        return std::nullopt;
    }
    return UserMessage{fileName + " ends in the middle of an item: only the first " +
                           std::to_string(itemsRead) +
                           " items could be read.\n\nVarnel will ask before it saves over "
                           "this file.",
                       "Varnel", MessageIcon::Exclamation};
}

std::optional<UserMessage> FileOutcome::settingsMessage() const {
    if (settingsReason.empty()) {
        return std::nullopt;
    }
    return unreadableSettingsMessage(settingsFile, settingsReason);
}

UserMessage notVarnelMessage() {
    return {"Not a Varnel data file", "GearData.dat", MessageIcon::Stop};
}

UserMessage version3Message() {
    return {"Version 5 requires a GearData.dat file in version 4 or 5 format", "Varnel",
            MessageIcon::Stop};
}

UserMessage cannotReadMessage(const std::string& fileName, const std::string& why,
                              const std::string& caption) {
    return {"Cannot read " + fileName + ": " + why + ".", caption, MessageIcon::Exclamation};
}

UserMessage unreadableSettingsMessage(const std::filesystem::path& settings,
                                      const std::string& why) {
    return {"Cannot read the settings file " + settings.string() + ": " + why +
                ". It is left as it is, and the settings will not be saved into it.",
            "Varnel", MessageIcon::Exclamation};
}

UserMessage writeErrorMessage(const std::string& text) {
    return {text, "Error", MessageIcon::Exclamation};
}

UserMessage unableToOpenMessage(const std::string& fileName) {
    return {fileName, "Unable to Open!", MessageIcon::Exclamation};
}

UserMessage handheldNotCreatedMessage() {
    return {"Error Creating PalmData.dat file", "Varnel", MessageIcon::Exclamation};
}

} // namespace varnel

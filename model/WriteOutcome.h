#pragma once
// How writing a file went: nothing, or the operating system's text for what failed.

#include "model/UserMessage.h"

#include <optional>
#include <string>

namespace varnel {

struct WriteOutcome {
    std::optional<std::string> error;
    // The main file was written; only a companion file (settings, the last-file entry) failed.
    bool partial = false;

    [[nodiscard]] bool ok() const { return !error; }

    [[nodiscard]] std::optional<UserMessage> message() const {
        if (!error) {
            return std::nullopt;
        }
        return UserMessage{*error, "Error", MessageIcon::Exclamation};
    }
};

} // namespace varnel

#pragma once
// How reading a gear data file went, and the message box the user sees for it.

#include "model/UserMessage.h"

#include <optional>

namespace varnel {

struct ReadOutcome {
    enum class Status {
        Ok,
        CannotOpen, // silent in the GUI; the command line says so
        NotVarnel,
        Version3,
    };

    Status status = Status::Ok;

    [[nodiscard]] bool ok() const { return status == Status::Ok; }

    [[nodiscard]] std::optional<UserMessage> message() const {
        switch (status) {
        case Status::NotVarnel:
            return UserMessage{"Not a Varnel data file", "GearData.dat", MessageIcon::Stop};
        case Status::Version3:
            return UserMessage{"Version 5 requires a GearData.dat file in version 4 or 5 format",
                               "Varnel", MessageIcon::Stop};
        case Status::Ok:
        case Status::CannotOpen:
            break;
        }
        return std::nullopt;
    }
};

} // namespace varnel

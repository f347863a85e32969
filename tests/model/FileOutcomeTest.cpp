#include "model/FileOutcome.h"

#include <gtest/gtest.h>

#include <optional>

namespace varnel {
namespace {

using Status = FileOutcome::Status;
using Task = FileOutcome::Task;

TEST(FileOutcome, EachTaskTellsItsFailuresInItsOwnWay) {
    struct Case {
        Status status;
        Task task;
        std::optional<UserMessage> shown;
    };
    const auto excl = MessageIcon::Exclamation;
    const Case cases[] = {
        {Status::Ok, Task::Export, std::nullopt},
        {Status::CannotOpen, Task::Read, std::nullopt},
        {Status::CannotOpen, Task::Import,
         UserMessage{"Cannot read a.csv: gone.", "Import LighterPack CSV", excl}},
        {Status::Refused, Task::Read, UserMessage{"Cannot read a.csv: gone.", "Varnel", excl}},
        {Status::NotVarnel, Task::Read, notVarnelMessage()},
        {Status::Version3, Task::Read, version3Message()},
        {Status::Failed, Task::Save, UserMessage{"gone", "Error", excl}},
        {Status::Failed, Task::Export, UserMessage{"a.csv", "Unable to Open!", excl}},
        {Status::Failed, Task::Handheld, handheldNotCreatedMessage()},
    };
    for (const Case& c : cases) {
        FileOutcome outcome;
        outcome.status = c.status;
        outcome.task = c.task;
        outcome.file = "a.csv";
        outcome.reason = "gone";
        EXPECT_EQ(outcome.message(), c.shown)
            << static_cast<int>(c.status) << ' ' << static_cast<int>(c.task);
    }
    EXPECT_EQ(handheldNotCreatedMessage(),
              (UserMessage{"Error Creating PalmData.dat file", "Varnel", excl}));
}

} // namespace
} // namespace varnel

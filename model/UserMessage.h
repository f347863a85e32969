#pragma once
// A message for the user, as a value: the GUI shows it in a box, the command line prints it.

#include <string>

namespace varnel {

// None: a box without an icon (the plain questions of the document commands).
enum class MessageIcon { Information, Exclamation, Stop, Question, None };

struct UserMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Information;

    bool operator==(const UserMessage&) const = default;
};

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// A message that needs an answer; its text is UTF-8, file names as they are on disk.
struct UserQuestion {
    UserMessage message;
    PromptButtons buttons = PromptButtons::Ok;

    bool operator==(const UserQuestion&) const = default;
};

} // namespace varnel

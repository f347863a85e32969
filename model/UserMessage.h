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

} // namespace varnel

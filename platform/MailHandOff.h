#pragma once
// Hands a file to the desktop's mail program as the attachment of a new message. What the mail
// program then does is its own: only whether it could be started at all is known.
//
// On Linux the program is `xdg-email --attach FILE`, or the program named by the environment
// variable MAILER, given the same arguments. On Windows it is simple MAPI's MAPISendDocuments.

#include <QString>

#include <cstdint>
#include <filesystem>

namespace varnel {

struct MailStart {
    bool started = false;
    QString program; // what was run, for telling the user when it could not be
};

// `owner` is the native handle of the window the mail program's message belongs to (Windows);
// `displayName` is the attachment's name as the message shows it (Windows; the mail program
// shows the file's own name elsewhere).
MailStart sendDocument(std::uintptr_t owner, const std::filesystem::path& file,
                       const QString& displayName);

// The program run on this desktop: MAILER when set, else xdg-email.
QString mailProgram();

} // namespace varnel

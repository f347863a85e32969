#include "platform/MailHandOff.h"

#include <QProcess>
#include <QStringList>

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace varnel {

QString mailProgram() {
#ifdef _WIN32
    return QStringLiteral("mapi32.dll");
#else
    const QString mailer = qEnvironmentVariable("MAILER");
    return mailer.isEmpty() ? QStringLiteral("xdg-email") : mailer;
#endif
}

#ifdef _WIN32

MailStart sendDocument(std::uintptr_t owner, const std::filesystem::path& file,
                       const QString& displayName) {
    using SendDocuments = ULONG(WINAPI*)(ULONG_PTR, LPSTR, LPSTR, LPSTR, ULONG);
    MailStart start{false, mailProgram()};
    HMODULE mapi = LoadLibraryA("mapi32.dll");
    if (mapi == nullptr) {
        return start;
    }
    auto send = reinterpret_cast<SendDocuments>(GetProcAddress(mapi, "MAPISendDocuments"));
    if (send != nullptr) {
        std::string separator = ";";
        std::string path = file.string();
        std::string name = displayName.toLocal8Bit().toStdString();
        (void)send(owner, separator.data(), path.data(), name.data(), 0);
        start.started = true;
    }
    FreeLibrary(mapi);
    return start;
}

#else

MailStart sendDocument(std::uintptr_t /*owner*/, const std::filesystem::path& file,
                       const QString& /*displayName*/) {
    MailStart start{false, mailProgram()};
    // Detached: the mail program lives on after the message is handed over, and its exit
    // status is not looked at.
    // A full path, which can never be taken for an option.
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(file, ec);
    start.started = QProcess::startDetached(
        start.program,
        {QStringLiteral("--attach"), QString::fromStdString((ec ? file : full).string())});
    return start;
}

#endif

} // namespace varnel

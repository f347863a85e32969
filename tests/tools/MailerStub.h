#pragma once
// A stand-in for the desktop's mail program: MAILER names a script that records the arguments
// it was started with, or a program that does not exist. The old MAILER comes back afterwards.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <thread>

namespace varnel::test {

class MailerStub {
public:
    enum Kind { Recording, Missing };

    explicit MailerStub(Kind kind = Recording)
        : hadMailer_(qEnvironmentVariableIsSet("MAILER")), oldMailer_(qgetenv("MAILER")) {
        const QString script = dir_.filePath(QStringLiteral("mailer"));
        args_ = script + QStringLiteral(".args");
        if (kind == Recording) {
            QFile f(script);
            if (f.open(QIODevice::WriteOnly)) {
                // Written whole, then renamed: the test may look while the script still runs.
                f.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" "
                        "\"$0.args\"\n");
                f.close();
                f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            }
            program_ = script;
        } else {
            program_ = dir_.filePath(QStringLiteral("no-such-mailer"));
        }
        qputenv("MAILER", program_.toLocal8Bit());
    }

    MailerStub(const MailerStub&) = delete;
    MailerStub& operator=(const MailerStub&) = delete;

    ~MailerStub() {
        if (hadMailer_) {
            qputenv("MAILER", oldMailer_);
        } else {
            qunsetenv("MAILER");
        }
    }

    [[nodiscard]] QString program() const { return program_; }

    // The mail program runs detached: its record may come a moment later.
    [[nodiscard]] bool waitForCall(int milliseconds = 10000) const {
        for (int waited = 0; waited < milliseconds; waited += 20) {
            if (QFile::exists(args_)) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return QFile::exists(args_);
    }

    [[nodiscard]] QStringList arguments() const {
        QFile f(args_);
        if (!f.open(QIODevice::ReadOnly)) {
            return {};
        }
        QString text = QString::fromLocal8Bit(f.readAll());
        text.chop(1); // the last line's end
        return text.split(QLatin1Char('\n'));
    }

    // Forgets the calls so far.
    void forget() const { QFile::remove(args_); }

private:
    QTemporaryDir dir_;
    QString program_;
    QString args_;
    bool hadMailer_;
    QByteArray oldMailer_;
};

} // namespace varnel::test

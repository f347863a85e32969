#include "platform/MailHandOff.h"

#include "MailerStub.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace varnel {
namespace {

using test::MailerStub;

TEST(MailHandOff, StartsTheMailerWithTheFileAsAttachment) {
    MailerStub mailer;
    EXPECT_EQ(mailProgram(), mailer.program());
    const MailStart start = sendDocument(0, "/trips/sierra list.txt", QStringLiteral("x"));
    EXPECT_TRUE(start.started);
    EXPECT_EQ(start.program, mailer.program());
    ASSERT_TRUE(mailer.waitForCall());
    EXPECT_EQ(mailer.arguments(),
              QStringList({QStringLiteral("--attach"), QStringLiteral("/trips/sierra list.txt")}));
}

TEST(MailHandOff, ARelativeNameIsHandedOverAsAFullPath) {
    // A name starting with "-" would otherwise be read as an option.
    MailerStub mailer;
    ASSERT_TRUE(sendDocument(0, "-trip.txt", QString()).started);
    ASSERT_TRUE(mailer.waitForCall());
    const QStringList args = mailer.arguments();
    ASSERT_EQ(args.size(), 2);
    EXPECT_EQ(args[1].toStdString(), (std::filesystem::current_path() / "-trip.txt").string());
}

TEST(MailHandOff, AMissingMailProgramIsReported) {
    MailerStub mailer(MailerStub::Missing);
    const MailStart start = sendDocument(0, "/trips/a.txt", QString());
    EXPECT_FALSE(start.started);
    EXPECT_EQ(start.program, mailer.program());
}

TEST(MailHandOff, WithoutMailerTheDesktopsMailProgramIsUsed) {
    const QByteArray old = qgetenv("MAILER");
    const bool had = qEnvironmentVariableIsSet("MAILER");
    qunsetenv("MAILER");
    EXPECT_EQ(mailProgram(), QStringLiteral("xdg-email"));
    qputenv("MAILER", "");
    EXPECT_EQ(mailProgram(), QStringLiteral("xdg-email"));
    if (had) {
        qputenv("MAILER", old);
    } else {
        qunsetenv("MAILER");
    }
}

} // namespace
} // namespace varnel

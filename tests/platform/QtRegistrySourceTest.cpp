#include "platform/QtRegistrySource.h"
#include "platform/NamedSemaphore.h"

#include "Fifo.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(QtRegistrySource, MissingKeyIsNotCreatedAndWrittenValuesReadBack) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QtRegistrySource source(QtRegistrySource::Hive::CurrentUser, root.path());
    EXPECT_EQ(source.open("Software\\Ostrand\\Varnel\\HotSync"), nullptr);
    EXPECT_EQ(source.open("Software\\Ostrand\\Varnel\\HotSync"), nullptr)
        << "opening creates nothing";

    ASSERT_TRUE(source.writeString("Software\\Ostrand\\Varnel\\HotSync", "Path", "/home/me/Palm"));
    const auto key = source.open("Software\\Ostrand\\Varnel\\HotSync");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->string("Path"), "/home/me/Palm");
    EXPECT_EQ(key->string("Other"), std::nullopt);
}

TEST(QtRegistrySource, ReadsNumbersAndBlocksOfTheSettingsKey) {
    QTemporaryDir root;
    {
        QSettings s(root.path() + "/Ostrand/Varnel.conf", QSettings::IniFormat);
        s.setValue("Oz", 1);
        s.setValue("Coords", QByteArray("\x01\x02\x03", 3));
        s.setValue("TextFile", "C:/trip.txt");
    }
    const QtRegistrySource source(QtRegistrySource::Hive::LocalMachine, root.path());
    const auto key = source.open("Software\\Ostrand\\Varnel");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->dword("Oz"), 1U);
    EXPECT_EQ(key->dword("Missing"), std::nullopt);
    EXPECT_EQ(key->binary("Coords"), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(key->string("TextFile"), "C:/trip.txt");
}

TEST(QtRegistrySource, AFifoInPlaceOfTheKeyIsAMissingKeyAndNeverBlocks) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("Ostrand")));
    const std::filesystem::path fifo = (root.path() + "/Ostrand/Varnel.conf").toStdString();
    test::makeFifo(fifo);
    const QtRegistrySource source(QtRegistrySource::Hive::LocalMachine, root.path());
    std::unique_ptr<RegistryKey> key;
    EXPECT_TRUE(test::returnsWithoutBlocking(
        {fifo}, [&] { key = source.open("Software\\Ostrand\\Varnel"); }));
    EXPECT_FALSE(key);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));

    // The same in the user's own configuration folder, where the native settings live.
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", root.path().toUtf8());
    QtRegistrySource user(QtRegistrySource::Hive::CurrentUser);
    EXPECT_TRUE(test::returnsWithoutBlocking(
        {fifo}, [&] { key = user.open("Software\\Ostrand\\Varnel"); }));
    EXPECT_FALSE(key);
    EXPECT_FALSE(user.writeString("Software\\Ostrand\\Varnel", "X", "y"));
    if (saved.isNull()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", saved);
    }
}

TEST(NamedSemaphore, IsNotReentrantButNeverDeadlocksOnOneThread) {
    NamedSemaphore semaphore(QStringLiteral("VarnelTestSemaphore"));
    {
        NamedSemaphore::Guard outer(semaphore);
        NamedSemaphore::Guard inner(semaphore); // would hang on a plain count-1 semaphore
    }
    NamedSemaphore::Guard again(semaphore);
    SUCCEED();
}

} // namespace
} // namespace varnel

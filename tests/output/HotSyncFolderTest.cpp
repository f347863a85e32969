#include "output/HotSyncFolder.h"
#include "../model/SettingsTempFolder.h"
#include "model/MemoryRegistryKey.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

namespace fs = std::filesystem;

const UserMessage kInvalid{
    "Possibly invalid path.\nPlease make sure path is correct and that specified folder exists",
    "Varnel", MessageIcon::Stop};

TEST(HotSyncFolder, FileInTheFolderWithTheNativeSeparator) {
    EXPECT_EQ(hotSyncFilePath("/home/a/Palm"), fs::path("/home/a/Palm") / "PalmData.dat");
    EXPECT_EQ(hotSyncFilePath("/home/a/Palm").string(), "/home/a/Palm/PalmData.dat");
    EXPECT_EQ(hotSyncFilePath("/home/a/Palm/").string(), "/home/a/Palm/PalmData.dat");
}

TEST(HotSyncFolder, LookUpFromTheRegistry) {
    EXPECT_EQ(lookUpHotSyncFile(nullptr).result, HotSyncLookup::Result::AskFolder);
    EXPECT_FALSE(lookUpHotSyncFile(nullptr).message);

    MemoryRegistryKey key;
    const HotSyncLookup none = lookUpHotSyncFile(&key);
    EXPECT_EQ(none.result, HotSyncLookup::Result::NoPath);
    EXPECT_EQ(none.message, (UserMessage{"Could not locate Palm Desktop folder path", "Varnel",
                                         MessageIcon::Stop}));
    EXPECT_TRUE(none.file.empty());

    key.set("Path", std::uint32_t{7});
    EXPECT_EQ(lookUpHotSyncFile(&key).result, HotSyncLookup::Result::NoPath) << "not a string";
    key.set("Path", std::string());
    EXPECT_EQ(lookUpHotSyncFile(&key).result, HotSyncLookup::Result::NoPath);

    key.set("path", std::string("/media/palm/User\0", 17));
    const HotSyncLookup found = lookUpHotSyncFile(&key);
    EXPECT_EQ(found.result, HotSyncLookup::Result::Found);
    EXPECT_EQ(found.file, fs::path("/media/palm/User/PalmData.dat"));
    EXPECT_FALSE(found.message);
}

TEST(HotSyncFolder, ATypedFolderIsTriedWithoutLeavingOrEmptyingAFile) {
    test::SettingsTempFolder dir;
    const HotSyncFolderCheck fresh = checkHotSyncFolder(dir.path());
    ASSERT_TRUE(fresh.usable());
    EXPECT_EQ(fresh.file, dir / "PalmData.dat");
    EXPECT_FALSE(fs::exists(fresh.file)) << "made only for the try";

    test::writeBytes(dir / "PalmData.dat", "synced from the handheld");
    ASSERT_TRUE(checkHotSyncFolder(dir.path()).usable());
    EXPECT_EQ(test::readBytes(dir / "PalmData.dat"), "synced from the handheld");
}

TEST(HotSyncFolder, AFolderThatIsNotThereIsRefused) {
    test::SettingsTempFolder dir;
    const HotSyncFolderCheck missing = checkHotSyncFolder(dir / "no/such/folder");
    EXPECT_FALSE(missing.usable());
    EXPECT_EQ(missing.message, kInvalid);
    EXPECT_TRUE(missing.file.empty());
    EXPECT_FALSE(fs::exists(dir / "no"));
    EXPECT_EQ(checkHotSyncFolder("").message, kInvalid);
}

} // namespace
} // namespace varnel

#include "model/FileLocations.h"
#include "SettingsTempFolder.h"
#include "model/AppSettings.h"
#include "model/MemoryRegistry.h"
#include "model/StartupFiles.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

namespace fs = std::filesystem;
using test::SettingsTempFolder;
using test::writeBytes;

TEST(FileLocations, FilesInTheCurrentFolderStayThereElseTheDesktopsFoldersAreUsed) {
    const struct {
        const char* name;
        const char* inCurrent; // a file already there, or ""
        const char* home;
        const char* configHome;
        const char* documents;
        const char* settingsFolder; // relative to the root; "." is the current folder
        const char* documentFolder;
    } cases[] = {
        {"an empty home", "", "home", "", "", "home/.config/varnel", "home/Documents/Varnel"},
        {"XDG folders", "", "home", "xdg", "docs", "xdg/varnel", "docs/Varnel"},
        {"a relative XDG folder is ignored", "", "home", "rel", "", "home/.config/varnel",
         "home/Documents/Varnel"},
        {"the settings file there", "Varnel.ini", "home", "", "", ".", "home/Documents/Varnel"},
        {"the list there", "GearData.dat", "home", "", "", "home/.config/varnel", "."},
        {"the list's settings there", "GearData.ini", "home", "xdg", "docs", "xdg/varnel", "."},
        {"no home", "", "", "", "", ".", "."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsTempFolder root;
        const fs::path current = root / "cwd";
        fs::create_directory(current);
        if (*c.inCurrent != '\0') {
            writeBytes(current / c.inCurrent, "");
        }
        const auto under = [&root](const char* p) {
            return *p == '\0' ? fs::path() : std::string(p) == "rel" ? fs::path(p) : root / p;
        };
        const FileLocations files =
            locateFiles({current, under(c.home), under(c.configHome), under(c.documents)});
        const auto expected = [&](const char* p) {
            return std::string(p) == "." ? current : root / p;
        };
        EXPECT_EQ(files.currentFolder, current);
        EXPECT_EQ(files.settingsFolder, expected(c.settingsFolder));
        EXPECT_EQ(files.documentFolder, expected(c.documentFolder));
        EXPECT_EQ(files.makeSettingsFolder, files.settingsFolder != current);
        EXPECT_EQ(files.makeDocumentFolder, files.documentFolder != current);
        EXPECT_TRUE(fs::is_empty(root / "cwd") || *c.inCurrent != '\0') << "nothing is written";
        EXPECT_FALSE(fs::exists(root / "home")) << "nothing is made before a write";
    }
}

TEST(FileLocations, OurFoldersAreMadeAtTheFirstWriteAndNoOtherFolderIs) {
    SettingsTempFolder root;
    const FileLocations files = locateFiles({root.path(), root.path(), {}, {}});
    MemoryRegistry registry;
    // The colours of a new list are its first write.
    const StartupFiles startup = chooseStartupFiles(files, registry);
    EXPECT_FALSE(startup.error);
    EXPECT_EQ(startup.documentFile, root / "Documents/Varnel/GearData.dat");
    EXPECT_TRUE(fs::exists(root / "Documents/Varnel/GearData.ini"));

    AppSettings app(files);
    app.setLastFile((root / "gone/trip.dat").string());
    ASSERT_FALSE(app.save());
    EXPECT_EQ(fs::status(root / ".config/varnel").permissions(), fs::perms::owner_all);
    // A folder of the user's that is gone is not made up: the colours are not written there.
    const StartupFiles gone = chooseStartupFiles(files, registry);
    EXPECT_EQ(gone.documentFile, root / "gone/trip.dat");
    EXPECT_TRUE(gone.error);
    EXPECT_FALSE(fs::exists(root / "gone"));
    EXPECT_FALSE(files.makeFolderFor(root / "Documents/Varnel/sub/trip.dat"));
    EXPECT_FALSE(fs::exists(root / "Documents/Varnel/sub"));
}

} // namespace
} // namespace varnel

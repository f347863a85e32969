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

TEST(FileLocations, FilesInTheCurrentFolderStayThereElseTheDesktopsFoldersAreUsed) {
    // Folders relative to the test's root; "." is the current folder, "rel" stays relative.
    const struct {
        const char *inCurrent, *home, *configHome, *documents, *settings, *list;
    } cases[] = {
        {"", "home", "", "", "home/.config/varnel", "home/Documents/Varnel"},
        {"", "home", "xdg", "docs", "xdg/varnel", "docs/Varnel"},
        {"", "home", "rel", "", "home/.config/varnel", "home/Documents/Varnel"},
        {"Varnel.ini", "home", "", "", ".", "home/Documents/Varnel"},
        {"GearData.dat", "home", "xdg", "", "xdg/varnel", "."},
        {"GearData.ini", "home", "", "docs", "home/.config/varnel", "."},
        {"", "", "", "", ".", "."},
    };
    for (const auto& c : cases) {
        SettingsTempFolder root;
        const auto at = [&root](std::string_view p) {
            return p.empty() || p == "rel" ? fs::path(p) : p == "." ? root.path() : root / p;
        };
        if (*c.inCurrent != '\0') {
            test::writeBytes(root / c.inCurrent, "");
        }
        const FileLocations files =
            locateFiles({root.path(), at(c.home), at(c.configHome), at(c.documents)});
        SCOPED_TRACE(std::string(c.inCurrent) + " " + c.configHome + " " + c.documents);
        EXPECT_EQ(files.settingsFolder, at(c.settings));
        EXPECT_EQ(files.documentFolder, at(c.list));
        EXPECT_EQ(files.makeSettingsFolder, files.settingsFolder != root.path());
        EXPECT_EQ(files.makeDocumentFolder, files.documentFolder != root.path());
        EXPECT_FALSE(fs::exists(root / "home")) << "nothing is made before a write";
    }
}

TEST(FileLocations, OurFoldersAreMadeAtTheFirstWriteAndNoOtherFolderIs) {
    SettingsTempFolder root;
    const FileLocations files = locateFiles({root.path(), root.path(), {}, {}});
    MemoryRegistry registry;
    // The colours of a new list are its first write.
    EXPECT_FALSE(chooseStartupFiles(files, registry).error);
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

// A hiker starts Varnel from the menu, in the home folder, as a desktop does.
#include "DialogDriving.h"
#include "MainWindowDriving.h"
#include "app/CommandIds.h"
#include "app/TPubInfo.h"

#include <set>

namespace varnel {
namespace {

namespace fs = std::filesystem;

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

class WhereFilesLive : public test::DrivenMainWindow {};

TEST_F(WhereFilesLive, AStartInAnEmptyHomeLeavesNoLooseFilesThere) {
    files_ = locateFiles({folder_, folder_, {}, {}});
    // Two runs that each add an item and exit, so that the second save keeps a backup.
    for (int run = 0; run < 2; ++run) {
        start([](QDialog& d) {
            if (qobject_cast<TPubInfo*>(&d) == nullptr) {
                return int(QDialog::Accepted); // the one-time weight unit question
            }
            test::setText(d, TPubInfo::kItemId, QStringLiteral("Tent"));
            test::setText(d, TPubInfo::kWeightId, QStringLiteral("26.5"));
            d.accept();
            return d.result();
        });
        showWindow();
        clickButton(ctl::Add);
        ASSERT_EQ(doc().rowCount(), run + 1);
        ASSERT_TRUE(frame_->close());
        frame_.reset();
        EXPECT_EQ(namesIn(folder_), (std::set<std::string>{".config", "Documents"}));
    }
    EXPECT_EQ(namesIn(folder_ / "Documents/Varnel"),
              (std::set<std::string>{"GearData.dat", "GearData.dat.bak", "GearData.ini"}));
    EXPECT_EQ(namesIn(folder_ / ".config/varnel"), std::set<std::string>{"Varnel.ini"});
}

TEST_F(WhereFilesLive, AListNamedAtStartIsTheOnlyOneReadAndNoDefaultListIsMade) {
    files_ = locateFiles({folder_, folder_, {}, {}});
    const fs::path trip = folder_ / "trip.dat";
    fs::copy_file(fs::path(VARNEL_SOURCE_DIR) / "resources/sample/GearData.dat", trip);
    named_ = trip;
    start();
    EXPECT_EQ(client().documentName(), trip);
    EXPECT_GT(doc().rowCount(), 0);
    EXPECT_TRUE(dialogsShown_.empty()); // no weight unit question for a list never opened
    EXPECT_FALSE(fs::exists(folder_ / "Documents"));
}

} // namespace
} // namespace varnel

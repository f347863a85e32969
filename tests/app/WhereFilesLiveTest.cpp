// A hiker starts Varnel from the menu, in the home folder, as a desktop does.
#include "DialogDriving.h"
#include "MainWindowDriving.h"
#include "app/CommandIds.h"
#include "app/TPubInfo.h"

#include <fstream>
#include <set>

namespace varnel {
namespace {

namespace fs = std::filesystem;

class WhereFilesLive : public test::DrivenMainWindow {
protected:
    std::set<std::string> namesIn(const fs::path& folder) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }
};

TEST_F(WhereFilesLive, AStartInAnEmptyHomeLeavesNoLooseFilesThere) {
    files_ = locateFiles({folder_, folder_, {}, {}});
    // Two runs that each add an item and exit, so that the second save keeps a backup.
    for (int run = 0; run < 2; ++run) {
        start([](QDialog& d) {
            if (qobject_cast<TPubInfo*>(&d) == nullptr) {
                return int(QDialog::Accepted); // the one-time weight unit question
            }
            test::setText(d, "102", QStringLiteral("Tent"));
            test::setText(d, "103", QStringLiteral("26.5"));
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
    const fs::path list = folder_ / "Documents/Varnel";
    EXPECT_EQ(namesIn(list),
              (std::set<std::string>{"GearData.dat", "GearData.dat.bak", "GearData.ini"}));
    EXPECT_EQ(namesIn(folder_ / ".config/varnel"), std::set<std::string>{"Varnel.ini"});
}

TEST_F(WhereFilesLive, AFolderHoldingTheListAndTheSettingsKeepsThem) {
    copySample();
    std::ofstream(folder_ / "Varnel.ini") << "[MRU]\nFile1=/trips/summer.dat\n";
    files_ = locateFiles({folder_, folder_, {}, {}});
    start();
    EXPECT_EQ(client().documentName(), folder_ / "GearData.dat");
    EXPECT_GT(doc().rowCount(), 0);
    EXPECT_EQ(client().appSettings().recentFiles(), std::vector<std::string>{"/trips/summer.dat"});
    ASSERT_TRUE(frame_->close());
    EXPECT_FALSE(fs::exists(folder_ / ".config"));
    EXPECT_FALSE(fs::exists(folder_ / "Documents"));
    EXPECT_NE(readFile(folder_ / "Varnel.ini").find("FILE=" + (folder_ / "GearData.dat").string()),
              std::string::npos);
}

} // namespace
} // namespace varnel

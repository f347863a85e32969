#include "model/AtomicFile.h"

#include "FileSizeLimit.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/resource.h>
#include <unistd.h>

namespace varnel {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("varnel-atomic-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::string contents(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void put(const fs::path& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    // Only the files the test made itself: no temporary is left behind.
    [[nodiscard]] std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }

    fs::path dir_;
};

TEST_F(AtomicFile, ReplacesContentsAndKeepsPermissions) {
    const fs::path file = dir_ / "GearData.dat";
    EXPECT_FALSE(writeFileAtomically(file, "first"));
    EXPECT_EQ(contents(file), "first");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    EXPECT_FALSE(writeFileAtomically(file, std::string(100000, 'x')));
    EXPECT_EQ(contents(file), std::string(100000, 'x'));
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(), 1U);
}

TEST_F(AtomicFile, SymlinkedTargetIsReplacedNotTheLink) {
    fs::create_directories(dir_ / "real");
    const fs::path target = dir_ / "real" / "GearData.dat";
    const fs::path link = dir_ / "link.dat";
    put(target, "old");
    fs::create_symlink(fs::path("real") / "GearData.dat", link);

    EXPECT_FALSE(writeFileAtomically(link, "new"));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(contents(target), "new");
}

TEST_F(AtomicFile, FailedWriteLeavesThePreviousFile) {
    const fs::path file = dir_ / "GearData.dat";
    put(file, "previous");

    // The file-size limit makes the write itself fail part way, whoever runs the test.
    const auto error = test::underFileSizeLimit(
        4096, [&] { return writeFileAtomically(file, std::string(100000, 'n')); });

    ASSERT_TRUE(error);
    EXPECT_EQ(*error, std::system_category().message(EFBIG));
    EXPECT_EQ(contents(file), "previous");
    EXPECT_EQ(entries(), 1U);

    const auto missingDir = writeFileAtomically(dir_ / "none" / "x.dat", "x");
    ASSERT_TRUE(missingDir);
    EXPECT_EQ(*missingDir, std::system_category().message(ENOENT));
}

} // namespace
} // namespace varnel

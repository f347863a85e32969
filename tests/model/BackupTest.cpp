// Every save keeps the version it replaces; no failure, real or raised, loses either file.

#include "model/AppSettings.h"
#include "model/AtomicFile.h"
#include "model/DocumentFiles.h"
#include "model/FileStamp.h"
#include "model/GearDataWriter.h"

#include "FileSizeLimit.h"
#include "SampleGearList.h"
#include "SettingsTempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace varnel {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

class Backup : public ::testing::Test {
protected:
    fs::path file() const { return dir_ / "GearData.dat"; }
    fs::path backup() const { return dir_ / "GearData.dat.bak"; }

    // The file and its backup hold `data` and `bak`, and nothing else is in the folder.
    void expectUntouched(const std::string& data, const std::string& bak) const {
        EXPECT_EQ(readBytes(file()), data);
        EXPECT_EQ(readBytes(backup()), bak);
        EXPECT_EQ(entries(), 2U) << "a temporary was left behind";
    }
    [[nodiscard]] std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()));
    }
    // A file and a backup from two earlier saves.
    void twoSaves() {
        ASSERT_TRUE(replaceFileKeepingBackup(file(), "first").ok());
        ASSERT_TRUE(replaceFileKeepingBackup(file(), "second").ok());
        ASSERT_EQ(readBytes(backup()), "first");
    }

    test::SettingsTempFolder dir_;
};

TEST_F(Backup, EachSaveKeepsTheVersionBeforeIt) {
    ASSERT_TRUE(replaceFileKeepingBackup(file(), "first").ok());
    EXPECT_FALSE(fs::exists(backup())) << "nothing was replaced, so nothing is kept";
    fs::permissions(file(), fs::perms::owner_read | fs::perms::owner_write);

    ASSERT_TRUE(replaceFileKeepingBackup(file(), "second").ok());
    EXPECT_EQ(readBytes(file()), "second");
    EXPECT_EQ(readBytes(backup()), "first");
    EXPECT_EQ(fs::status(backup()).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    // One generation: the next save moves the backup on.
    ASSERT_TRUE(replaceFileKeepingBackup(file(), "third").ok());
    expectUntouched("third", "second");

    // Saving what is already there (Save, then the save at exit) keeps the older version.
    ASSERT_TRUE(replaceFileKeepingBackup(file(), "third").ok());
    expectUntouched("third", "second");
    // Same length, other bytes: a change all the same.
    ASSERT_TRUE(replaceFileKeepingBackup(file(), "thirD").ok());
    expectUntouched("thirD", "third");
}

TEST_F(Backup, ALinkedFileIsBackedUpBesideItsTarget) {
    fs::create_directories(dir_ / "real");
    writeBytes(dir_ / "real" / "GearData.dat", "old");
    fs::create_symlink(fs::path("real") / "GearData.dat", file());

    ASSERT_TRUE(replaceFileKeepingBackup(file(), "new").ok());
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(file())));
    EXPECT_EQ(readBytes(dir_ / "real" / "GearData.dat"), "new");
    EXPECT_EQ(readBytes(dir_ / "real" / "GearData.dat.bak"), "old");
}

TEST_F(Backup, AFailureAtAnyStepBeforeTheReplaceChangesNothing) {
    twoSaves();
    const std::string big(200000, 'n');
    struct Case {
        const char* step;
        ReplaceFaults faults;
        int error;
    };
    const Case cases[] = {
        {"writing the new contents", {.writeTemporary = EIO}, EIO},
        {"keeping the old ones, link and copy alike",
         {.linkPrevious = EPERM, .copyPrevious = ENOSPC},
         ENOSPC},
        {"the replace itself", {.replace = EXDEV}, EXDEV},
        {"the replace, after a copy", {.linkPrevious = EMLINK, .replace = EACCES}, EACCES},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        const FileOutcome outcome = replaceFileKeepingBackup(file(), big, c.faults);
        EXPECT_EQ(outcome.error, std::error_code(c.error, std::system_category()));
        EXPECT_FALSE(outcome.replaced);
        expectUntouched("second", "first");
    }
}

TEST_F(Backup, WithoutHardLinksThePreviousVersionIsCopied) {
    twoSaves();
    fs::permissions(file(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const std::string big(300000, 'c');
    ASSERT_TRUE(replaceFileKeepingBackup(file(), big, {.linkPrevious = EPERM}).ok());
    ASSERT_TRUE(replaceFileKeepingBackup(file(), "fourth", {.linkPrevious = EPERM}).ok());
    EXPECT_EQ(readBytes(backup()), big);
    EXPECT_EQ(fs::status(backup()).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    expectUntouched("fourth", big);
}

TEST_F(Backup, ABackupThatCannotTakeItsNameAfterTheSaveIsStillFoundAndSaid) {
    twoSaves();
    const FileOutcome outcome = replaceFileKeepingBackup(file(), "third", {.storeBackup = EROFS});
    EXPECT_TRUE(outcome.replaced);
    EXPECT_EQ(readBytes(file()), "third");
    EXPECT_EQ(readBytes(backup()), "first") << "the older backup stays as it was";
    ASSERT_FALSE(outcome.keptAt.empty());
    EXPECT_EQ(readBytes(outcome.keptAt), "second") << "and the version before is not lost";
    EXPECT_EQ(outcome.reason, backup().string() + ": " + std::system_category().message(EROFS) +
                                  ". The previous version is in " + outcome.keptAt.string());
}

TEST_F(Backup, AFolderOrFifoWhereTheBackupGoesStopsTheSaveFirst) {
    ASSERT_TRUE(replaceFileKeepingBackup(file(), "first").ok());
    fs::create_directory(backup());
    FileOutcome outcome = replaceFileKeepingBackup(file(), "second");
    EXPECT_FALSE(outcome.replaced);
    EXPECT_EQ(outcome.reason, backup().string() + ": " + std::system_category().message(EISDIR));
    EXPECT_EQ(readBytes(file()), "first");
    EXPECT_TRUE(fs::is_directory(backup()));

    fs::remove(backup());
    ASSERT_EQ(::mkfifo(backup().c_str(), 0600), 0);
    outcome = replaceFileKeepingBackup(file(), "second");
    EXPECT_EQ(outcome.reason, backup().string() + ": Not a regular file");
    EXPECT_EQ(readBytes(file()), "first");
    EXPECT_TRUE(fs::is_fifo(backup()));
    EXPECT_EQ(entries(), 2U);
}

TEST_F(Backup, AFileSizeLimitStopsTheWriteAndNothingChanges) {
    twoSaves();
    const FileOutcome outcome = test::underFileSizeLimit(
        4096, [&] { return replaceFileKeepingBackup(file(), std::string(100000, 'n')); });

    EXPECT_EQ(outcome.error, std::error_code(EFBIG, std::system_category()));
    expectUntouched("second", "first");
}

// Runs `work` in a child process and returns its exit status (-1 when it did not exit).
template <typename Work> int inChild(Work work) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(work());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

constexpr int kSkipped = 77;

// As the shell's `>` would: a read-only list is refused, a writable one in a read-only folder is
// written in place with its backup. Run as nobody when the tests run as the superuser.
TEST_F(Backup, PermissionsDecideAsTheShellWould) {
    const auto rx = fs::perms::owner_read | fs::perms::owner_exec;
    const auto rw = fs::perms::owner_read | fs::perms::owner_write;
    const struct Case {
        const char* what;
        fs::perms folder, list;
        bool backupThere;
        int fault, error;
        const char *data, *bak;
    } cases[] = {
        {"read-only folder", rx, rw, true, 0, 0, "third", "second"},
        {"read-only folder, no backup to write into", rx, rw, false, 0, EACCES, "second", ""},
        {"read-only folder, a write failing part way", rx, rw, true, EIO, EIO, "second", "first"},
        {"read-only list", fs::perms::owner_all, fs::perms::owner_read, true, 0, EACCES, "second",
         "first"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::permissions(dir_.path(), fs::perms::owner_all);
        fs::remove(file());
        fs::remove(backup());
        twoSaves();
        if (!c.backupThere) {
            fs::remove(backup());
        }
        fs::permissions(file(), c.list);
        fs::permissions(dir_.path(), c.folder);
        struct stat before {};
        ::stat(file().c_str(), &before);
        const int status = inChild([&] {
            // The superuser writes anywhere: the save runs as the files' owner, nobody.
            const auto give = [](const fs::path& p) { return ::chown(p.c_str(), 65534, 65534); };
            if (::geteuid() == 0 && (give(dir_.path()) != 0 || give(file()) != 0 ||
                                     (c.backupThere && give(backup()) != 0) ||
                                     ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                return kSkipped;
            }
            const FileOutcome outcome =
                replaceFileKeepingBackup(file(), "third", {.replace = c.fault});
            return outcome.error.value() == c.error && outcome.replaced == (c.error == 0) ? 0 : 1;
        });
        fs::permissions(dir_.path(), fs::perms::owner_all);
        if (status == kSkipped) {
            GTEST_SKIP() << "cannot give up the superuser's rights here";
        }
        EXPECT_EQ(status, 0) << "not the outcome wanted";
        EXPECT_EQ(readBytes(file()), c.data);
        EXPECT_EQ(fs::exists(backup()) ? readBytes(backup()) : "", c.bak);
        EXPECT_EQ(entries(), c.backupThere ? 2U : 1U) << "a temporary was left behind";
        struct stat after {};
        ::stat(file().c_str(), &after);
        EXPECT_EQ(after.st_ino, before.st_ino) << "written in place or not at all";
        EXPECT_EQ(fs::status(file()).permissions(), c.list);
    }
}

TEST_F(Backup, AFullDiskStopsTheWriteAndNothingChanges) {
    // A small file system of its own, mounted where only this child sees it.
    const fs::path mountPoint = dir_ / "small";
    fs::create_directory(mountPoint);
    const int status = inChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0) {
            return kSkipped;
        }
        const fs::path data = mountPoint / "GearData.dat";
        if (!replaceFileKeepingBackup(data, std::string(8000, 'a')).ok() ||
            !replaceFileKeepingBackup(data, std::string(8000, 'b')).ok()) {
            return 2;
        }
        // Fill what is left; the hard link then costs nothing, the new contents cannot fit.
        writeBytes(mountPoint / "filler", std::string(60000, 'f'));
        const FileOutcome outcome = replaceFileKeepingBackup(data, std::string(30000, 'c'));
        if (outcome.error != std::error_code(ENOSPC, std::system_category())) {
            return 3;
        }
        const bool same = readBytes(data) == std::string(8000, 'b') &&
                          readBytes(mountPoint / "GearData.dat.bak") == std::string(8000, 'a');
        const auto left =
            std::distance(fs::directory_iterator(mountPoint), fs::directory_iterator());
        return same && left == 3 ? 0 : 4;
    });
    if (status == kSkipped) {
        GTEST_SKIP() << "no private mount of a small file system allowed here";
    }
    EXPECT_EQ(status, 0) << "2: the first saves failed, 3: not ENOSPC, 4: a file changed or a "
                            "temporary was left";
}

TEST(DocumentBackup, SavingADocumentKeepsTheListItReplacesReadable) {
    test::SettingsTempFolder dir;
    const fs::path trip = dir / "trip.dat";
    GearDocument doc;
    sample::buildSampleDocument(doc);
    AppSettings app(dir.path());
    ASSERT_TRUE(writeDocumentFiles(trip, trip, doc, DocumentSettings{}, app, dir.path()).ok());
    const std::string before = readBytes(trip);
    ASSERT_EQ(before, serializeGearData(doc));

    GearDocument empty;
    ASSERT_TRUE(writeDocumentFiles(trip, trip, empty, DocumentSettings{}, app, dir.path()).ok());
    EXPECT_EQ(readBytes(dir / "trip.dat.bak"), before);
    EXPECT_FALSE(fs::exists(dir / "trip.ini.bak")) << "only the list is kept";

    // A backup that cannot be made stops the whole write: no settings point at a new list.
    fs::remove(dir / "trip.dat.bak");
    fs::create_directory(dir / "trip.dat.bak");
    const std::string settingsBefore = readBytes(dir / "trip.ini");
    DocumentSettings changed;
    changed.title = "changed";
    const FileOutcome refused = writeDocumentFiles(trip, trip, doc, changed, app, dir.path());
    EXPECT_FALSE(refused.ok());
    EXPECT_FALSE(refused.partial);
    EXPECT_EQ(refused.reason,
              (dir / "trip.dat.bak").string() + ": " + std::system_category().message(EISDIR));
    EXPECT_EQ(readBytes(trip), serializeGearData(empty));
    EXPECT_EQ(readBytes(dir / "trip.ini"), settingsBefore);
}

TEST(FileStamp, TellsAnotherWriteFromNone) {
    test::SettingsTempFolder dir;
    const fs::path f = dir / "trip.dat";
    EXPECT_FALSE(FileStamp::of(f).exists);
    ASSERT_TRUE(replaceFileKeepingBackup(f, "one").ok());
    const FileStamp first = FileStamp::of(f);
    EXPECT_TRUE(first.exists);
    EXPECT_TRUE(first.regular);
    EXPECT_EQ(first.size, 3);
    EXPECT_EQ(FileStamp::of(f), first) << "reading changes nothing";

    // Replaced with the same bytes by another program: a new file all the same.
    ASSERT_TRUE(replaceFileKeepingBackup(f, "one").ok());
    EXPECT_NE(FileStamp::of(f), first);

    // Written in place, same size, a moment later.
    const FileStamp second = FileStamp::of(f);
    fs::last_write_time(f, fs::last_write_time(f) + std::chrono::milliseconds(5));
    EXPECT_NE(FileStamp::of(f), second);

    fs::remove(f);
    EXPECT_EQ(FileStamp::of(f), FileStamp{});
    fs::create_directory(f);
    EXPECT_TRUE(FileStamp::of(f).exists);
    EXPECT_FALSE(FileStamp::of(f).regular);
}

} // namespace
} // namespace varnel

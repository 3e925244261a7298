// What another program does to a data file between our calls.
#include <fcntl.h>
#include <sys/stat.h>

#include <atomic>
#include <functional>
#include <future>

#include "tests/native/ini_fixture.h"

namespace quopa::testing {
namespace {

const std::string kFile = "quopa_apps.dat";
const std::string kPath = "E:\\quopa_apps.dat";

// Counts what the engine asks of the drive. With `stillClock` the stamps say nothing, as on
// a file system whose clock never moves: only the "written just now" flag can tell.
struct WatchedFiles : DriveFiles {
    bool stillClock = false, recent = false;
    std::atomic<int> queries = 0, reads = 0;
    std::promise<void> firstRead;
    platform::FileInfo Query(const std::string& path) override {
        ++queries;
        platform::FileInfo info = HostFiles::Query(path);
        if (stillClock) {
            info.writeTime = 0;
            info.recentlyWritten = recent && info.kind == platform::PathKind::File;
        }
        return info;
    }
    bool ReadAll(const std::string& path, std::string& bytes) override {
        const bool ok = HostFiles::ReadAll(path, bytes);
        if (++reads == 1) firstRead.set_value();
        return ok;
    }
};

class IniFreshnessTest : public TempDriveTest {
  protected:
    void SetUp() override {
        TempDriveTest::SetUp();
        files.MapDrive('E', root_);
    }
    // Puts the write time back to what it was before `change`, as a 2-second clock does.
    void KeepingTheTime(const std::function<void()>& change) {
        struct stat before;
        ASSERT_EQ(stat(Host(kFile).c_str(), &before), 0);
        change();
        const struct timespec times[2] = {before.st_atim, before.st_mtim};
        ASSERT_EQ(utimensat(AT_FDCWD, Host(kFile).c_str(), times, 0), 0);
    }
    WatchedFiles files;
    modINI ini{files};
};

TEST_F(IniFreshnessTest, ChangesOfSizeOrContentOrAFileGoneAreSeen) {
    Put(kFile, "[A]\r\nx=1\r\n");
    ASSERT_EQ(ini.ReadIni("A", "x", "", kPath), "1");
    Put(kFile, "[A]\r\nx=22\r\n");
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "22");
    // Same size, and the clock put back: only the other engine's write counter shows it.
    modINI other(files_);
    KeepingTheTime([&] { ASSERT_TRUE(other.WriteIni("a", "X", "33", "E:/quopa_apps.dat")); });
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "33");
    // Another program's edit, written beside the file and renamed over it.
    KeepingTheTime([&] {
        Put("edit.tmp", "[A]\r\nx=44\r\n");
        ASSERT_EQ(rename(Host("edit.tmp").c_str(), Host(kFile).c_str()), 0);
    });
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "44");
    std::filesystem::remove(Host(kFile));
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "");
}

TEST_F(IniFreshnessTest, CopyReadWithinTheClockStepIsCheckedAgain) {
    files.stillClock = files.recent = true;
    Put(kFile, "[A]\r\nx=1\r\n");
    ASSERT_EQ(ini.ReadIni("A", "x", "", kPath), "1");
    Put(kFile, "[A]\r\nx=2\r\n");
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "2");
    // Once the clock has moved on, one more look settles the copy.
    files.recent = false;
    Put(kFile, "[A]\r\nx=3\r\n");
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "3");
    const int reads = files.reads;
    for (int i = 0; i < 100; ++i) ASSERT_EQ(ini.ReadIni("A", "x", "", kPath), "3");
    EXPECT_EQ(files.reads, reads);
    // A write looks at the file once, and never composes on a change it could not see.
    Put(kFile, "[A]\r\nx=4\r\n");
    ASSERT_TRUE(ini.WriteIni("A", "y", "2", kPath));
    EXPECT_EQ(Get(kFile), "[A]\r\nx=4\r\ny=2\r\n");
    EXPECT_EQ(ini.ReadIni("A", "y", "", kPath), "2");
    EXPECT_EQ(files.reads, reads + 1);
}

TEST_F(IniFreshnessTest, AScopeReadsOneVersionCheckedOnceAndTheNextScopeSeesAChange) {
    Put(kFile, "[A]\r\nx=1\r\ny=2\r\n");
    {
        modINI::ReadScope scope(ini, kPath);
        ASSERT_EQ(ini.ReadIni("A", "x", "", kPath), "1");
        const int afterFirst = files.queries;
        Put(kFile, "[A]\r\nx=3\r\ny=4\r\n");  // another program, in the middle of a load
        for (int i = 0; i < 100; ++i) EXPECT_EQ(ini.ReadIni("A", "y", "", kPath), "2");
        EXPECT_EQ(files.queries, afterFirst) << "the version is checked once a scope";
        // Our own write shows at once, even inside the scope.
        ASSERT_TRUE(ini.WriteIni("A", "z", "5", kPath));
        EXPECT_EQ(ini.ReadIni("A", "z", "", kPath), "5");
        EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "3") << "the write re-read the file first";
    }
    Put(kFile, "[A]\r\nx=6\r\n");
    modINI::ReadScope next(ini, kPath);
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "6");
}

TEST_F(IniFreshnessTest, AParseAheadOfAFileChangedSinceIsNotUsed) {
    Put(kFile, "[Application1]\r\nName=Old\r\n");
    std::future<void> read = files.firstRead.get_future();
    ini.ParseAhead(kPath);
    read.wait();
    Put(kFile, "[Application1]\r\nName=New\r\n");
    EXPECT_EQ(ini.ReadIni("Application1", "Name", "", kPath), "New");
}

}  // namespace
}  // namespace quopa::testing

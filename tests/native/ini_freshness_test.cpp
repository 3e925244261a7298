// What another program does to a data file between our calls, and writes that would
// leave a file we could no longer read.
#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

#include "tests/native/ini_fixture.h"

namespace quopa::testing {
namespace {

const std::string kFile = "quopa_apps.dat";
const std::string kPath = "E:\\quopa_apps.dat";

class IniFreshnessTest : public TempDriveTest {
  protected:
    // Another program's edit: written beside the file and renamed over it, keeping
    // the size and the write time, as a 2-second clock does.
    void RenameOver(const std::string& bytes) {
        struct stat before;
        ASSERT_EQ(stat(Host(kFile).c_str(), &before), 0);
        Put("edit.tmp", bytes);
        const struct timespec times[2] = {before.st_atim, before.st_mtim};
        ASSERT_EQ(utimensat(AT_FDCWD, Host("edit.tmp").c_str(), times, 0), 0);
        ASSERT_EQ(rename(Host("edit.tmp").c_str(), Host(kFile).c_str()), 0);
    }
    // Whole even seconds, as FAT keeps them, and now.
    void StampAsFat() {
        const struct timespec times[2] = {{time(nullptr) & ~1L, 0}, {time(nullptr) & ~1L, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, Host(kFile).c_str(), times, 0), 0);
    }
};

TEST_F(IniFreshnessTest, SameSizeSameTimeRenameOverIsSeenAndKept) {
    Put(kFile, "[A]\r\nx=1\r\n");
    StampAsFat();
    modINI ini(files_);
    ASSERT_EQ(ini.ReadIni("A", "x", "", kPath), "1");
    RenameOver("[A]\r\nx=2\r\n");
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "2");

    RenameOver("[A]\r\nx=3\r\n");
    ASSERT_TRUE(ini.WriteIni("A", "y", "1", kPath));
    EXPECT_EQ(Get(kFile), "[A]\r\nx=3\r\ny=1\r\n");
}

// A file system whose clock never moves and whose stamps say nothing: only the
// "written just now" flag, or a write's own look at the file, can tell.
struct StillClockFiles : platform::HostFiles {
    bool recent = false;
    int reads = 0;
    platform::FileInfo Query(const std::string& path) override {
        platform::FileInfo info = HostFiles::Query(path);
        info.writeTime = 0;
        info.recentlyWritten = recent && info.kind == platform::PathKind::File;
        return info;
    }
    bool ReadAll(const std::string& p, std::string& b) override {
        ++reads;
        return HostFiles::ReadAll(p, b);
    }
};

TEST_F(IniFreshnessTest, CopyReadWithinTheClockStepIsCheckedAgain) {
    StillClockFiles files;
    files.MapDrive('E', root_);
    files.recent = true;
    Put(kFile, "[A]\r\nx=1\r\n");
    modINI ini(files);
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
    ASSERT_TRUE(ini.WriteIni("A", "y", "2", kPath));  // looks at the file once
    EXPECT_EQ(ini.ReadIni("A", "y", "", kPath), "2");
    EXPECT_EQ(files.reads, reads + 1);
}

TEST_F(IniFreshnessTest, WriteNeverComposesOnAnUnseenChange) {
    StillClockFiles files;
    files.MapDrive('E', root_);
    Put(kFile, "[A]\r\nx=1\r\n");
    modINI ini(files);
    ASSERT_EQ(ini.ReadIni("A", "x", "", kPath), "1");
    Put(kFile, "[A]\r\nx=2\r\n");
    ASSERT_TRUE(ini.WriteIni("A", "y", "1", kPath));
    EXPECT_EQ(Get(kFile), "[A]\r\nx=2\r\ny=1\r\n");
}

TEST_F(IniFreshnessTest, WriteThatWouldCrossTheSizeLimitIsRefused) {
    const std::string head = "[A]\r\nx=1\r\n;";
    const std::string stored =
        head + std::string(modINI::kMaxFileBytes - head.size() - 2, 'c') + "\r\n";
    Put(kFile, stored);
    modINI ini(files_);
    ASSERT_EQ(ini.ReadIni("A", "x", "", kPath), "1");
    EXPECT_TRUE(ini.WriteIni("A", "x", "2", kPath)) << "the size stays";
    EXPECT_FALSE(ini.WriteIni("A", "x", "22", kPath));
    EXPECT_FALSE(ini.WriteIni("B", "y", "1", kPath));
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "2");
    std::string expected = stored;
    expected[7] = '2';
    EXPECT_TRUE(Get(kFile) == expected) << "not EXPECT_EQ: its diff of 8 MB strings is huge";
    EXPECT_EQ(EntriesInFolder(), 1u);
}

}  // namespace
}  // namespace quopa::testing

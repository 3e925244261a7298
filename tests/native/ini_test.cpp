#include <fcntl.h>
#include <sys/stat.h>

#include "store/data_files.h"
#include "tests/native/ini_cases.h"
#include "tests/native/ini_fixture.h"

namespace quopa::testing {
namespace {

const std::string kFile = "quopa_apps.dat";
const std::string kPath = AppsFile("E:\\");  // a drive root: doubled separator

class IniCaseTest : public TempDriveTest, public ::testing::WithParamInterface<IniCase> {};

TEST_P(IniCaseTest, GivesExpectedResult) {
    const IniCase& c = GetParam();
    if (c.before != kNoFile) Put(kFile, c.before);
    modINI ini(files_);
    if (c.write) {
        ASSERT_TRUE(ini.WriteIni(c.section, c.key, c.value, kPath));
        EXPECT_EQ(Get(kFile), c.expected);
        EXPECT_EQ(EntriesInFolder(), 1u) << "no temporary file may be left behind";
    } else {
        EXPECT_EQ(ini.ReadIni(c.section, c.key, "", kPath), c.expected);
        EXPECT_EQ(Exists(kFile) ? Get(kFile) : kNoFile, c.before) << "reads must not write";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, IniCaseTest, ::testing::ValuesIn(IniCases()),
                         [](const auto& info) { return std::string(info.param.name); });

class IniTest : public TempDriveTest {};

TEST_F(IniTest, DefaultIsWrittenBackWhenTheValueReadsEmpty) {
    modINI ini(files_);
    EXPECT_EQ(ini.ReadIni("UserInfo", "UserName", "", kPath), "");
    EXPECT_EQ(EntriesInFolder(), 0u) << "an empty default never creates the file";
    Put(kFile, "[A]\r\nWindowStyle=\"\"\r\nName=n\r\n");
    EXPECT_EQ(ini.ReadIni("A", "WindowStyle", "Normal", kPath), "Normal");
    EXPECT_EQ(ini.ReadIni("B", "Name", "x", kPath), "x");
    EXPECT_EQ(ini.ReadIni("A", "Name", "other", kPath), "n");
    EXPECT_EQ(Get(kFile), "[A]\r\nWindowStyle=Normal\r\nName=n\r\n[B]\r\nName=x\r\n");
}

TEST_F(IniTest, SeesChangesMadeBehindItsBack) {
    modINI ini(files_);
    Put(kFile, "[A]\r\nx=1\r\n");
    ASSERT_EQ(ini.ReadIni("A", "x", "", kPath), "1");
    Put(kFile, "[A]\r\nx=22\r\n");
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "22");

    // Same size, and the clock put back: only the other engine's write counter shows it.
    struct stat before;
    ASSERT_EQ(stat(Host(kFile).c_str(), &before), 0);
    modINI other(files_);
    ASSERT_TRUE(other.WriteIni("a", "X", "33", "E:/quopa_apps.dat"));
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, Host(kFile).c_str(), times, 0), 0);
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "33");

    std::filesystem::remove(Host(kFile));
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "");
}

// Counts what each read asks of the file system.
class CountingFiles : public platform::HostFiles {
  public:
    platform::FileInfo Query(const std::string& path) override {
        ++queries;
        return HostFiles::Query(path);
    }
    int queries = 0;
};

class IniScopeTest : public TempDriveTest {
  protected:
    void SetUp() override {
        TempDriveTest::SetUp();
        counting_.MapDrive('E', root_);
    }
    CountingFiles counting_;
};

TEST_F(IniScopeTest, AScopeReadsOneVersionCheckedOnceAndTheNextScopeSeesAChange) {
    modINI ini(counting_);
    Put(kFile, "[A]\r\nx=1\r\ny=2\r\n");
    {
        modINI::ReadScope scope(ini, kPath);
        ASSERT_EQ(ini.ReadIni("A", "x", "", kPath), "1");
        const int afterFirst = counting_.queries;
        Put(kFile, "[A]\r\nx=3\r\ny=4\r\n");  // another program, in the middle of a load
        for (int i = 0; i < 100; ++i) EXPECT_EQ(ini.ReadIni("A", "y", "", kPath), "2");
        EXPECT_EQ(counting_.queries, afterFirst) << "the version is checked once a scope";
        // Our own write shows at once, even inside the scope.
        ASSERT_TRUE(ini.WriteIni("A", "z", "5", kPath));
        EXPECT_EQ(ini.ReadIni("A", "z", "", kPath), "5");
        EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "3") << "the write re-read the file first";
    }
    Put(kFile, "[A]\r\nx=6\r\n");
    modINI::ReadScope next(ini, kPath);
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "6");
}

}  // namespace
}  // namespace quopa::testing

#include <sys/stat.h>

#include "tests/native/ini_fixture.h"

namespace quopa::testing {
namespace {

using namespace std::string_literals;
using HostFilesTest = TempDriveTest;

TEST_F(HostFilesTest, MapsWindowsPathsOntoHostFolders) {
    files_.MapDrive('q', "/srv/stick/");
    EXPECT_EQ(files_.HostPath("E:\\a\\b.dat"), root_ + "/a/b.dat");
    EXPECT_EQ(files_.HostPath("e:\\\\quopa_apps.dat"), root_ + "/quopa_apps.dat");
    EXPECT_EQ(files_.HostPath("E:\\"), root_ + "/");
    EXPECT_EQ(files_.HostPath("Q:\\x\\\\y/z"), "/srv/stick/x/y/z");
    EXPECT_EQ(files_.HostPath("Z:\\x\\y"), "Z:/x/y");
}

TEST_F(HostFilesTest, ReplaceAtomicallyKeepsModeAndLeavesNoTemporary) {
    Put("f", "old");
    chmod(Host("f").c_str(), 0640);
    ASSERT_TRUE(files_.ReplaceAtomically("E:\\f", "new\0x"s));
    std::string bytes;
    ASSERT_TRUE(files_.ReadAll("E:\\f", bytes));
    EXPECT_EQ(bytes, "new\0x"s);
    EXPECT_EQ(std::filesystem::status(Host("f")).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(HostFilesTest, ReplaceAtomicallyRefusesWhatCannotBeReplaced) {
    Put("ro", "keep");
    chmod(Host("ro").c_str(), 0444);
    std::filesystem::create_directory(Host("d"));
    EXPECT_FALSE(files_.ReplaceAtomically("E:\\ro", "x"));
    EXPECT_FALSE(files_.ReplaceAtomically("E:\\d", "x"));
    EXPECT_FALSE(files_.ReplaceAtomically("E:\\none\\f", "x"));
    EXPECT_EQ(Get("ro"), "keep");
    EXPECT_EQ(EntriesInFolder(), 2u);
}

}  // namespace
}  // namespace quopa::testing

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <random>

#include "tests/native/ini_fixture.h"

namespace quopa::testing {
namespace {

using namespace std::string_literals;

const std::string kFile = "quopa_apps.dat";
const std::string kPath = "E:\\quopa_apps.dat";

using IniBadInputTest = TempDriveTest;

TEST_F(IniBadInputTest, NamesThatWouldBreakTheSyntaxAreRefused) {
    const std::string stored = "[A]\r\nx=1\r\n";
    Put(kFile, stored);
    modINI ini(files_);
    const std::pair<std::string, std::string> names[] = {
        {"A", "k=e"}, {"A", "[B]"}, {"A", " "}, {"A", "k\r\n[B]"}, {"A]x", "k"},
        {"A\n", "k"}, {"", "k"},    {" ", "k"}, {"\0A"s, "k"}};
    for (const auto& [section, key] : names) {
        EXPECT_FALSE(ini.WriteIni(section, key, "v", kPath)) << section << "/" << key;
        EXPECT_EQ(ini.ReadIni(section, key, "def", kPath), "def");
    }
    EXPECT_EQ(Get(kFile), stored);
}

TEST_F(IniBadInputTest, GarbageAndSizeDoNotStopIt) {
    std::mt19937 random(7);
    std::string garbage(1 << 16, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    std::string before = "\xEF\xBB\xBF";
    while (before.size() < (6u << 20)) before += garbage;
    before += "\r\n[Application1]\r\n" + std::string(1 << 20, 'L') + "\r\nName=n\r\n[B\r\n";
    Put(kFile, before);
    modINI ini(files_);
    EXPECT_EQ(ini.ReadIni("Application1", "Name", "", kPath), "n");
    EXPECT_TRUE(ini.WriteIni("Application1", "Name", "m", kPath));
    EXPECT_TRUE(ini.WriteIni("Application1", "Path", "p", kPath));
    before[before.rfind("Name=n") + 5] = 'm';
    const std::string after = Get(kFile);
    const std::string expected = before + "Path=p\r\n";
    // Not EXPECT_EQ: its diff of two 7 MB strings would need gigabytes.
    EXPECT_TRUE(after == expected)
        << "first difference at "
        << std::mismatch(after.begin(), after.end(), expected.begin(), expected.end()).first -
               after.begin()
        << " of " << after.size() << "/" << expected.size();
}

enum class Unusable { ReadOnly, Folder, FolderMissing, FarTooLarge };
const char* const kUnusableNames[] = {"ReadOnly", "Folder", "FolderMissing", "FarTooLarge"};
class IniUnusableFileTest : public TempDriveTest, public ::testing::WithParamInterface<Unusable> {};

// Reads give the default without writing it, writes fail, and the bytes stay.
TEST_P(IniUnusableFileTest, IsLeftAlone) {
    const std::string host = Host(kFile);
    switch (GetParam()) {
        case Unusable::ReadOnly:
            Put(kFile, "[A]\r\n");
            chmod(host.c_str(), 0444);
            break;
        case Unusable::Folder:
            std::filesystem::create_directory(host);
            break;
        case Unusable::FolderMissing:
            std::filesystem::remove(root_);
            break;
        case Unusable::FarTooLarge:
            Put(kFile, "[A]\r\n");
            ASSERT_EQ(truncate(host.c_str(), 65 << 20), 0);  // sparse: costs no disk
            break;
    }
    const bool file = std::filesystem::is_regular_file(host);
    const std::string before = file ? Get(kFile) : "";
    modINI ini(files_);
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "");
    EXPECT_EQ(ini.ReadIni("A", "y", "def", kPath), "def");
    EXPECT_FALSE(ini.WriteIni("A", "x", "2", kPath));
    if (file) {
        EXPECT_EQ(Get(kFile), before);
        EXPECT_EQ(EntriesInFolder(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, IniUnusableFileTest,
                         ::testing::Values(Unusable::ReadOnly, Unusable::Folder,
                                           Unusable::FolderMissing, Unusable::FarTooLarge),
                         [](const auto& info) {
                             return std::string(kUnusableNames[static_cast<int>(info.param)]);
                         });

}  // namespace
}  // namespace quopa::testing

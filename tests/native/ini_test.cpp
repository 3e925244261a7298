#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <random>

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

using IniTest = TempDriveTest;

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

// Alone or among good keys, a name that would break the syntax writes nothing.
TEST_F(IniTest, NamesThatWouldBreakTheSyntaxAreRefused) {
    using namespace std::string_literals;
    const std::string stored = "[A]\r\nx=1\r\n";
    Put(kFile, stored);
    modINI ini(files_);
    const IniKey good{"A", "x", "2"};
    for (const auto& [section, key] :
         std::initializer_list<std::pair<std::string, std::string>>{{"A", "k=e"},
                                                                    {"A", "[B]"},
                                                                    {"A", " "},
                                                                    {"A", ""},
                                                                    {"A", "k\r\n[B]"},
                                                                    {"A]x", "k"},
                                                                    {"A\n", "k"},
                                                                    {"", "k"},
                                                                    {" ", "k"},
                                                                    {"\0A"s, "k"}}) {
        EXPECT_FALSE(ini.WriteIni(section, key, "v", kPath)) << section << "/" << key;
        EXPECT_FALSE(ini.WriteIniKeys({good, {section, key, "v"}, good}, kPath)) << key;
        EXPECT_EQ(ini.ReadIni(section, key, "def", kPath), "def");
    }
    EXPECT_EQ(files_.replaces, 0);
    EXPECT_EQ(Get(kFile), stored);
}

TEST_F(IniTest, GarbageAndSizeDoNotStopIt) {
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
    // Not EXPECT_EQ: its diff of two 7 MB strings would need gigabytes.
    EXPECT_TRUE(Get(kFile) == before + "Path=p\r\n");
}

// Reads give the default without writing it, writes fail, and the bytes stay.
TEST_F(IniTest, UnusableFilesAreLeftAlone) {
    Put("ro.dat", "[A]\r\n");
    chmod(Host("ro.dat").c_str(), 0444);
    std::filesystem::create_directory(Host("folder.dat"));
    Put("huge.dat", "[A]\r\n");
    ASSERT_EQ(truncate(Host("huge.dat").c_str(), 65 << 20), 0);  // sparse: costs no disk
    const std::string before = Get("ro.dat");
    modINI ini(files_);
    for (const char* path : {"E:\\ro.dat", "E:\\folder.dat", "E:\\none\\a.dat", "E:\\huge.dat"}) {
        EXPECT_EQ(ini.ReadIni("A", "x", "", path), "") << path;
        EXPECT_EQ(ini.ReadIni("A", "y", "def", path), "def") << path;
        EXPECT_FALSE(ini.WriteIni("A", "x", "2", path)) << path;
    }
    EXPECT_EQ(Get("ro.dat"), before);
    EXPECT_EQ(std::filesystem::file_size(Host("huge.dat")), 65u << 20);
    EXPECT_EQ(EntriesInFolder(), 3u);
}

// A write that would cross the size limit, or whose replacement fails as a pulled stick
// does, leaves the file as it was, with no temporary beside it.
TEST_F(IniTest, AWriteThatCannotCompleteChangesNothing) {
    const std::string head = "[A]\r\nx=1\r\n;";
    std::string stored = head + std::string(modINI::kMaxFileBytes - head.size() - 2, 'c') + "\r\n";
    Put(kFile, stored);
    modINI ini(files_);
    ASSERT_EQ(ini.ReadIni("A", "x", "", kPath), "1");
    EXPECT_TRUE(ini.WriteIni("A", "x", "2", kPath)) << "the size stays";
    stored[7] = '2';
    EXPECT_FALSE(ini.WriteIni("A", "x", "22", kPath));
    EXPECT_FALSE(ini.WriteIni("B", "y", "1", kPath));
    EXPECT_FALSE(ini.WriteIniKeys({{"A", "x", "3"}, {"B", "y", "1"}}, kPath));
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "2");
    EXPECT_TRUE(Get(kFile) == stored) << "not EXPECT_EQ: its diff of 8 MB strings is huge";

    Put(kFile, "[A]\r\nx=1\r\n");
    files_.refuseReplaces = true;
    EXPECT_FALSE(ini.WriteIni("A", "x", "2", kPath));
    EXPECT_FALSE(ini.WriteIniKeys({{"A", "x", "2"}, {"B", "y", "3"}}, kPath));
    EXPECT_EQ(Get(kFile), "[A]\r\nx=1\r\n");
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "1");
    EXPECT_EQ(EntriesInFolder(), 1u);
}

// Files with the shapes a hand-edited or foreign file has: mixed and missing line breaks,
// a byte-order mark, blank and indented lines, repeated sections, lines without "=".
std::string RandomFile(std::mt19937& rng) {
    static const char* const kLines[] = {
        "[A]", "[b]",        " [ C ] ",        "[A]",
        "x=1", "X = 2",      "  y=\"q\"",      "z",
        "",    "   ",        "; note",         "[D",
        "w=",  "Name=Chess", "[Application7]", "Path=%drive%\\a.exe",
        "\x1a"};
    static const char* const kBreaks[] = {"\r\n", "\n", "\r"};
    std::string out = rng() % 8 == 0 ? "\xEF\xBB\xBF" : "";
    const int lines = static_cast<int>(rng() % 12);
    for (int i = 0; i < lines; ++i) {
        out += kLines[rng() % std::size(kLines)];
        if (i + 1 < lines || rng() % 3) out += kBreaks[rng() % 4 == 0 ? rng() % 3 : 0];
    }
    return out;
}

IniKey RandomKey(std::mt19937& rng) {
    static const char* const kSections[] = {"A", "a", "B", " C", "D", "New", "NEW", "Other"};
    static const char* const kKeys[] = {"x", "X", "y", "z", "w", "Name", "v ", "fresh"};
    static const char* const kValues[] = {
        "", "1", "two words", "\"quoted\"", "  lead", "line\r\nbreak", "tail\r", "%drive%\\b.exe"};
    return {kSections[rng() % std::size(kSections)], kKeys[rng() % std::size(kKeys)],
            kValues[rng() % std::size(kValues)]};
}

// Several keys in one write: the same file as one write per key, in one replacement.
TEST_F(IniTest, KeysWrittenTogetherEndAsOneWritePerKey) {
    std::mt19937 rng(20261207);
    for (int trial = 0; trial < 3000; ++trial) {
        const std::string before = RandomFile(rng);
        IniKeys keys(1 + rng() % 10);
        for (IniKey& k : keys) k = RandomKey(rng);
        const bool missing = rng() % 10 == 0;
        const auto lay = [&] {
            std::filesystem::remove(Host(kFile));
            if (!missing) Put(kFile, before);
        };
        lay();
        modINI one(files_);
        for (const IniKey& k : keys) ASSERT_TRUE(one.WriteIni(k.section, k.key, k.value, kPath));
        const std::string expected = Get(kFile);
        lay();
        modINI all(files_);
        const int replacesBefore = files_.replaces;
        ASSERT_TRUE(all.WriteIniKeys(keys, kPath));
        ASSERT_EQ(Get(kFile), expected) << "trial " << trial << " from:\n" << before;
        EXPECT_LE(files_.replaces - replacesBefore, 1);
        for (const IniKey& k : keys)
            EXPECT_EQ(all.ReadIni(k.section, k.key, "", kPath),
                      one.ReadIni(k.section, k.key, "", kPath));
    }
}

}  // namespace
}  // namespace quopa::testing

// Several keys in one write: the same file as one write per key, or no write at all.
#include <random>

#include "tests/native/ini_cases.h"
#include "tests/native/ini_fixture.h"

namespace quopa::testing {
namespace {

const std::string kPath = "E:\\quopa_apps.dat";

class IniKeysTest : public TempDriveTest {};

// Files with the shapes a hand-edited or foreign file has: mixed and missing line breaks,
// a byte-order mark, blank and indented lines, repeated sections, lines without "=".
std::string RandomFile(std::mt19937& rng) {
    static const char* const kLines[] = {
        "[A]",  "[b]",        " [ C ] ",        "[A]",
        "x=1",  "X = 2",      "  y=\"q\"",      "z",
        "",     "   ",        "; note",         "[D",
        "w=",   "Name=Chess", "[Application7]", "Path=%drive%\\a.exe",
        "\x1a",
    };
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

TEST_F(IniKeysTest, EndsAsOneWritePerKeyInTheSameOrderWouldLeaveIt) {
    std::mt19937 rng(20261207);
    for (int trial = 0; trial < 3000; ++trial) {
        const std::string before = RandomFile(rng);
        IniKeys keys(1 + rng() % 10);
        for (IniKey& k : keys) k = RandomKey(rng);

        const bool missing = rng() % 10 == 0;
        std::filesystem::remove(Host("quopa_apps.dat"));
        if (!missing) Put("quopa_apps.dat", before);
        modINI one(files_);
        for (const IniKey& k : keys) ASSERT_TRUE(one.WriteIni(k.section, k.key, k.value, kPath));
        const std::string expected = Get("quopa_apps.dat");

        std::filesystem::remove(Host("quopa_apps.dat"));
        if (!missing) Put("quopa_apps.dat", before);
        modINI all(files_);
        const int replacesBefore = files_.replaces;
        ASSERT_TRUE(all.WriteIniKeys(keys, kPath));
        ASSERT_EQ(Get("quopa_apps.dat"), expected) << "trial " << trial << " from:\n" << before;
        EXPECT_LE(files_.replaces - replacesBefore, 1);
        for (const IniKey& k : keys)
            EXPECT_EQ(all.ReadIni(k.section, k.key, "", kPath),
                      one.ReadIni(k.section, k.key, "", kPath));
    }
}

TEST_F(IniKeysTest, OneRefusedKeyOrAFailedReplacementLeavesTheFileAsItWas) {
    const std::string before = "[A]\r\nx=1\r\n";
    Put("quopa_apps.dat", before);
    modINI ini(files_);
    const IniKey good{"A", "x", "2"};
    for (const IniKey& bad :
         {IniKey{"A]", "x", "1"}, IniKey{"A", "k=v", "1"}, IniKey{" ", "x", "1"},
          IniKey{"A", "[x", "1"}, IniKey{"A", "", "1"}}) {
        EXPECT_FALSE(ini.WriteIniKeys({good, bad, good}, kPath)) << bad.section << "/" << bad.key;
    }
    EXPECT_EQ(files_.replaces, 0);
    EXPECT_FALSE(
        ini.WriteIniKeys({good, {"A", "big", std::string(modINI::kMaxFileBytes, 'v')}}, kPath));

    files_.refuseReplaces = true;  // the drive pulled at the rename
    EXPECT_FALSE(ini.WriteIniKeys({good, {"B", "y", "3"}}, kPath));
    EXPECT_EQ(Get("quopa_apps.dat"), before);
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "1");
    EXPECT_EQ(EntriesInFolder(), 1u) << "no temporary file may be left behind";
}

}  // namespace
}  // namespace quopa::testing

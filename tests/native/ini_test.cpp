#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <future>
#include <random>

#include "store/data_files.h"
#include "tests/native/ini_fixture.h"

namespace quopa::testing {
namespace {

using namespace std::string_literals;

const std::string kFile = "quopa_apps.dat", kNoFile = "<none>";
const std::string kPath = AppsFile("E:\\");  // a drive root: doubled separator

// A read gives `expected`; a write of `value` leaves the file's bytes `expected`.
struct IniCase {
    const char* name;
    std::string before, section, key;
    bool write;
    std::string value, expected;
};
IniCase Read(const char* n, std::string b, std::string s, std::string k, std::string e) {
    return {n, b, s, k, false, "", e};
}
IniCase Write(const char* n, std::string b, std::string s, std::string k, std::string v,
              std::string e) {
    return {n, b, s, k, true, v, e};
}

std::vector<IniCase> IniCases() {
    const std::string v300(300, 'v'), ab = "[A]\r\nx=1\r\n[B]\r\nz=3\r\n";
    return {
        Read("DoubleQuotes", "[A]\r\nP=\"-a -b\"\r\n", "A", "P", "-a -b"),
        Read("SingleQuotes", "[A]\r\nP='q'\r\n", "A", "P", "q"),
        Read("MismatchedQuotes", "[A]\r\nP=\"q'\r\n", "A", "P", "\"q'"),
        Read("BlanksOutsideQuotes", "[A]\r\nP=\t \" q \"  \r\n", "A", "P", " q "),
        Read("NamesIgnoreCase", "[Application7]\r\nNAME=x\r\n", "application7", "name", "x"),
        Read("NamesTrimmed", "  [ A ]  \r\n\t k \t=\tv\x1a\r\n", "A", "k", "v"),
        Read("FirstDuplicateKey", "[A]\r\nx=1\r\nx=2\r\n", "A", "x", "1"),
        Read("OnlyFirstSection", "[A]\r\ny=1\r\n[A]\r\nx=2\r\n", "A", "x", ""),
        Read("LineWithoutEquals", "[A]\r\nx\r\n", "A", "x", ""),
        Read("CrFile", "[A]\rx=1\ry=2\r", "A", "y", "2"),
        Read("BomSkippedNoConversion", "\xEF\xBB\xBF[A]\r\nx=\xC3\xA9\r\n", "A", "x", "\xC3\xA9"),
        Read("AnsiBytes", "[\xC9]\r\nx=\xE9\xFF\x80\xA0\x1c\r\n", "\xC9", "x",
             "\xE9\xFF\x80\xA0\x1c"),
        Read("NonAsciiNotFolded", "[A]\r\n\xC9=1\r\n", "A", "\xE9", ""),
        Read("NoClosingBracket", "[A]\r\n[B\r\nx=1\r\n", "B", "x", ""),
        Read("ValueEndsAtNul", "[A]\r\nx=1\0zz\r\ny=2\r\n"s, "A", "x", "1"),
        Read("CutTo254", "[A]\r\nx=" + v300 + "\r\n", "A", "x", v300.substr(0, 254)),
        Read("Quoted254", "[A]\r\nx=\"" + v300.substr(0, 254) + "\"\r\n", "A", "x",
             v300.substr(0, 254)),
        Write("NewFile", kNoFile, "Sec", "Key", "Val", "[Sec]\r\nKey=Val\r\n"),
        Write("SectionAtEnd", ab, "C", "y", "2", ab + "[C]\r\ny=2\r\n"),
        Write("NoFinalLineBreak", "[A]\r\nx=1", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n"),
        Write("ReplacedKeepsStoredNames", "[A]\r\n  x  =  1  \r\n[B]\r\n", "a", "X", "5",
              "[A]\r\nx=5\r\n[B]\r\n"),
        Write("LineWithoutEqualsGetsValue", "[A]\r\nx\r\n", "A", "x", "2", "[A]\r\nx=2\r\n"),
        Write("LeadingBlanksOfValue", "[A]\r\n", "A", "x", " \tv \t", "[A]\r\nx=v \t\r\n"),
        Write("AnsiValue", "[A]\r\n", "A", "x", "\"\xE9\xFF\x80\"",
              "[A]\r\nx=\"\xE9\xFF\x80\"\r\n"),
        Write("ValueAfterNulIgnored", "[A]\r\n", "A", "x", "a\0b"s, "[A]\r\nx=a\r\n"),
        Write("KeyAfterComment", "[A]\r\nx=1\r\n; c\r\n[B]\r\n", "A", "y", "2",
              "[A]\r\nx=1\r\n; c\r\ny=2\r\n[B]\r\n"),
        Write("KeyIntoEmptySection", "[A]\r\n[B]\r\n", "A", "x", "1", "[A]\r\nx=1\r\n[B]\r\n"),
        Write("FirstOfDuplicateSections", "[A]\r\nx=1\r\n[A]\r\nw=7\r\n", "A", "w", "2",
              "[A]\r\nx=1\r\nw=2\r\n[A]\r\nw=7\r\n"),
        Write("BomKept", "\xEF\xBB\xBF[A]\r\n", "A", "x", "1", "\xEF\xBB\xBF[A]\r\nx=1\r\n"),
        Write("NoClosingBracketLine", "[A]\r\n[B\r\n", "A", "y", "2", "[A]\r\n[B\r\ny=2\r\n"),
        // Every other line stays as it was, line breaks included.
        Write("KeyBeforeTrailingBlankLines", "[A]\r\nx=1\r\n\r\n \r\n[B]\r\n", "A", "y", "2",
              "[A]\r\nx=1\r\ny=2\r\n\r\n \r\n[B]\r\n"),
        Write("LfFileStaysLf", "[A]\nx=1\n", "A", "y", "2", "[A]\nx=1\ny=2\n"),
        Write("NewLineEndsLikeItsNeighbour", "[A]\r\nx=1\n[B]\r\n", "A", "y", "2",
              "[A]\r\nx=1\ny=2\n[B]\r\n"),
        Write("CrFileStaysCr", "[A]\rx=1\r", "B", "y", "2", "[A]\rx=1\r[B]\ry=2\r"),
        Write("NulLinesKept", "[A]\r\nx=1\0z\r\n"s, "A", "y", "2", "[A]\r\nx=1\0z\r\ny=2\r\n"s),
        // A value must not add a section or a key of its own.
        Write("LineBreaksBecomeSpaces", ab, "A", "x", "a\r\n[C]\r\nq=1\nb\rc",
              "[A]\r\nx=a [C] q=1 b c\r\n[B]\r\nz=3\r\n"),
    };
}

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
    const std::string stored = "[A]\r\nx=1\r\n";
    Put(kFile, stored);
    modINI ini(files_);
    const IniKey good{"A", "x", "2"};
    const std::pair<std::string, std::string> names[] = {
        {"A", "k=e"}, {"A", "[B]"}, {"A", " "}, {"A", ""},  {"A", "k\r\n[B]"},
        {"A]x", "k"}, {"A\n", "k"}, {"", "k"},  {" ", "k"}, {"\0A"s, "k"}};
    for (const auto& [section, key] : names) {
        EXPECT_FALSE(ini.WriteIni(section, key, "v", kPath)) << section << "/" << key;
        EXPECT_FALSE(ini.WriteIniKeys({good, {section, key, "v"}, good}, kPath)) << key;
        EXPECT_EQ(ini.ReadIni(section, key, "def", kPath), "def");
    }
    EXPECT_EQ(files_.replaces, 0);
    EXPECT_EQ(Get(kFile), stored);
}

// Reads give the default without writing it, writes fail, and the bytes stay.
TEST_F(IniTest, UnusableFilesAreLeftAlone) {
    Put("ro.dat", "[A]\r\n");
    chmod(Host("ro.dat").c_str(), 0444);
    std::filesystem::create_directory(Host("folder.dat"));
    Put("huge.dat", "[A]\r\n");
    ASSERT_EQ(truncate(Host("huge.dat").c_str(), 65 << 20), 0);  // sparse: costs no disk
    modINI ini(files_);
    for (const char* path : {"E:\\ro.dat", "E:\\folder.dat", "E:\\none\\a.dat", "E:\\huge.dat"}) {
        EXPECT_EQ(ini.ReadIni("A", "x", "", path), "") << path;
        EXPECT_EQ(ini.ReadIni("A", "y", "def", path), "def") << path;
        EXPECT_FALSE(ini.WriteIni("A", "x", "2", path)) << path;
    }
    EXPECT_EQ(Get("ro.dat"), "[A]\r\n");
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

// What another program does to a data file between our calls.

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

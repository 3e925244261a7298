#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <future>

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
    int page = 1252;  // the PC's code page
};
using S = std::string;
const S kMark = "\xEF\xBB\xBF", kE = "\xC3\xA9", kDe = "\xD0\x94", kSun = "\xE6\x97\xA5";
IniCase Read(const char* n, S before, S e, S s = "A", S k = "x") {
    return {n, before, s, k, false, "", e};
}
IniCase Write(const char* n, S before, S v, S e, S s = "A", S k = "y", int page = 1252) {
    return {n, before, s, k, true, v, e, page};
}
S Utf16(std::u16string_view text) {
    S out = "\xFF\xFE";
    for (char16_t c : text) out += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return out;
}

std::vector<IniCase> IniCases() {
    const std::string v300(300, 'v'), ab = "[A]\r\nx=1\r\n[B]\r\nz=3\r\n";
    std::string e254, e300;
    for (int i = 0; i < 300; ++i) (i < 254 ? e254 : e300) += kE;
    return {
        Read("SingleQuotes", "[A]\r\nx='q'\r\n", "q"),
        Read("MismatchedQuotes", "[A]\r\nx=\"q'\r\n", "\"q'"),
        Read("BlanksOutsideQuotes", "[A]\r\nx=\t \" -a b \"  \r\n", " -a b "),
        Read("NamesIgnoreCase", "[Application7]\r\nNAME=x\r\n", "x", "application7", "name"),
        Read("NamesTrimmed", "  [ A ]  \r\n\t x \t=\tv\x1a\r\n", "v"),
        Read("FirstDuplicateKey", "[A]\r\nx=1\r\nx=2\r\n", "1"),
        Read("OnlyFirstSection", "[A]\r\ny=1\r\n[A]\r\nx=2\r\n", ""),
        Read("LineWithoutEquals", "[A]\r\nx\r\n", ""),
        Read("CrFile", "[A]\ry=1\rx=2\r", "2"),
        Read("Utf16", Utf16(u"[A]\r\nx=\u00E9\U0001F600\xD800\r\n"),
             kE + "\xF0\x9F\x98\x80\xEF\xBF\xBD"),
        Read("AnsiConverted", "[\xC9]\r\nx=\xE9\xFF\x80\xA0\x81\r\n",
             kE + "\xC3\xBF\xE2\x82\xAC\xC2\xA0\xC2\x81", "\xC3\x89"),
        Read("NonAsciiNotFolded", "[A]\r\n\xC9=1\r\n", "", "A", kE),
        Read("NoClosingBracket", "[A]\r\n[B\r\nx=1\r\n", "", "B"),
        Read("ValueEndsAtNul", "[A]\r\nx=1\0zz\r\ny=2\r\n"s, "1"),
        Read("Quoted254", "[A]\r\nx=\"" + v300.substr(0, 254) + "\"\r\n", v300.substr(0, 254)),
        Read("CutTo254Characters", kMark + "[A]\r\nx=" + e254 + e300 + "\r\n", e254),
        Write("NewFile", kNoFile, "Val", "[Sec]\r\nKey=Val\r\n", "Sec", "Key"),
        Write("Unchanged", "[A]\r\ny=1\r\n", "1", "[A]\r\ny=1\r\n"),
        Write("SectionAtEnd", ab, "2", ab + "[C]\r\ny=2\r\n", "C"),
        Write("NoFinalLineBreak", "[A]\r\nx=1", "2", "[A]\r\nx=1\r\ny=2\r\n"),
        Write("KeepsStoredNames", "[A]\r\n  x  =  1  \r\n[B]\r\n", "5", "[A]\r\nx=5\r\n[B]\r\n",
              "a", "X"),
        Write("LineWithoutEqualsGetsValue", "[A]\r\ny\r\n", "2", "[A]\r\ny=2\r\n"),
        Write("LeadingBlanksOfValue", "[A]\r\n", " \tv \t", "[A]\r\ny=v \t\r\n"),
        // ASCII stays as the system writes it; anything more makes the whole file UTF-8.
        Write("FirstNonAsciiMarksUtf8", "[A]\r\n", "\"" + kE + kSun + "\"",
              kMark + "[A]\r\ny=\"" + kE + kSun + "\"\r\n"),
        Write("AnsiConvertedWhole", "[A]\r\nx=\xC4\xEE\xEC\r\n", "1",
              kMark + "[A]\r\nx=" + kDe + "\xD0\xBE\xD0\xBC\r\ny=1\r\n", "A", "y", 1251),
        Write("Utf16Kept", Utf16(u"[A]\r\n"), kSun, Utf16(u"[A]\r\ny=\u65E5\r\n")),
        Write("ValueAfterNulIgnored", "[A]\r\n", "a\0b"s, "[A]\r\ny=a\r\n"),
        Write("KeyAfterComment", "[A]\r\nx=1\r\n; c\r\n[B]\r\n", "2",
              "[A]\r\nx=1\r\n; c\r\ny=2\r\n[B]\r\n"),
        Write("KeyIntoEmptySection", "[A]\r\n[B]\r\n", "1", "[A]\r\ny=1\r\n[B]\r\n"),
        Write("FirstOfDuplicateSections", "[A]\r\nx=1\r\n[A]\r\ny=7\r\n", "2",
              "[A]\r\nx=1\r\ny=2\r\n[A]\r\ny=7\r\n"),
        Write("BomKept", "\xEF\xBB\xBF[A]\r\n", "1", "\xEF\xBB\xBF[A]\r\ny=1\r\n"),
        Write("NoClosingBracketLine", "[A]\r\n[B\r\n", "2", "[A]\r\n[B\r\ny=2\r\n"),
        // Every other line stays as it was, line breaks included.
        Write("BeforeTrailingBlankLines", "[A]\r\nx=1\r\n\r\n \r\n[B]\r\n", "2",
              "[A]\r\nx=1\r\ny=2\r\n\r\n \r\n[B]\r\n"),
        Write("LfFileStaysLf", "[A]\nx=1\n", "2", "[A]\nx=1\ny=2\n"),
        Write("EndsLikeItsNeighbour", "[A]\r\nx=1\n[B]\r\n", "2", "[A]\r\nx=1\ny=2\n[B]\r\n"),
        Write("CrFileStaysCr", "[A]\rx=1\r", "2", "[A]\rx=1\r[B]\ry=2\r", "B"),
        Write("NulLinesKept", "[A]\r\nx=1\0z\r\n"s, "2", "[A]\r\nx=1\0z\r\ny=2\r\n"s),
        // A value must not add a section or a key of its own.
        Write("LineBreaksBecomeSpaces", ab, "a\r\n[C]\r\nq=1\nb\rc",
              "[A]\r\nx=1\r\ny=a [C] q=1 b c\r\n[B]\r\nz=3\r\n"),
    };
}

class IniCaseTest : public TempDriveTest, public ::testing::WithParamInterface<IniCase> {};

TEST_P(IniCaseTest, GivesExpectedResult) {
    const IniCase& c = GetParam();
    if (c.before != kNoFile) Put(kFile, c.before);
    codePage_.page = c.page;
    modINI ini(files_, codePage_);
    if (c.write) {
        Put(kFile + ".~1-1.tmp", "[A]\r\nx=");  // a killed writer's
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

TEST_F(IniTest, DefaultIsWrittenBackWhenTheValueReadsEmptyAndNamesThatBreakTheSyntaxAreNot) {
    modINI ini(files_, codePage_);
    EXPECT_EQ(ini.ReadIni("UserInfo", "UserName", "", kPath), "");
    EXPECT_EQ(EntriesInFolder(), 0u) << "an empty default never creates the file";
    Put(kFile, "[A]\r\nWindowStyle=\"\"\r\nName=n\r\n");
    EXPECT_EQ(ini.ReadIni("A", "WindowStyle", "Normal", kPath), "Normal");
    EXPECT_EQ(ini.ReadIni("B", "Name", "x", kPath), "x");
    EXPECT_EQ(ini.ReadIni("A", "Name", "other", kPath), "n");
    EXPECT_EQ(Get(kFile), "[A]\r\nWindowStyle=Normal\r\nName=n\r\n[B]\r\nName=x\r\n");
    // Alone or among good keys, a name that would break the syntax writes nothing.
    const std::string stored = "[A]\r\nx=1\r\n";
    Put(kFile, stored);
    const int replaces = files_.replaces;
    const IniKey good{"A", "x", "2"};
    const std::pair<std::string, std::string> names[] = {
        {"A", "k=e"}, {"A", "[B]"}, {"A", " "}, {"A", ""},  {"A", "k\r\n[B]"},
        {"A]x", "k"}, {"A\n", "k"}, {"", "k"},  {" ", "k"}, {"\0A"s, "k"}};
    for (const auto& [section, key] : names) {
        EXPECT_FALSE(ini.WriteIni(section, key, "v", kPath)) << section << "/" << key;
        EXPECT_FALSE(ini.WriteIniKeys({good, {section, key, "v"}, good}, kPath)) << key;
        EXPECT_EQ(ini.ReadIni(section, key, "def", kPath), "def");
    }
    EXPECT_EQ(files_.replaces, replaces);
    EXPECT_EQ(Get(kFile), stored);
}

// Reads give the default without writing it, writes fail, and the bytes stay.
TEST_F(IniTest, UnusableFilesAndWritesThatCannotCompleteChangeNothing) {
    Put("ro.dat", "[A]\r\n");
    chmod(Host("ro.dat").c_str(), 0444);
    std::filesystem::create_directory(Host("folder.dat"));
    Put("huge.dat", "[A]\r\n");
    ASSERT_EQ(truncate(Host("huge.dat").c_str(), 65 << 20), 0);  // sparse: costs no disk
    modINI ini(files_, codePage_);
    for (const char* path : {"E:\\ro.dat", "E:\\folder.dat", "E:\\none\\a.dat", "E:\\huge.dat"}) {
        EXPECT_EQ(ini.ReadIni("A", "x", "", path), "") << path;
        EXPECT_EQ(ini.ReadIni("A", "y", "def", path), "def") << path;
        EXPECT_FALSE(ini.WriteIni("A", "x", "2", path)) << path;
    }
    EXPECT_EQ(Get("ro.dat"), "[A]\r\n");
    EXPECT_EQ(std::filesystem::file_size(Host("huge.dat")), 65u << 20);
    EXPECT_EQ(EntriesInFolder(), 3u);
    // A write that would cross the size limit, or whose replacement fails as a pulled stick
    // does, leaves the file as it was, with no temporary beside it.
    const std::string head = "[A]\r\nx=1\r\n;";
    std::string stored = head + std::string(modINI::kMaxFileBytes - head.size() - 2, 'c') + "\r\n";
    Put(kFile, stored);
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
    EXPECT_EQ(EntriesInFolder(), 4u);
}

// Several keys in one write: the same file as one write per key, in one replacement,
// whatever shape the file has (repeated sections, a byte-order mark, lone line breaks, lines
// without "=") and however the keys repeat or differ in case.
TEST_F(IniTest, KeysWrittenTogetherEndAsOneWritePerKey) {
    const IniKeys keys = {{"A", "x", "1"},     {"a", "New", "two words"},
                          {"C", "y", "\"q\""}, {" c", "Y", "a\r\nb"},
                          {"A", "X", ""},      {"D", "w", "  lead"}};
    for (const std::string& before :
         {kNoFile, ""s, "[A]\r\nx=0\r\n[A]\r\nNew=7"s,
          "\xEF\xBB\xBF; note\n[ a ]\nX = 2\n\n[D\rw=\r"s, "z\r\n[C]\r\n\x1a\r\n[b]\r\n[d]"s}) {
        const auto lay = [&] {
            std::filesystem::remove(Host(kFile));
            if (before != kNoFile) Put(kFile, before);
        };
        lay();
        modINI one(files_, codePage_);
        for (const IniKey& k : keys) ASSERT_TRUE(one.WriteIni(k.section, k.key, k.value, kPath));
        const std::string expected = Get(kFile);
        lay();
        const int replaces = files_.replaces;
        modINI all(files_, codePage_);
        ASSERT_TRUE(all.WriteIniKeys(keys, kPath));
        EXPECT_EQ(Get(kFile), expected) << before;
        EXPECT_EQ(files_.replaces - replaces, 1);
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
    modINI ini{files, codePage_};
};

TEST_F(IniFreshnessTest, ChangesOfSizeOrContentOrAFileGoneAreSeenOncePerScope) {
    Put(kFile, "[A]\r\nx=1\r\n");
    ASSERT_EQ(ini.ReadIni("A", "x", "", kPath), "1");
    Put(kFile, "[A]\r\nx=22\r\n");
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "22");
    // Same size, and the clock put back: only the other engine's write counter shows it.
    modINI other(files_, codePage_);
    KeepingTheTime([&] { ASSERT_TRUE(other.WriteIni("a", "X", "33", "E:/quopa_apps.dat")); });
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "33");
    // (Another program's same-size edit with the time put back shows only while the stamp is
    // within the clock step: CopyReadWithinTheClockStepIsCheckedAgain.)
    std::filesystem::remove(Host(kFile));
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "");
    // A scope reads one version, checked once; our own write shows at once all the same.
    Put(kFile, "[A]\r\nx=1\r\ny=2\r\n");
    {
        modINI::ReadScope scope(ini, kPath);
        ASSERT_EQ(ini.ReadIni("A", "x", "", kPath), "1");
        const int afterFirst = files.queries;
        Put(kFile, "[A]\r\nx=3\r\ny=4\r\n");  // another program, in the middle of a load
        for (int i = 0; i < 100; ++i) EXPECT_EQ(ini.ReadIni("A", "y", "", kPath), "2");
        EXPECT_EQ(files.queries, afterFirst);
        ASSERT_TRUE(ini.WriteIni("A", "z", "5", kPath));
        EXPECT_EQ(ini.ReadIni("A", "z", "", kPath), "5");
        EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "3") << "the write re-read the file first";
    }
    Put(kFile, "[A]\r\nx=6\r\n");
    modINI::ReadScope next(ini, kPath);
    EXPECT_EQ(ini.ReadIni("A", "x", "", kPath), "6");
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

TEST_F(IniFreshnessTest, AParseAheadOfManySectionsReadsWholeAndIsWaitedForWhenTheEngineGoes) {
    std::string many = "[Category1]\r\nName=Tools\r\n";
    for (int n = 1; n <= 3000; ++n)
        many += "[Application" + std::to_string(n) + "]\r\nName=Item " + std::to_string(n) +
                "\r\nname=second\r\nPath=E:\\" + std::to_string(n) + ".exe\r\n";
    many += "[Big]\r\n";
    for (int n = 1; n <= 40; ++n)
        many += "K" + std::to_string(n) + "=" + std::to_string(n) + "\r\n";
    Put(kFile, many + "k7=again\r\n");
    ini.ParseAhead(kPath);
    for (const char* k : {"k1", "K7", "k17", "K40", "k41"})
        EXPECT_EQ(ini.ReadIni("big", k, "", kPath), std::string(k) == "k41" ? "" : k + 1);
    for (int n = 1; n <= 3000; ++n) {
        ASSERT_EQ(ini.ReadIni("APPLICATION" + std::to_string(n), "name", "", kPath),
                  "Item " + std::to_string(n));
    }
    EXPECT_EQ(ini.ReadIni("Application3000", "Path", "", kPath), "E:\\3000.exe");
    EXPECT_EQ(ini.ReadIni("category1", "Name", "", kPath), "Tools");
    EXPECT_EQ(ini.ReadIni("Application3001", "Name", "", kPath), "");
    EXPECT_EQ(ini.ReadIni("Application1", "Category", "", kPath), "");
    {
        modINI gone(files_, codePage_);
        gone.ParseAhead(kPath);
    }
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

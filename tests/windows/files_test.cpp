// The real file backend: our INI engine against the system's profile functions, the
// reference it must agree with, and what the disk itself adds (attributes, a replace that
// is whole or nothing, temporaries left by killed writers, folder listings).
#include <algorithm>

#include "platform/win32/win32_files.h"
#include "store/data_files.h"
#include "store/ini.h"
#include "tests/windows/window_probe.h"

namespace quopa {
namespace {

using namespace std::string_literals;

const std::string kNoFile = "<none>";

class Win32FilesTest : public ::testing::Test {
  protected:
    ~Win32FilesTest() override { RemoveDirectoryA(folder.c_str()); }
    // Writes the file, or removes it for kNoFile.
    void Lay(const std::string& path, const std::string& bytes) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        EXPECT_TRUE(bytes == kNoFile || files.ReplaceAtomically(path, bytes));
    }
    std::string Bytes(const std::string& path) {
        std::string bytes;
        return files.ReadAll(path, bytes) ? bytes : kNoFile;
    }

    const std::string folder = TempFolder("quopa_files_");
    platform::Win32Files files;
    modINI ini{files};
};

// The native suite holds every rule; these cases show the reference agrees on the main ones.
TEST_F(Win32FilesTest, OurReadsAndWritesAgreeWithTheSystemsProfileFunctions) {
    const std::string ab = "[A]\r\nx=1\r\n[B]\r\nz=3\r\n", v300(300, 'v');
    const struct {
        std::string before, section, key;
        const char* write;  // nullptr: only read
    } cases[] = {
        {"[A]\r\nP=\t \" -a -b \"  \r\n", "A", "P", nullptr},
        {"  [ Application7 ]  \r\n\t NAME \t=\tx\r\n", "application7", "name", nullptr},
        {"[A]\r\nx=" + v300 + "\r\n", "A", "x", nullptr},
        {"[\xC9]\r\nx=\xE9\xFF\x80\xA0\x1c\r\n", "\xC9", "x", nullptr},
        {"[A]\r\nx=1\r\nx=2\r\n[A]\r\nx=3\r\n", "A", "x", nullptr},
        {kNoFile, "Sec", "Key", "Val"},
        {ab, "A", "y", "2"},
        {ab, "C", "y", "2"},
        {"[A]\r\n  x  =  1  \r\n[B]\r\n", "a", "X", "\"\xE9\xFF\x80\""},
        {"[A]\r\nx=1\r\n; c\r\n[B]\r\n", "A", "y", " \tv \t"},
    };
    int n = 0;
    for (const auto& c : cases) {
        // Separate files per case: the system keeps parsed copies of its own.
        const std::string ours = folder + "\\" + std::to_string(++n) + ".ours.ini";
        const std::string system = folder + "\\" + std::to_string(n) + ".system.ini";
        SCOPED_TRACE(ours);
        Lay(ours, c.before);
        Lay(system, c.before);
        if (c.write) {
            ASSERT_TRUE(ini.WriteIni(c.section, c.key, c.write, ours));
            ASSERT_TRUE(WritePrivateProfileStringA(c.section.c_str(), c.key.c_str(), c.write,
                                                   system.c_str()));
        }
        char buffer[255] = {};  // the arguments ReadIni gives the system
        const DWORD count = GetPrivateProfileStringA(c.section.c_str(), c.key.c_str(), "", buffer,
                                                     255, system.c_str());
        EXPECT_EQ(ini.ReadIni(c.section, c.key, "", ours), std::string(buffer, count));
        EXPECT_EQ(Bytes(ours), Bytes(system));
        DeleteFileA(ours.c_str());
        DeleteFileA(system.c_str());
    }
}

// Under Wine the system's writer changes a read-only file; ours leaves it alone.
TEST_F(Win32FilesTest, ReplacesAtomicallyKeepingAttributesExceptReadOnlyFiles) {
    const std::string path = AppsFile(folder + "\\");  // doubled separator, as at a root
    ASSERT_TRUE(files.ReplaceAtomically(path, "old"));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(files.ReplaceAtomically(path, "[A]\r\n\0"s));
    EXPECT_EQ(files.Query(path).size, 6u);
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);

    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(ini.WriteIni("A", "x", "2", path));
    EXPECT_EQ(ini.ReadIni("A", "y", "def", path), "def");
    EXPECT_EQ(Bytes(path), "[A]\r\n\0"s);
    EXPECT_FALSE(files.ReplaceAtomically(folder + "\\missing\\f.dat", "x"));
    EXPECT_FALSE(files.ReplaceAtomically(folder, "x"));
    std::vector<platform::FolderEntry> entries;
    files.ListFolder(folder, entries);
    EXPECT_EQ(entries.size(), 1u) << "a temporary file was left behind";
    Lay(path, kNoFile);
}

// Leftovers of killed writers go at the next write; one a live writer holds open stays,
// and its name, though it is ours, is no obstacle.
TEST_F(Win32FilesTest, ClearsStaleTemporariesAndSkipsTakenNames) {
    const std::string file = folder + "\\f.dat";
    const std::string ours = file + ".~" + std::to_string(GetCurrentProcessId()) + "-";
    const std::string gone[] = {ours + "2.tmp", folder + "\\F.DAT.~77-3.tmp"};
    const std::string kept[] = {ours + "1.tmp", folder + "\\g.dat.~1-1.tmp", file + ".~x-1.tmp"};
    for (const std::string& path : {file, gone[0], gone[1], kept[0], kept[1], kept[2]})
        Lay(path, "leftover");
    HANDLE held = CreateFileA(kept[0].c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(platform::Win32Files().ReplaceAtomically(file, "new"));  // its first write there
    EXPECT_EQ(Bytes(file), "new");
    for (const std::string& path : gone) EXPECT_EQ(Bytes(path), kNoFile) << path;
    CloseHandle(held);
    for (const std::string& path : kept) EXPECT_EQ(Bytes(path), "leftover") << path;
    for (const std::string& path : {file, kept[0], kept[1], kept[2]}) Lay(path, kNoFile);
}

TEST_F(Win32FilesTest, AFolderListsItsEntriesWithTheirKindAndAMissingOneFails) {
    const std::string list = folder + "\\list";
    for (const char* sub : {"", "\\App", "\\Empty"})
        CreateDirectoryA((list + sub).c_str(), nullptr);
    Lay(list + "\\a.txt", "x");
    std::vector<platform::FolderEntry> entries;
    ASSERT_TRUE(files.ListFolder(list, entries));
    Strings seen;
    for (const auto& e : entries)
        seen.push_back(e.name + (e.kind == platform::PathKind::Directory ? "\\"
                                 : e.kind == platform::PathKind::File    ? ""
                                                                         : "?"));
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (Strings{"App\\", "Empty\\", "a.txt"}));
    EXPECT_TRUE(files.ListFolder(list + "\\Empty", entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(files.ListFolder(list + "\\Missing", entries));
    Lay(list + "\\a.txt", kNoFile);
    for (const char* sub : {"\\App", "\\Empty", ""}) RemoveDirectoryA((list + sub).c_str());
}

}  // namespace
}  // namespace quopa

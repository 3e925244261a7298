// The real file backend: what the disk adds to the INI engine's rules (attributes, a replace
// that is whole or nothing, temporaries left by killed writers).
#include "platform/win32/win32_files.h"
#include "store/data_files.h"
#include "store/ini.h"
#include "tests/windows/window_probe.h"

namespace quopa {
namespace {

using namespace std::string_literals;

class Win32FilesTest : public ::testing::Test {
  protected:
    ~Win32FilesTest() override { RemoveDirectoryA(folder.c_str()); }
    std::string Bytes(const std::string& path) {
        std::string bytes;
        return files.ReadAll(path, bytes) ? bytes : "<none>";
    }
    static void Remove(const std::string& path) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }

    const std::string folder = TempFolder("quopa_files_");
    platform::Win32Files files;
    modINI ini{files};
};

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
    EXPECT_EQ(Bytes(path), "[A]\r\n\0"s);
    EXPECT_FALSE(files.ReplaceAtomically(folder + "\\missing\\f.dat", "x"));
    EXPECT_FALSE(files.ReplaceAtomically(folder, "x"));
    std::vector<platform::FolderEntry> entries;
    files.ListFolder(folder, entries);
    EXPECT_EQ(entries.size(), 1u) << "a temporary file was left behind";
    Remove(path);
}

// Leftovers of killed writers go at the next write; one a live writer holds open stays,
// and its name, though it is ours, is no obstacle.
TEST_F(Win32FilesTest, ClearsStaleTemporariesAndSkipsTakenNames) {
    const std::string file = folder + "\\f.dat";
    const std::string ours = file + ".~" + std::to_string(GetCurrentProcessId()) + "-";
    const std::string gone[] = {ours + "2.tmp", folder + "\\F.DAT.~77-3.tmp"};
    const std::string kept[] = {ours + "1.tmp", folder + "\\g.dat.~1-1.tmp", file + ".~x-1.tmp"};
    for (const std::string& path : {file, gone[0], gone[1], kept[0], kept[1], kept[2]})
        ASSERT_TRUE(files.ReplaceAtomically(path, "leftover"));
    HANDLE held = CreateFileA(kept[0].c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_TRUE(platform::Win32Files().ReplaceAtomically(file, "new"));  // its first write there
    EXPECT_EQ(Bytes(file), "new");
    for (const std::string& path : gone) EXPECT_EQ(Bytes(path), "<none>") << path;
    CloseHandle(held);
    for (const std::string& path : kept) EXPECT_EQ(Bytes(path), "leftover") << path;
    for (const std::string& path : {file, kept[0], kept[1], kept[2]}) Remove(path);
}

}  // namespace
}  // namespace quopa

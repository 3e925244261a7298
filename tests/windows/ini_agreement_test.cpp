// Our engine against the system's profile functions, the reference it must agree with,
// on the cases of the native suite. Where we deliberately answer differently the case
// says so, and only our own answer is checked.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_files.h"
#include "store/data_files.h"
#include "store/ini.h"
#include "tests/native/ini_cases.h"

namespace quopa::testing {
namespace {

std::string Folder() {
    static const std::string folder = [] {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        std::string f = temp + "quopa_ini_agree_"s + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(f.c_str(), nullptr);
        return f;
    }();
    return folder;
}

// Left empty by the tests; removed while Folder() still lives, unlike at static destruction.
class TempFolderEnvironment : public ::testing::Environment {
    void TearDown() override { ::RemoveDirectoryA(Folder().c_str()); }
};
::testing::Environment* const kTempFolder =
    ::testing::AddGlobalTestEnvironment(new TempFolderEnvironment);

void Lay(const std::string& path, const std::string& bytes) {
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
    if (bytes != kNoFile) {
        ASSERT_TRUE(platform::Win32Files().ReplaceAtomically(path, bytes));
    }
}

std::string Bytes(const std::string& path) {
    std::string bytes;
    return platform::Win32Files().ReadAll(path, bytes) ? bytes : kNoFile;
}

class IniAgreementTest : public ::testing::TestWithParam<IniCase> {
  protected:
    // Separate files per case: the system keeps parsed copies of its own.
    std::string ours_ = Folder() + "\\" + GetParam().name + ".ours.ini";
    std::string system_ = Folder() + "\\" + GetParam().name + ".system.ini";
    void TearDown() override {
        ::DeleteFileA(ours_.c_str());
        ::DeleteFileA(system_.c_str());
    }
};

TEST_P(IniAgreementTest, EngineAgreesWithSystem) {
    const IniCase& c = GetParam();
    Lay(ours_, c.before);
    Lay(system_, c.before);
    platform::Win32Files files;
    modINI ini(files);
    if (c.write) {
        ASSERT_TRUE(ini.WriteIni(c.section, c.key, c.value, ours_));
        EXPECT_EQ(Bytes(ours_), c.expected);
        ASSERT_TRUE(::WritePrivateProfileStringA(c.section.c_str(), c.key.c_str(), c.value.c_str(),
                                                 system_.c_str()));
    }
    // The system's answer with the arguments ReadIni gives it, also after a write.
    char buffer[255] = {};
    const DWORD count = ::GetPrivateProfileStringA(c.section.c_str(), c.key.c_str(), "", buffer,
                                                   255, system_.c_str());
    const std::string value = ini.ReadIni(c.section, c.key, "", ours_);
    if (!c.write) {
        EXPECT_EQ(value, c.expected);
    }
    if (c.systemDiffers) return;
    EXPECT_EQ(value, std::string(buffer, count));
    EXPECT_EQ(value.size(), count);
    EXPECT_EQ(Bytes(ours_), Bytes(system_));
}

INSTANTIATE_TEST_SUITE_P(Cases, IniAgreementTest, ::testing::ValuesIn(IniCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Under Wine the system's writer changes a read-only file; ours leaves it alone.
TEST(Win32FilesTest, ReplacesAtomicallyExceptReadOnlyFiles) {
    platform::Win32Files files;
    const std::string path = AppsFile(Folder() + "\\");  // doubled separator, as at a root
    ASSERT_TRUE(files.ReplaceAtomically(path, "old"));
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(files.ReplaceAtomically(path, "[A]\r\n\0"s));
    EXPECT_EQ(files.Query(path).size, 6u);
    EXPECT_TRUE(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);

    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    modINI ini(files);
    EXPECT_FALSE(ini.WriteIni("A", "x", "2", path));
    EXPECT_EQ(ini.ReadIni("A", "y", "def", path), "def");
    EXPECT_EQ(Bytes(path), "[A]\r\n\0"s);
    EXPECT_FALSE(files.ReplaceAtomically(Folder() + "\\missing\\f.dat", "x"));
    EXPECT_FALSE(files.ReplaceAtomically(Folder(), "x"));

    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((Folder() + "\\*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "a temporary file was left behind";
    if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
}

// Leftovers of killed writers go at the next write; one a live writer holds open stays,
// and its name, though it is ours, is no obstacle.
TEST(Win32FilesTest, ClearsStaleTemporariesAndSkipsTakenNames) {
    const std::string file = Folder() + "\\f.dat";
    const std::string ours = file + ".~" + std::to_string(::GetCurrentProcessId()) + "-";
    const std::string kept[] = {ours + "1.tmp", Folder() + "\\g.dat.~1-1.tmp", file + ".~x-1.tmp"};
    for (const std::string& path : {file, ours + "2.tmp", Folder() + "\\F.DAT.~77-3.tmp"})
        Lay(path, "leftover");
    for (const std::string& path : kept) Lay(path, "leftover");
    HANDLE held = ::CreateFileA(kept[0].c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    EXPECT_TRUE(platform::Win32Files().ReplaceAtomically(file, "new"));
    EXPECT_EQ(Bytes(file), "new");
    EXPECT_EQ(Bytes(ours + "2.tmp"), kNoFile);
    EXPECT_EQ(Bytes(Folder() + "\\F.DAT.~77-3.tmp"), kNoFile);
    ::CloseHandle(held);
    for (const std::string& path : kept) EXPECT_EQ(Bytes(path), "leftover") << path;
    for (const std::string& path : kept) ::DeleteFileA(path.c_str());
    ::DeleteFileA(file.c_str());
}

}  // namespace
}  // namespace quopa::testing

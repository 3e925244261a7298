// What the system's own services give the look at the PortableApps folder: a folder's
// entries, and UTF-8 names in the ANSI code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_files.h"
#include "tests/windows/window_probe.h"

namespace {

TEST(Win32CodePageTest, UnknownCharactersBecomeTheDefaultOneAndNoNearLetter) {
    if (GetACP() != 1252) GTEST_SKIP() << "the cases are written for Windows-1252";
    platform::Win32CodePage page;
    EXPECT_EQ(page.AnsiFromUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5 \xC4\x81"),
              "Caf\xE9 \x80 ? ?");
    EXPECT_EQ(page.AnsiFromUtf8(""), "");
}

TEST(Win32FilesListTest, EntriesComeWithTheirKindAndAMissingFolderFails) {
    const std::string folder = TempFolder("quopa_list_");
    const std::string sub = folder + "\\App", file = folder + "\\a.txt", empty = folder + "\\Empty";
    CreateDirectoryA(sub.c_str(), nullptr);
    CreateDirectoryA(empty.c_str(), nullptr);
    std::ofstream(file) << "x";
    platform::Win32Files files;
    std::vector<platform::FolderEntry> entries;
    ASSERT_TRUE(files.ListFolder(folder, entries));
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "App");
    EXPECT_EQ(entries[0].kind, platform::PathKind::Directory);
    EXPECT_EQ(entries[2].name, "a.txt");
    EXPECT_EQ(entries[2].kind, platform::PathKind::File);
    EXPECT_TRUE(files.ListFolder(empty, entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(files.ListFolder(folder + "\\Missing", entries));
    DeleteFileA(file.c_str());
    RemoveDirectoryA(sub.c_str());
    RemoveDirectoryA(empty.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

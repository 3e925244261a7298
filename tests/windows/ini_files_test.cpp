// The real file backend's clean-up after killed writers.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_files.h"

namespace {

class Win32TemporariesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        folder_ = temp + std::string("quopa_temps_") + std::to_string(::GetCurrentProcessId());
        ASSERT_TRUE(::CreateDirectoryA(folder_.c_str(), nullptr));
    }
    void TearDown() override {
        WIN32_FIND_DATAA found;
        HANDLE search = ::FindFirstFileA((folder_ + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do ::DeleteFileA((folder_ + "\\" + found.cFileName).c_str());
            while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(folder_.c_str());
    }
    std::string At(const std::string& name) const { return folder_ + "\\" + name; }
    void Put(const std::string& name) const {
        ASSERT_TRUE(platform::Win32Files().ReplaceAtomically(At(name), "leftover"));
    }
    bool Exists(const std::string& name) const {
        return ::GetFileAttributesA(At(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string folder_;
};

// Leftovers of killed writers go at the next write; one a live writer holds open stays,
// and its name, though it is ours, is no obstacle.
TEST_F(Win32TemporariesTest, StaleOnesAreClearedAndTakenNamesSkipped) {
    const std::string ours = "f.dat.~" + std::to_string(::GetCurrentProcessId()) + "-";
    Put("f.dat");
    Put(ours + "1.tmp");
    Put(ours + "2.tmp");
    Put("F.DAT.~77-3.tmp");
    Put("g.dat.~1-1.tmp");
    Put("f.dat.~x-1.tmp");
    HANDLE held = ::CreateFileA(At(ours + "2.tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    platform::Win32Files files;
    EXPECT_TRUE(files.ReplaceAtomically(At("f.dat"), "new"));
    std::string bytes;
    EXPECT_TRUE(files.ReadAll(At("f.dat"), bytes));
    EXPECT_EQ(bytes, "new");
    EXPECT_FALSE(Exists(ours + "1.tmp"));
    EXPECT_FALSE(Exists("F.DAT.~77-3.tmp"));
    EXPECT_TRUE(Exists(ours + "2.tmp"));
    EXPECT_TRUE(Exists("g.dat.~1-1.tmp"));
    EXPECT_TRUE(Exists("f.dat.~x-1.tmp"));
    ::CloseHandle(held);
}

}  // namespace

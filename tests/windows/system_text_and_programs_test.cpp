// What only the system can answer: its letter case for the ANSI code page, and a listed
// program looked at and ended through the handle it is held by.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_running_programs.h"

namespace {

TEST(SystemLetterCase, AccentedCapitalsOfTheCodePageFold) {
    if (GetACP() != 1252) GTEST_SKIP() << "the code page here is " << GetACP();
    platform::Win32Desktop desktop;
    EXPECT_EQ(desktop.LowerCase("\xC9"
                                "COLE \x8A\x9F\xD7\xDF"),
              "\xE9"
              "cole \x9A\xFF\xD7\xDF");
}

TEST(HeldProgram, AListedProgramIsLookedAtAndEndedThroughItsHandle) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::string line = std::string("\"") + self + "\" --gtest_list_tests";
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                               nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    struct Cleanup {
        HANDLE process;
        ~Cleanup() {
            TerminateProcess(process, 0);
            CloseHandle(process);
        }
    } cleanup{pi.hProcess};

    platform::Win32RunningPrograms programs;
    std::vector<std::unique_ptr<platform::HeldProgram>> all;
    ASSERT_TRUE(programs.List(all));
    std::unique_ptr<platform::HeldProgram> child;
    for (auto& p : all)
        if (p->Info().id == pi.dwProcessId) child = std::move(p);
    all.clear();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->State(), platform::ProgramState::Running);
    EXPECT_TRUE(child->End());
    EXPECT_EQ(child->State(), platform::ProgramState::Gone);
}

}  // namespace

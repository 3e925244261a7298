// What only the system can answer: its letter case for the ANSI code page, and a listed
// program held by its handle until we let it go.
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

TEST(HeldProgram, AListedProgramKeepsItsIdUntilLetGoAndIsEndedThroughItsHandle) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::string line = std::string("\"") + self + "\" --gtest_list_tests";
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                               nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);  // from here on only the list holds it

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
    HANDLE again = OpenProcess(SYNCHRONIZE, FALSE, pi.dwProcessId);
    EXPECT_NE(again, nullptr) << "the id was let go while the program was held";
    if (again) CloseHandle(again);
    child.reset();
    again = OpenProcess(SYNCHRONIZE, FALSE, pi.dwProcessId);
    EXPECT_EQ(again, nullptr) << "the id stays taken after the program is let go";
    if (again) CloseHandle(again);
}

}  // namespace

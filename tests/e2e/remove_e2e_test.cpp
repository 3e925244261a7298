// Safely Remove Device with programs from the drive still running: the launcher names
// them, closes the one that listens, ends the one that does not when told, and only then
// goes on to the removal.
#include <functional>
#include <string>

#include "tests/e2e/launcher_fixture.h"

namespace e2e {
namespace {

std::string AllTexts(HWND parent) {
    std::string texts;
    for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); child;
         child = FindWindowExA(parent, child, nullptr, nullptr)) {
        texts += WindowText(child) + "\n";
    }
    return texts;
}

class RemoveE2E : public LauncherE2E {
  protected:
    // Starts the test program from the drive under `name`.
    bool StartProgram(Launcher& program, const std::string& name) {
        const std::string source = WinePath(Env("QUOPA_DRIVE_PROGRAM"));
        const std::string exe = drive_.root() + name;
        if (source.empty() || !CopyFileA(source.c_str(), exe.c_str(), FALSE)) return false;
        return program.Start(exe, drive_.root()) &&
               program.WaitWindow("QuopaDriveProgram") != nullptr;
    }
    static bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
        for (int waited = 0; waited < timeoutMs; waited += 100, Sleep(100))
            if (done()) return true;
        return done();
    }
};

TEST_F(RemoveE2E, ProgramsFromTheDriveAreClosedOrEndedBeforeTheRemoval) {
    Launcher polite, stubborn;
    ASSERT_TRUE(StartProgram(polite, "polite.exe"));
    ASSERT_TRUE(StartProgram(stubborn, "stubborn.exe"));
    Launcher launcher;
    HWND main = StartMain(launcher);
    ASSERT_NE(main, nullptr);

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(quopa::cmd::kRemove, 0), 0);
    HWND question = launcher.WaitWindow("#32770", 10000);
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);

    HWND dialog = launcher.WaitWindow("QuopaForm", 10000);
    ASSERT_NE(dialog, nullptr) << "the drive's programs were not named";
    EXPECT_EQ(WindowText(dialog), "Programs still running from the drive");
    const std::string listed = AllTexts(dialog);
    EXPECT_NE(listed.find(drive_.root() + "polite.exe"), std::string::npos) << listed;
    EXPECT_NE(listed.find(drive_.root() + "stubborn.exe"), std::string::npos) << listed;
    EXPECT_EQ(listed.find("quopa.exe"), std::string::npos)
        << "the launcher is not its own obstacle";

    PostMessageA(FindChild(dialog, "Button", "&Close them"), BM_CLICK, 0, 0);
    EXPECT_TRUE(polite.WaitExit(10000)) << "the program that listens was not closed";
    HWND end = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (end = FindChild(dialog, "Button", "&End them")) != nullptr; },
                        20000));
    EXPECT_TRUE(stubborn.Running()) << "nothing is ended before the user says so";
    WaitFor([&] { return IsWindowEnabled(end) != FALSE; }, 5000);
    PostMessageA(end, BM_CLICK, 0, 0);
    EXPECT_TRUE(stubborn.WaitExit(10000));

    // Then the removal tool, or, where this system lacks it, the message that says so.
    HWND failure = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            failure = launcher.Running() ? launcher.WaitWindow("#32770", 100) : nullptr;
            return !launcher.Running() || failure;
        },
        20000));
    if (failure) {
        EXPECT_NE(FindChild(failure, "Static", "The device removal tool could not be started."),
                  nullptr);
        PostMessageA(failure, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ExitThroughMenu(launcher, main);
    }
}

}  // namespace
}  // namespace e2e

#pragma once
// What a user does to the launcher's windows, sent from outside: dialogs found by caption,
// boxes typed into, buttons pressed, message boxes answered, the tree read and clicked.
#include <windows.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/launcher_fixture.h"

namespace e2e {

// Polls until done() holds or the time is up; the result is done()'s last answer.
template <class Done>
bool WaitFor(Done done, int timeoutMs = 10000) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return done();
        Sleep(50);
    }
    return true;
}

// The screen's dots per inch for the programs started while it lives (Wine reads the
// user's LogPixels when a program starts); the old value comes back at the end.
class ScreenDpi {
  public:
    explicit ScreenDpi(DWORD dpi);
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;
    ~ScreenDpi();

  private:
    HKEY key_ = nullptr;
    DWORD old_ = 0;
    bool had_ = false;
};

void SetText(HWND box, const std::string& text);
void Press(HWND button);
// Picks an entry of a drop-down list as the keyboard does, so the list tells its owner.
void Pick(HWND list, int index);
// The text of a message box, and its number for the answer given.
std::string MessageText(HWND box);

// The launcher started on the test drive, with its main window and tree at hand.
class DrivenLauncher : public LauncherE2E {
  protected:
    void TearDown() override {
        if (main_ && launcher_->Running()) ExitThroughMenu(*launcher_, main_);
    }
    // Starts a fresh process and waits until its tree holds at least `nodes` nodes.
    void Start(std::size_t nodes = 1);
    void Exit() {
        ExitThroughMenu(*launcher_, main_);
        main_ = nullptr;
    }
    std::vector<RemoteNode> Nodes() const { return ReadTree(tree_, launcher_->Pid()); }
    std::vector<std::string> NodeTexts() const;
    HTREEITEM Item(const std::string& text) const;
    void ClickItem(const std::string& text);
    void Command(int id) const { PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // Lets the launcher handle what was posted to it.
    void Settle() const;
    // A top-level window of the launcher with this caption, once it shows.
    HWND WaitDialog(const std::string& caption, int timeoutMs = 10000) const;
    bool Gone(HWND window) const {
        return WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); });
    }
    // Waits for a message box, answers it with `id` and returns its text.
    std::string Answer(int id);
    bool Renamed(const std::string& from, const std::string& to);
    std::string Apps() const { return ReadFile(DataFile("quopa_apps.dat")); }
    std::string Settings() const { return ReadFile(DataFile("quopa_settings.dat")); }

    std::unique_ptr<Launcher> launcher_;
    HWND main_ = nullptr;
    HWND tree_ = nullptr;
};

}  // namespace e2e

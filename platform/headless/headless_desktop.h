#pragma once
// The desktop as tests set it up: message boxes are recorded and answered from a queue.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/headless/event_log.h"

namespace platform {

struct MessageBoxCall {
    WindowId owner = 0;
    std::string text, title;
    unsigned style = 0;
};

class HeadlessDesktop : public Desktop {
  public:
    static constexpr std::uintptr_t kAppIconId = 0xA991;

    explicit HeadlessDesktop(Files& files) : files_(files) {}

    // Answers from `answers`; when it is empty, Yes for a Yes/No box, otherwise OK.
    int MsgBox(WindowId owner, const std::string& text, const std::string& title,
               unsigned style) override;
    ScreenMetrics Screen() override { return screen; }
    bool TaskbarRect(PixelRect& rect) override;
    void SetForeground(WindowId window) override { foregroundCalls.push_back(window); }
    DiskSpace DiskFreeSpace(const std::string& root) override;
    Picture AppIcon() override { return Picture(Picture::Kind::Icon, kAppIconId, nullptr); }
    // A bitmap when the file exists and starts with "BM", else an empty picture.
    Picture LoadPicture(const std::string& path) override;
    // As a Windows-1252 system folds.
    std::string LowerCase(std::string_view text) override;
    std::string WithoutAccents(std::string_view text) override;

    EventLog* log = nullptr;  // not owned
    // A box lets the program's windows run: this plays what the user does meanwhile.
    std::function<void()> whileShown;
    std::vector<MessageBoxCall> messages;
    std::deque<int> answers;

    ScreenMetrics screen{1024, 768, 96, 96, 16, 16};
    bool hasTaskbar = true;
    PixelRect taskbar{0, 738, 1024, 768};
    std::vector<WindowId> foregroundCalls;
    DiskSpace disk{1ull << 30, 4ull << 30, 1ull << 30};
    std::vector<std::string> diskQueries;
    std::vector<std::string> loadedPictures;  // paths that gave a picture

  private:
    Files& files_;
    std::uintptr_t nextBitmap_ = 0xB000;
};

}  // namespace platform

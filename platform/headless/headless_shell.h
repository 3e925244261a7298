#pragma once
// The shell as tests set it up: every call is recorded, every answer is a public field.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/headless/event_log.h"
#include "platform/shell.h"

namespace platform {

struct ExecuteCall {
    WindowId owner = 0;
    std::string operation, file, parameters, directory;
    int showCommand = 0;
};

struct StartProcessCall {
    std::string commandLine;
    int showCommand = 0;
    std::string directory;
};

class HeadlessShell : public Shell {
  public:
    // With `files`, FindProgram answers 2 (file not found) for a file that does not
    // exist, as the system does.
    explicit HeadlessShell(Files* files = nullptr) : files_(files) {}

    std::intptr_t Execute(WindowId owner, const std::string& operation, const std::string& file,
                          const std::string& parameters, const std::string& directory,
                          int showCommand) override;
    std::intptr_t FindProgram(const std::string& file, const std::string& directory,
                              std::string& program) override;
    std::string TempPath() override { return tempPath; }
    Picture FileIcon(const std::string& path, std::uint32_t flags) override;
    Picture OwnIcon(const std::string& path) override;
    bool StartProcess(const std::string& commandLine, int showCommand,
                      const std::string& directory) override;
    std::string SystemFolder() override { return systemFolder; }
    std::optional<ShortcutTarget> ReadShortcut(const std::string& path) override {
        const auto found = shortcuts.find(path);
        return found == shortcuts.end() ? std::nullopt : std::optional(found->second);
    }

    EventLog* log = nullptr;  // not owned
    std::vector<ExecuteCall> executed;
    std::intptr_t executeResult = 42;

    std::string browserPath = "C:\\Program Files\\Browser\\browser.exe";
    std::intptr_t browserCode = 42;
    std::vector<std::string> findExecutableFiles;  // directory + file of each call

    std::string tempPath = "C:\\Temp\\";

    // One stable icon handle per type, given out on first use.
    std::map<std::string, std::uintptr_t> iconIds;
    std::set<std::string> noIconFor;  // types that get an empty picture
    std::vector<std::string> iconRequests;
    std::uint32_t lastIconFlags = 0;
    // Files that carry an icon of their own, by path as asked; any other gives none.
    std::map<std::string, std::uintptr_t> ownIcons;
    std::vector<std::string> ownIconRequests;

    std::string systemFolder = "C:\\Windows\\System32";
    std::vector<StartProcessCall> started;
    bool startResult = true;
    std::map<std::string, ShortcutTarget> shortcuts;  // by path as asked; others unreadable

  private:
    Files* files_;  // not owned; may be null
};

}  // namespace platform

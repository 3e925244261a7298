#pragma once
// File services on Windows, through the ANSI functions of kernel32.
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "platform/files.h"

namespace platform {

class Win32Files : public Files {
  public:
    FileInfo Query(const std::string& path) override;
    bool ReadAll(const std::string& path, std::string& bytes) override;
    bool ReplaceAtomically(const std::string& path, const std::string& bytes) override;
    bool CreateEmpty(const std::string& path) override;
    bool Delete(const std::string& path) override;
    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override;
    bool CreateFolder(const std::string& folder) override;
    void InBackground(std::function<void(Files&)> job) override;
    void WaitForBackground() override;

    Win32Files();
    Win32Files(const Win32Files&) = delete;
    Win32Files& operator=(const Win32Files&) = delete;
    ~Win32Files() override;

  private:
    // A handle to a new temporary beside `path`, named in `temp`; INVALID_HANDLE_VALUE
    // on failure. Kept as void* so the header needs no <windows.h>.
    void* CreateTemporary(const std::string& path, std::string& temp);

    std::set<std::string> swept_;  // files whose stale temporaries are cleared already
    unsigned tempCounter_ = 0;
    // One thread, kept while jobs come, takes them in turn: a command queues its job and goes
    // on even while the last one still runs, and never waits for a thread to start.
    struct Jobs;
    std::unique_ptr<Jobs> jobs_;
};

}  // namespace platform

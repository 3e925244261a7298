#pragma once
// File services on Windows, through the ANSI functions of kernel32.
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "platform/files.h"
#include "platform/worker.h"

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

    Win32Files() = default;
    Win32Files(const Win32Files&) = delete;
    Win32Files& operator=(const Win32Files&) = delete;
    ~Win32Files() override;

  private:
    // A handle to a new temporary beside `path`, named in `temp`; INVALID_HANDLE_VALUE
    // on failure. Kept as void* so the header needs no <windows.h>.
    void* CreateTemporary(const std::string& path, std::string& temp);

    std::set<std::string> swept_;  // files whose stale temporaries are cleared already
    unsigned tempCounter_ = 0;
    // The worker's files are its alone; they outlive its job (the destructor waits).
    std::unique_ptr<Win32Files> workerFiles_;
    Worker worker_;
};

}  // namespace platform

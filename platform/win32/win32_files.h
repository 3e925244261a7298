#pragma once
// File services on Windows, through the ANSI functions of kernel32.
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

  private:
    // A handle to a new temporary beside `path`, named in `temp`; INVALID_HANDLE_VALUE
    // on failure. Kept as void* so the header needs no <windows.h>.
    void* CreateTemporary(const std::string& path, std::string& temp);

    std::set<std::string> swept_;  // files whose stale temporaries are cleared already
    unsigned tempCounter_ = 0;
};

}  // namespace platform

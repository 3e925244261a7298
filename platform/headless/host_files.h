#pragma once
// File services of the headless backend: real files on the host, reached through
// Windows paths whose drive letters are mapped onto host folders.
#include <map>
#include <set>
#include <string>

#include "platform/files.h"

namespace platform {

class HostFiles : public Files {
  public:
    // "E:\a\b.dat" then means hostFolder + "/a/b.dat"; the letter's case does not matter.
    void MapDrive(char letter, std::string hostFolder);
    // Paths on no mapped drive only have their backslashes turned into slashes.
    std::string HostPath(const std::string& path) const;

    FileInfo Query(const std::string& path) override;
    bool ReadAll(const std::string& path, std::string& bytes) override;
    bool ReplaceAtomically(const std::string& path, const std::string& bytes) override;
    bool CreateEmpty(const std::string& path) override;
    bool Delete(const std::string& path) override;
    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override;
    bool CreateFolder(const std::string& folder) override;

  private:
    // An open descriptor for a new temporary beside `host`, named in `temp`; -1 on failure.
    int CreateTemporary(const std::string& host, std::string& temp);

    std::map<char, std::string> drives_;
    std::set<std::string> swept_;  // files whose stale temporaries are cleared already
    unsigned tempCounter_ = 0;
};

}  // namespace platform

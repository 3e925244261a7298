#pragma once
// File services the program logic needs. Paths are Windows paths ("E:\Tools\x.dat");
// the headless backend maps drive letters onto host folders.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

enum class PathKind { Missing, File, Directory };

struct FileInfo {
    PathKind kind = PathKind::Missing;
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;  // opaque; only compared for equality
    bool readOnly = false;
    // Written within the file system's clock step of now: a further write could still
    // leave size and time as they are, so what is read now must be checked again.
    bool recentlyWritten = false;
};

struct FolderEntry {
    std::string name;
    PathKind kind = PathKind::File;
};

class Files {
  public:
    virtual ~Files() = default;
    // Attributes only: must never open the file (an open costs ~100x more under Wine).
    virtual FileInfo Query(const std::string& path) = 0;
    virtual bool ReadAll(const std::string& path, std::string& bytes) = 0;
    // Writes a sibling temporary file, flushes it to the device, then renames it over
    // `path`, so a pulled stick leaves either the old or the new content. The first
    // call for a path clears the temporaries that killed writers left beside it.
    virtual bool ReplaceAtomically(const std::string& path, const std::string& bytes) = 0;
    virtual bool CreateEmpty(const std::string& path) = 0;
    virtual bool Delete(const std::string& path) = 0;
    // The names in `folder`, without "." and ".."; false when it cannot be listed. Reads the
    // folder only, never a file in it.
    virtual bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) = 0;
    // True when the folder exists afterwards.
    virtual bool CreateFolder(const std::string& folder) = 0;

    // Runs `job` on another thread, after the jobs given before it, with file services of its
    // own: a copy of a large file then costs the caller nothing. Here, at once, on this one.
    virtual void InBackground(std::function<void(Files&)> job) { job(*this); }
    // Returns once every job given so far has ended.
    virtual void WaitForBackground() {}
};

}  // namespace platform

#pragma once
// File services the program logic needs. Paths are Windows paths ("E:\Tools\x.dat");
// the headless backend maps drive letters onto host folders.
#include <cstdint>
#include <string>

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
};

}  // namespace platform

#pragma once
// Earlier states of the apps file, kept in a folder beside it: a list damaged outside Quopa
// (by a sync tool, an editor) or changed by mistake can be taken back after a restart too.
#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/files.h"

namespace quopa {

struct KeptPrints;

// The folder beside the data files that holds the versions.
std::string VersionsFolder(const std::string& programFolder);

class VersionRing {
  public:
    static constexpr std::size_t kKept = 10;

    VersionRing(platform::Files& files, platform::CodePage& codePage, std::string folder);
    VersionRing(const VersionRing&) = delete;
    VersionRing& operator=(const VersionRing&) = delete;
    ~VersionRing();

    // Keeps `text` as the newest version, in the form the apps file would have, in the background:
    // the command that replaced them does not wait. A state already kept, or one without a single
    // line, is not kept again; beyond kKept the oldest goes. Given each change's state before and
    // after, the newest version is the list as Quopa left it, whatever happens to the file later.
    void Keep(std::shared_ptr<const std::string> text);
    // A kept version's text; false when it cannot be read.
    bool Read(const std::string& file, std::string& text);
    // True once after a version could not be kept (a full or read-only drive).
    bool TakeFailure() { return failed_->exchange(false); }

    struct Version {
        std::string file;
        std::string time;  // "2026-12-08 05:33:58", local time when it was replaced
    };
    // Newest first, once every version given is kept.
    std::vector<Version> List();

  private:
    platform::Files& files_;        // not owned
    platform::CodePage& codePage_;  // not owned
    std::string folder_;
    // The state kept last: most changes start where the last one ended. Shared with the
    // engine and the job, as its bytes never change.
    std::shared_ptr<const std::string> last_;
    std::shared_ptr<KeptPrints> prints_;  // the jobs' alone, one job at a time
    // Shared with the jobs, which may end after a failure is taken.
    std::shared_ptr<std::atomic<bool>> failed_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace quopa

#pragma once
// Programs kept on the drive in the PortableApps.com Format: every subfolder of the folder
// "PortableApps" at the drive's root that describes itself in App\AppInfo\appinfo.ini.
// They are shown beside the user's list and never written into it.
#include <chrono>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/code_page.h"
#include "platform/files.h"
#include "store/ini.h"

namespace quopa {

// The Options box's choice, in the settings file; a file without it means off.
inline constexpr char kPortableAppsSection[] = "Settings";
inline constexpr char kPortableAppsKey[] = "LoadPortableApps";
bool PortableAppsWanted(modINI& ini, const std::string& settingsFile);

// The folder looked at for a launcher on `drive` ("E:", or a share root "\\server\share").
std::string PortableAppsFolder(const std::string& drive);

struct FoundApp {
    std::string key;  // its tree node's key: never "application" + digits, nor a category's
    std::string name, category, description;
    std::string program;  // full path
    std::string folder;   // the app's own folder, where it starts
    std::string icon;     // the format's icon file; empty when there is none
    bool operator==(const FoundApp&) const = default;
};

// The Tag of every node shown for a found app, and of the categories shown only for them.
inline constexpr char kFoundTag[] = "PortableApps";

// Found-app node keys begin with this; a category of that name cannot be made by hand in
// practice, and an item key never can.
inline constexpr char kFoundKeyPrefix[] = "portableapps:";

// Looks at the PortableApps folder a few subfolders at a time. A folder whose appinfo.ini
// kept its size and time since the last look is not read again.
class PortableAppsScan {
  public:
    PortableAppsScan(platform::Files& files, platform::CodePage& codePage);

    // Starts a look at `root` from its first subfolder; one that runs is begun again.
    void Start(const std::string& root);
    void Stop() { running_ = false; }
    bool Running() const { return running_; }
    // Looks at subfolders for about `budget` (at least one); true when the look has ended.
    bool Slice(std::chrono::steady_clock::duration budget);
    // What the last ended look found, by subfolder name then entry.
    const std::vector<FoundApp>& Apps() const { return apps_; }

  private:
    struct Known {
        std::uint64_t size = 0, writeTime = 0;
        std::vector<FoundApp> apps;
    };
    void Look(const std::string& name);
    void End();

    platform::Files& files_;
    platform::CodePage& codePage_;
    std::string root_;
    bool running_ = false;
    std::vector<platform::FolderEntry> entries_;
    std::size_t next_ = 0;
    std::unordered_map<std::string, Known> known_, seen_;  // by lower-case subfolder name
    std::vector<FoundApp> apps_;
};

}  // namespace quopa

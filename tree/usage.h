#pragma once
// What the user starts from Quopa, kept on the drive in a file of its own: how often and how
// lately each item was started, and which item was chosen for a text typed in the quick box.
// An entry holds the item's name and path besides its key; an item renamed, deleted or made
// anew under the same key no longer matches them, so its counts never rank another item.
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/files.h"

namespace quopa {

class Usage {
  public:
    // Recent starts weigh more: a start counts half after this long.
    static constexpr std::int64_t kHalfLifeSeconds = 30 * 24 * 3600;
    // Texts remembered per item; the oldest gives way.
    static constexpr std::size_t kMaxTyped = 8;

    Usage(platform::Files& files, std::string file);
    static std::int64_t Now() {
        using namespace std::chrono;
        return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
    }

    // Reads the file; a missing or unreadable one is an empty history.
    void Load();
    // Writes what changed since the last write, through the one atomic write. A drive that
    // refuses it keeps nothing and says nothing; false then.
    bool Save();
    bool Unsaved() const { return dirty_; }

    // A start of the item `key`, named and found at `name` and `path`; `typed` (folded) is the
    // quick box's text it was chosen for, empty for a start from elsewhere.
    void Started(const std::string& key, const std::string& name, const std::string& path,
                 std::int64_t now, const std::string& typed = "");
    // The decayed count of starts; 0 when the key is unknown or its name or path changed.
    double Weight(std::string_view key, std::string_view name, std::string_view path,
                  std::int64_t now) const;
    bool Knows(std::string_view key) const { return entries_.count(std::string(key)) != 0; }
    // The key of the item last chosen for `typed`, else empty.
    std::string ChosenFor(const std::string& typed) const;
    // Drops the entries the list no longer holds as they were; `present` maps each listed key
    // to its name and path. A found app missing from it stays (its folder may not have been
    // looked at yet); an item of the apps file missing from it is gone.
    struct Listed {
        std::string name, path;
    };
    void Prune(const std::unordered_map<std::string, Listed>& present);

  private:
    struct Entry {
        std::string name, path;
        double uses = 0;        // at `time`
        std::int64_t time = 0;  // seconds since 1970
        std::vector<std::string> typed;
    };
    const Entry* Matching(std::string_view key, std::string_view name, std::string_view path) const;

    platform::Files& files_;
    std::string file_;
    std::unordered_map<std::string, Entry> entries_;
    bool dirty_ = false;
};

}  // namespace quopa

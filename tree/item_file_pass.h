#pragma once
// After a build has shown the tree, each item's own file is looked at once: a program or
// shortcut shows the icon it carries instead of its type's, and an item whose file or
// folder is gone is drawn grey. The build itself never touches an item's file, so the
// start-up stays as fast as the list is long; this pass runs in short slices on the
// window's thread, so the tree, the filter and the commands stay usable meanwhile.
#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "launch/launcher.h"
#include "platform/shell.h"
#include "ui/image_list.h"
#include "ui/tree_view.h"

namespace quopa {

class ItemFilePass {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    // Well under the 50 ms a window may stop answering unnoticed, with one slow lookup
    // (about 3 ms under Wine) past the end.
    static constexpr std::chrono::milliseconds kSlice{30};

    // `clock` may be empty: the steady clock.
    ItemFilePass(ui::TreeView& tree, ui::ImageList& images, platform::Shell& shell,
                 const Launcher& launcher, Clock clock = {});

    // A rebuild: the pictures are gone, so every result is forgotten and asked again.
    void Restart();
    // A rebuild that kept the pictures: every item is looked at again, its last result shown
    // meanwhile.
    void Recheck();
    // An item node the load added or kept. A known item gets its result back at once (the
    // filter's restore adds its node again); a new one waits for a slice. Web links are
    // never looked at. A program's picture comes from `picture` when given, whether the
    // program is there or not.
    void Note(const std::string& key, const std::string& imageKey, const std::string& stored,
              int type, const std::string& picture = "");
    // Noted before with the same file: the picture it was given still fits.
    bool Knows(const std::string& key, const std::string& imageKey, const std::string& stored,
               const std::string& picture = "") const;
    bool Pending() const { return waiting_ > 0; }
    // Looks at waiting items for about `budget`, those on screen first.
    void Slice(std::chrono::steady_clock::duration budget = kSlice);

  private:
    struct Entry {
        std::string imageKey, stored, picture;
        bool program = false;  // a type-0 item: its own icon is wanted
        bool done = false;
        bool queued = false;
        bool missing = false;
        std::string pictureKey;  // the file's own picture, shared by its items; or empty
    };
    void Queue(const std::string& key, Entry& entry);
    void Look(const std::string& key, Entry& entry);
    std::string OwnPicture(const std::string& path);
    void Show(const std::string& key, const Entry& entry);

    ui::TreeView& tree_;
    ui::ImageList& images_;
    platform::Shell& shell_;
    const Launcher& launcher_;
    Clock clock_;

    std::unordered_map<std::string, Entry> entries_;  // by node key
    std::deque<std::string> queue_;                   // in load order
    std::unordered_set<std::string> unreadable_;      // files that gave no icon
    std::size_t waiting_ = 0;
};

}  // namespace quopa

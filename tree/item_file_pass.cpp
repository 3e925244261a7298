#include "tree/item_file_pass.h"

#include <utility>

#include "platform/file_type.h"
#include "platform/text.h"

namespace quopa {

namespace {

constexpr int kWebLink = 1;

// Files that carry an icon of their own; any other file looks like its type.
bool CarriesOwnIcon(const std::string& path) {
    const std::string type = platform::FileTypeOf(path);
    return type == ".exe" || type == ".lnk" || type == ".ico";
}

}  // namespace

ItemFilePass::ItemFilePass(ui::TreeView& tree, ui::ImageList& images, platform::Shell& shell,
                           const Launcher& launcher, Clock clock)
    : tree_(tree),
      images_(images),
      shell_(shell),
      launcher_(launcher),
      clock_(clock ? std::move(clock) : Clock(&std::chrono::steady_clock::now)) {}

void ItemFilePass::Restart() {
    entries_.clear();
    queue_.clear();
    unreadable_.clear();
    waiting_ = 0;
}

void ItemFilePass::Recheck() {
    queue_.clear();
    waiting_ = 0;
    for (auto& [key, entry] : entries_) entry.done = entry.queued = false;
}

bool ItemFilePass::Knows(const std::string& key, const std::string& imageKey,
                         const std::string& stored, const std::string& picture) const {
    auto found = entries_.find(key);
    return found != entries_.end() && found->second.stored == stored &&
           found->second.imageKey == imageKey && found->second.picture == picture;
}

void ItemFilePass::Note(const std::string& key, const std::string& imageKey,
                        const std::string& stored, int type, const std::string& picture) {
    if (type == kWebLink) return;
    if (Knows(key, imageKey, stored, picture)) {
        Entry& entry = entries_[key];
        if (entry.done) Show(key, entry);
        if (!entry.done && !entry.queued) Queue(key, entry);
        return;
    }
    Entry& entry = entries_[key];
    if (entry.queued) --waiting_;  // queued under an older path
    entry = Entry{imageKey, stored, picture, type == 0};
    Queue(key, entry);
}

void ItemFilePass::Queue(const std::string& key, Entry& entry) {
    entry.queued = true;
    queue_.push_back(key);
    ++waiting_;
}

void ItemFilePass::Slice(std::chrono::steady_clock::duration budget) {
    const auto end = clock_() + budget;
    bool first = true;  // every slice gets one item done, however slow
    auto more = [&] { return Pending() && (std::exchange(first, false) || clock_() < end); };
    auto waiting = [&](const std::string& key) {
        auto it = entries_.find(key);
        return it != entries_.end() && it->second.queued ? &it->second : nullptr;
    };
    for (const ui::TreeNode* node : tree_.NodesOnScreen()) {
        Entry* entry = waiting(node->Key());
        if (!entry) continue;
        if (!more()) return;
        Look(node->Key(), *entry);
    }
    for (;;) {
        while (!queue_.empty() && !waiting(queue_.front())) queue_.pop_front();
        if (queue_.empty() || !more()) return;
        const std::string key = std::move(queue_.front());
        queue_.pop_front();
        Look(key, *waiting(key));
    }
}

void ItemFilePass::Look(const std::string& key, Entry& entry) {
    const LocatedPath located = launcher_.Locate(entry.stored);
    entry.missing = !located.found;
    if (entry.program && !entry.picture.empty())
        entry.pictureKey = OwnPicture(entry.picture);
    else if (entry.program && located.found && CarriesOwnIcon(located.path))
        entry.pictureKey = OwnPicture(located.path);
    entry.done = true;
    entry.queued = false;
    --waiting_;
    Show(key, entry);
}

std::string ItemFilePass::OwnPicture(const std::string& path) {
    // Keyed by the file, so items of one file share one picture, and the filter, which
    // drops only the items' keys, cannot take it away.
    std::string pictureKey = "file:" + platform::AsciiLower(path);
    if (images_.IndexOf(pictureKey) >= 0) return pictureKey;
    if (unreadable_.count(pictureKey)) return "";
    if (images_.Add(pictureKey, shell_.OwnIcon(path)) >= 0) return pictureKey;
    unreadable_.insert(pictureKey);
    return "";
}

void ItemFilePass::Show(const std::string& key, const Entry& entry) {
    ui::TreeNode* node = tree_.Find(key);
    if (!node) return;  // filtered out: shown again when the restore notes it
    tree_.SetNodeGreyed(*node, entry.missing);
    const int own = entry.pictureKey.empty() ? -1 : images_.IndexOf(entry.pictureKey);
    if (own < 0 || node->Image() != entry.imageKey || images_.IndexOf(entry.imageKey) == own)
        return;
    images_.Remove(entry.imageKey);
    images_.AddAlias(entry.imageKey, own);
    tree_.SetNodeImage(*node, entry.imageKey);  // the key stays; the view takes the new index
}

}  // namespace quopa

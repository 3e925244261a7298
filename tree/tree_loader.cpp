#include "tree/tree_loader.h"
#include "store/data_files.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <exception>
#include <optional>
#include <utility>

#include "launch/shell_rules.h"
#include "platform/debug_trace.h"
#include "platform/file_type.h"
#include "store/item_key.h"
#include "tree/mod_get_browser.h"
#include "tree/mod_get_icon.h"
#include "tree/node_kind.h"

namespace quopa {

namespace {

constexpr int kLimit = 10000;  // numbers 1 to 9999 are looked at
// Nodes that are not items sort last.
int ItemNumber(const ui::TreeNode& node) {
    return ItemNumberOf(node.Key()).value_or(INT_MAX);
}

int WholeNumber(const std::string& text) {
    if (text.empty()) return 0;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || value < INT_MIN || value > INT_MAX) return 0;
    return static_cast<int>(value);
}

class UpdateGuard {
  public:
    explicit UpdateGuard(ui::TreeView& tree) : tree_(&tree) { tree_->BeginUpdate(); }
    ~UpdateGuard() { End(); }
    UpdateGuard(const UpdateGuard&) = delete;
    UpdateGuard& operator=(const UpdateGuard&) = delete;
    void End() {
        if (tree_) std::exchange(tree_, nullptr)->EndUpdate();
    }

  private:
    ui::TreeView* tree_;
};

using Stretch = platform::StepTotal::Stretch;

}  // namespace

// What a load's items cost, step by step, in a build that times its start-up.
struct TreeLoader::ItemSteps {
    platform::StepTotal keys{"item keys read"};
    platform::StepTotal autorun{"autorun pass"};
    platform::StepTotal nodes{"tree nodes"};
    platform::StepTotal icons{"type icons"};
    platform::StepTotal menu{"tray Run menu"};
    platform::StepTotal notes{"file pass noted"};
};

TreeLoader::TreeLoader(const TreeTargets& targets, modINI& ini, Launcher& launcher,
                       platform::Services& services, ProgramState& state, std::string appsFile,
                       std::function<void()> doEvents)
    : TreeView1_(targets.TreeView1),
      ilIcons_(targets.ilIcons),
      mnuPopupRun_(targets.mnuPopupRun),
      mnuPopupApplication_(targets.mnuPopupApplication),
      tmrItemPass_(targets.tmrItemPass),
      ini_(ini),
      launcher_(launcher),
      services_(services),
      state_(state),
      appsFile_(std::move(appsFile)),
      doEvents_(std::move(doEvents)),
      pass_(targets.TreeView1, targets.ilIcons, services.shell, launcher) {
    // The designed first entry waits for an item: found apps alone open the submenu too, and
    // a placeholder above them would run an empty item.
    if (ui::MenuItem* first = mnuPopupApplication_.Element(1)) first->SetVisible(false);
}

std::string TreeLoader::Read(const std::string& section, const char* key) const {
    return ini_.ReadIni(section, key, "", appsFile_);
}

ListedItem TreeLoader::ReadItem(int n) const {
    const std::string section = ItemSection(n);
    ListedItem item{n, "", "", Read(section, "Path"), "", 0};
    if (!item.path.empty()) item.name = Read(section, "Name");
    if (item.name.empty()) return item;
    item.category = Read(section, "Category");
    item.description = Read(section, "Description");
    item.type = WholeNumber(Read(section, "Type"));
    return item;
}

void TreeLoader::IntList() {
    Run(Job::Everything);
}
void TreeLoader::loadcats() {
    Run(Job::Categories);
}
void TreeLoader::LoadApps() {
    Run(Job::Items);
}

struct TreeLoader::Running {
    TreeLoader& loader;
    explicit Running(TreeLoader& l) : loader(l) { loader.running_ = true; }
    ~Running() {
        loader.running_ = false;
        loader.pending_ = Job::None;  // a load ended by a fault takes its waiting one along
    }
};

void TreeLoader::Run(Job job) {
    if (running_) {
        pending_ = std::max(pending_, job);
        return;
    }
    Running running(*this);
    for (; job != Job::None; job = std::exchange(pending_, Job::None)) {
        // One version of the apps file for each load: every load reads it afresh, so the
        // file stays the authority, and a check per key would cost more than the key.
        modINI::ReadScope oneVersion(ini_, appsFile_);
        switch (job) {
            case Job::Everything:
                Rebuild();
                break;
            case Job::Categories:
                LoadCategories();
                break;
            default:
                LoadItems();
                break;
        }
    }
    PaceThePass();
}

void TreeLoader::PaceThePass() {
    if (tmrItemPass_ && tmrItemPass_->Enabled() != pass_.Pending())
        tmrItemPass_->SetEnabled(pass_.Pending());
}

void TreeLoader::ContinuePass(std::chrono::steady_clock::duration budget) {
    if (running_) return;
    pass_.Slice(budget);
    if (tmrItemPass_ && !pass_.Pending()) tmrItemPass_->SetEnabled(false);
}

void TreeLoader::Rebuild() {
    UpdateGuard update(TreeView1_);
    platform::TimedStep pictures("tree cleared, default pictures");
    const platform::ScreenMetrics screen = services_.desktop.Screen();
    const std::string browser = GetBrowserPath(services_.shell, services_.files, services_.desktop);
    const std::vector<ui::TreeNode*>& roots = TreeView1_.Roots();
    // What the last load built stays where nothing it was made from changed: then a command
    // costs what it changed, not what the list holds, and kept rows keep their pictures.
    if (!roots.empty() && roots.front() == TreeView1_.Find(kMainCategoryKey) &&
        screen.smallIconWidth == iconSize_.first && screen.smallIconHeight == iconSize_.second &&
        browser == browserPath_) {
        TreeView1_.Select(nullptr);  // as after a fresh load
        pass_.Recheck();
    } else {
        TreeView1_.Clear();
        ilIcons_.Clear();
        pass_.Restart();
        ilIcons_.SetImageSize(screen.smallIconWidth, screen.smallIconHeight);
        ilIcons_.Add("default", services_.desktop.AppIcon());
        AddBrowserImage(browser);
        TreeView1_.SetImageList(&ilIcons_);
        if (ui::TreeNode* main = TreeView1_.Add("", kMainCategoryKey, kMainCategoryText, "default"))
            TreeView1_.SetNodeTag(*main, "Category0");
        iconSize_ = {screen.smallIconWidth, screen.smallIconHeight};
        browserPath_ = browser;
    }
    pictures.End();
    rebuilding_ = true;
    LoadCategories();
    rebuilding_ = false;
    platform::TimedStep redraw("tree redrawn after the load");
    update.End();
}

void TreeLoader::AddBrowserImage(const std::string& browser) {
    platform::Picture icon = GetFileIcon(services_.shell, browser, kIconByName);
    // Links still need a picture: the system's generic one, else the program's own.
    if (!icon) icon = GetFileIcon(services_.shell, "", kIconByName);
    if (ilIcons_.Add("browser", icon) < 0) {
        int fallback = ilIcons_.IndexOf("default");
        if (fallback >= 0) ilIcons_.AddAlias("browser", fallback);
    }
}

void TreeLoader::LoadCategories() {
    platform::TimedStep step("categories (and the apps file's first parse)");
    int next = kLimit;
    std::size_t at = 1;  // after the main category
    for (int n = 1; n < kLimit; ++n) {
        std::string section = "Category" + std::to_string(n);
        std::string name = Read(section, "Name");
        if (name.empty()) {
            next = n;
            break;
        }
        if (name != "Deleted") PlaceCategory(name, section, at);
    }
    // With every number up to 9999 taken, a new category must still not overwrite one.
    if (next == kLimit) next = FirstEmpty("Category", "Name", kLimit);
    // Categories of an earlier load that the file no longer holds; found ones stay last.
    std::vector<std::string> gone;
    const std::vector<ui::TreeNode*>& roots = TreeView1_.Roots();
    for (std::size_t i = at; i < roots.size(); ++i)
        if (!IsFoundNode(*roots[i])) gone.push_back(roots[i]->Key());
    for (const std::string& key : gone) TreeView1_.Remove(key);
    step.End();
    if (doEvents_) {
        platform::TimedStep events("window repainted between categories and items");
        doEvents_();
    }
    state_.NextCategoryIndex = static_cast<std::int16_t>(next);
    LoadItems();
}

// The category's node at `at` of the top level, as a load into an empty tree would put it.
void TreeLoader::PlaceCategory(const std::string& name, const std::string& section,
                               std::size_t& at) {
    const std::vector<ui::TreeNode*>& roots = TreeView1_.Roots();
    if (ui::TreeNode* present = TreeView1_.Find(name)) {
        const auto index = static_cast<std::size_t>(std::find(roots.begin(), roots.end(), present) -
                                                    roots.begin());
        // A repeated name or "Quopa" is refused as a key; the category is left out.
        if (index < at) return;
        std::vector<std::string> between;
        bool kept = index < roots.size() && !IsFoundNode(*present);
        for (std::size_t i = at; kept && i < index; ++i) {
            kept = !IsFoundNode(*roots[i]);
            between.push_back(roots[i]->Key());
        }
        if (kept) {
            for (const std::string& key : between) TreeView1_.Remove(key);  // gone from the file
            TreeView1_.SetNodeTag(*present, section);
            ++at;
            return;
        }
        TreeView1_.Remove(name);  // an item's node, or a found one
    }
    if (ui::TreeNode* node = TreeView1_.Add("", name, name, "default", at)) {
        TreeView1_.SetNodeTag(*node, section);
        ++at;
    }
}

void TreeLoader::LoadItems() {
    UpdateGuard update(TreeView1_);
    StartPlacing();

    ItemSteps steps;
    std::vector<ListedItem> wanted;
    int n = 1;
    bool endFound = false;
    for (; n < kLimit; ++n) {
        const std::string section = ItemSection(n);
        std::optional<Stretch> reading(steps.keys);
        ListedItem item = ReadItem(n);
        if (item.path.empty()) {
            endFound = true;
            break;
        }
        if (item.name.empty()) continue;  // deleted
        reading.reset();
        const std::string name = item.name;
        try {
            if (!state_.AutorunDone) {
                Stretch autorun(steps.autorun);
                if (Read(section, "Autorun") == "1") Autorun(section, item.path);
            }
            wanted.push_back(std::move(item));
        } catch (const std::exception& e) {
            // One item that cannot be shown must not hide the rest.
            platform::DebugTrace(section + " left off the tree: " + e.what());
        }
        NoteRunEntry(n, name, steps);
    }
    state_.AutorunDone = true;
    state_.NextItemIndex =
        endFound ? static_cast<std::int16_t>(n) : FirstEmpty("Application", "Path", n);

    DropStaleItems(wanted);
    for (const ListedItem& item : wanted) PlaceItem(item, steps);

    platform::TimedStep order("categories opened");
    OpenAddedCategories();
    if (rebuilding_) CloseEmptyCategories();
    if (onItemsLoaded) onItemsLoaded(wanted);
}

// Opening each category once, after the adds, keeps a large load linear.
// One already open is left as it is: asking again costs the view a pass over its rows.
void TreeLoader::OpenAddedCategories() {
    for (const std::string& key : toExpand_) {
        ui::TreeNode* category = TreeView1_.Find(key);
        if (category && !category->Expanded()) TreeView1_.Expand(*category);
    }
}

bool TreeLoader::ReloadItems(const std::vector<int>& numbers) {
    if (running_) return false;
    Running running(*this);
    modINI::ReadScope oneVersion(ini_, appsFile_);
    std::vector<ListedItem> read;
    for (int n : numbers) {
        if (n < 1 || n >= state_.NextItemIndex) return false;
        read.push_back(ReadItem(n));
        if (read.back().path.empty()) return false;
    }
    UpdateGuard update(TreeView1_);
    StartPlacing();
    ItemSteps steps;
    for (const ListedItem& item : read) {
        const std::string key = ItemKey(item.n);
        const ui::TreeNode* node = TreeView1_.Find(key);
        if (node && node->Parent() && (item.name.empty() || node->Parent()->Key() != item.category))
            TreeView1_.Remove(key);
        if (item.name.empty()) continue;
        NoteRunEntry(item.n, item.name, steps);
        PlaceItem(item, steps);
    }
    OpenAddedCategories();
    CloseEmptyCategories();
    PaceThePass();
    return true;
}

void TreeLoader::StartPlacing() {
    toExpand_.clear();
    expandSeen_.clear();
    places_.clear();
}

void TreeLoader::PlaceItem(const ListedItem& item, ItemSteps& steps) {
    try {
        AddItemNode(item, steps);
    } catch (const std::exception& e) {
        // One item that cannot be shown must not hide the rest.
        platform::DebugTrace(ItemSection(item.n) + " left off the tree: " + e.what());
    }
}

// Item nodes the file no longer holds under that category go before the others are
// placed, so those that stay are in number order among the ones added.
void TreeLoader::DropStaleItems(const std::vector<ListedItem>& wanted) {
    std::vector<const ListedItem*> byNumber(kLimit, nullptr);
    for (const ListedItem& item : wanted) byNumber[item.n] = &item;
    std::vector<std::string> stale;
    for (const ui::TreeNode* root : TreeView1_.Roots()) {
        for (const ui::TreeNode* node : root->Children()) {
            if (!IsItemNode(*node)) continue;
            const int n = ItemNumber(*node);
            const ListedItem* item = n < kLimit ? byNumber[n] : nullptr;
            if (!item || item->category != root->Key()) stale.push_back(node->Key());
        }
    }
    for (const std::string& key : stale) TreeView1_.Remove(key);
}

// A category left without rows would still count as open, which a fresh load's is not.
void TreeLoader::CloseEmptyCategories() {
    const std::vector<ui::TreeNode*>& roots = TreeView1_.Roots();
    for (std::size_t i = 0; i < roots.size(); ++i) {
        const ui::TreeNode* root = roots[i];
        if (!root->Expanded() || !root->Children().empty() || !IsUserCategory(*root)) continue;
        const std::string key = root->Key(), text = root->Text(), tag = root->Tag();
        TreeView1_.Remove(key);
        if (ui::TreeNode* again = TreeView1_.Add("", key, text, "default", i))
            TreeView1_.SetNodeTag(*again, tag);
    }
}

void TreeLoader::NoteRunEntry(int n, const std::string& name, ItemSteps& steps) {
    try {
        Stretch menu(steps.menu);
        mnuPopupRun_.SetEnabled(true);
        if (runNames_.empty()) runNames_.resize(kLimit);
        if (runNames_[n].empty()) runOrder_.push_back(n);
        runNames_[n] = name;
    } catch (const std::exception& e) {
        platform::DebugTrace(ItemSection(n) + " left off the tray menu: " + e.what());
    }
}

void TreeLoader::FillRunMenu() {
    if (runOrder_.empty()) return;
    if (ui::MenuItem* first = mnuPopupApplication_.Element(1)) first->SetVisible(true);
    // In the order the loads met them, as if each had been loaded at once: an entry keeps
    // the place it first took and shows the last name found for it.
    for (int n : std::exchange(runOrder_, {})) {
        try {
            mnuPopupApplication_.Load(n).SetCaption(runNames_[n]);
        } catch (const std::exception& e) {
            platform::DebugTrace(ItemSection(n) + " left off the tray menu: " + e.what());
        }
        runNames_[n].clear();
    }
}

void TreeLoader::Autorun(const std::string& section, const std::string& path) {
    std::string parameters = Read(section, "Parameters");
    std::string style = Read(section, "WindowStyle");
    std::string startIn = Read(section, "StartIn");
    launcher_.ShellOpenFile(launcher_.Locate(path).path, WindowStyleToShow(style), parameters,
                            launcher_.Locate(startIn).path, "open", 0);
}

void TreeLoader::AddItemNode(const ListedItem& item, ItemSteps& steps) {
    std::optional<Stretch> timing(std::in_place, steps.nodes);
    const std::string& category = item.category;
    ui::TreeNode* parent = category.empty() ? nullptr : TreeView1_.Find(category);
    // Only a category (a top-level node) takes items; otherwise the item stays off the
    // tree and is still reachable from the tray.
    if (!parent || parent->Parent()) return;

    const std::string key = ItemKey(item.n);
    ui::TreeNode* present = TreeView1_.Find(key);
    if (present && !present->Parent()) return;  // a category holds the item's key

    // Where number order puts it: children are in that order, found apps last.
    const std::vector<ui::TreeNode*>& children = parent->Children();
    std::size_t& at = places_[category];
    at = std::min(at, children.size());
    while (at > 0 && ItemNumber(*children[at - 1]) > item.n) --at;
    while (at < children.size() && ItemNumber(*children[at]) < item.n) ++at;
    if (present && (at == children.size() || children[at] != present)) {
        TreeView1_.Remove(key);  // out of place: put back where it belongs
        present = nullptr;
    }

    std::string image = "browser";
    const bool known = item.type != 0 || pass_.Knows(key, ItemSection(item.n), item.path);
    if (item.type == 0) {
        timing.emplace(steps.icons);
        image = ItemSection(item.n);
        if (!known) ilIcons_.Remove(image);  // another file: its type's picture for now
        EnsureItemPicture(image, launcher_.ReplaceToken(item.path));
        timing.emplace(steps.nodes);
    }
    if (present) {
        if (present->Text() != item.name) TreeView1_.SetNodeText(*present, item.name);
        if (present->Image() != image || !known) TreeView1_.SetNodeImage(*present, image);
    } else if (!TreeView1_.Add(category, key, item.name, image, at)) {
        return;
    }
    ++at;
    if ((!present || rebuilding_) && expandSeen_.insert(category).second)
        toExpand_.push_back(category);
    timing.emplace(steps.notes);
    pass_.Note(key, image, item.path, item.type);
}

void TreeLoader::EnsureItemPicture(const std::string& imageKey, const std::string& resolvedPath) {
    if (ilIcons_.IndexOf(imageKey) >= 0) return;
    // The icon depends on the type only: one lookup per type, kept under its own key so
    // that removing an item's key never takes the shared picture with it.
    std::string typeKey = "filetype" + platform::FileTypeOf(resolvedPath);
    int index = ilIcons_.IndexOf(typeKey);
    if (index < 0) {
        platform::Picture icon = GetFileIcon(services_.shell, resolvedPath, kIconByName);
        if (icon) index = ilIcons_.Add(typeKey, icon);
        if (index < 0) {
            // No icon for this type: show the generic one and do not ask again.
            index = ilIcons_.IndexOf("browser");
            if (index < 0) index = ilIcons_.IndexOf("default");
            if (index >= 0) ilIcons_.AddAlias(typeKey, index);
        }
    }
    if (index >= 0) ilIcons_.AddAlias(imageKey, index);
}

std::int16_t TreeLoader::FirstEmpty(const char* prefix, const char* key, int from) const {
    return FirstFreeNumber(ini_, appsFile_, prefix, key, from);
}

}  // namespace quopa

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
#include "tree/item_key.h"
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

void TreeLoader::IntList() {
    Run(Job::Everything);
}
void TreeLoader::loadcats() {
    Run(Job::Categories);
}
void TreeLoader::LoadApps() {
    Run(Job::Items);
}

void TreeLoader::Run(Job job) {
    if (running_) {
        pending_ = std::max(pending_, job);
        return;
    }
    struct Running {
        TreeLoader& loader;
        explicit Running(TreeLoader& l) : loader(l) { loader.running_ = true; }
        ~Running() {
            loader.running_ = false;
            loader.pending_ = Job::None;  // a load ended by a fault takes its waiting one along
        }
    } running(*this);
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
    TreeView1_.Clear();
    ilIcons_.Clear();
    pass_.Restart();
    const platform::ScreenMetrics screen = services_.desktop.Screen();
    ilIcons_.SetImageSize(screen.smallIconWidth, screen.smallIconHeight);
    ilIcons_.Add("default", services_.desktop.AppIcon());
    AddBrowserImage();
    TreeView1_.SetImageList(&ilIcons_);
    if (ui::TreeNode* main = TreeView1_.Add("", kMainCategoryKey, kMainCategoryText, "default"))
        TreeView1_.SetNodeTag(*main, "Category0");
    pictures.End();
    LoadCategories();
    platform::TimedStep redraw("tree redrawn after the load");
    update.End();
}

void TreeLoader::AddBrowserImage() {
    platform::Picture icon = GetFileIcon(
        services_.shell, GetBrowserPath(services_.shell, services_.files, services_.desktop),
        kIconByName);
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
    for (int n = 1; n < kLimit; ++n) {
        std::string section = "Category" + std::to_string(n);
        std::string name = Read(section, "Name");
        if (name.empty()) {
            next = n;
            break;
        }
        if (name == "Deleted") continue;
        // A repeated name or "Quopa" is refused as a key; the category is left out.
        if (ui::TreeNode* node = TreeView1_.Add("", name, name, "default"))
            TreeView1_.SetNodeTag(*node, section);
    }
    // With every number up to 9999 taken, a new category must still not overwrite one.
    if (next == kLimit) next = FirstEmpty("Category", "Name", kLimit);
    step.End();
    if (doEvents_) {
        platform::TimedStep events("window repainted between categories and items");
        doEvents_();
    }
    state_.NextCategoryIndex = static_cast<std::int16_t>(next);
    LoadItems();
}

void TreeLoader::LoadItems() {
    UpdateGuard update(TreeView1_);
    toExpand_.clear();
    expandSeen_.clear();
    toReorder_.clear();
    reorderSeen_.clear();

    ItemSteps steps;
    int n = 1;
    bool endFound = false;
    for (; n < kLimit; ++n) {
        std::string section = ItemSection(n);
        std::optional<Stretch> reading(steps.keys);
        std::string path = Read(section, "Path");
        if (path.empty()) {
            endFound = true;
            break;
        }
        std::string name = Read(section, "Name");
        if (name.empty()) continue;  // deleted
        reading.reset();
        try {
            if (!state_.AutorunDone) {
                Stretch autorun(steps.autorun);
                if (Read(section, "Autorun") == "1") Autorun(section, path);
            }
            AddItemNode(n, section, name, path, steps);
        } catch (const std::exception& e) {
            // One item that cannot be shown must not hide the rest.
            platform::DebugTrace(section + " left off the tree: " + e.what());
        }
        try {
            Stretch menu(steps.menu);
            mnuPopupRun_.SetEnabled(true);
            NoteRunEntry(n, name);
        } catch (const std::exception& e) {
            platform::DebugTrace(section + " left off the tray menu: " + e.what());
        }
    }
    state_.AutorunDone = true;
    state_.NextItemIndex =
        endFound ? static_cast<std::int16_t>(n) : FirstEmpty("Application", "Path", n);

    platform::TimedStep order("item order restored, categories opened");
    for (const std::string& category : toReorder_) RestoreOrder(category);
    // Opening each category once, after the adds, keeps a large load linear.
    for (const std::string& key : toExpand_) {
        if (ui::TreeNode* category = TreeView1_.Find(key)) TreeView1_.Expand(*category);
    }
    if (onItemsLoaded) onItemsLoaded();
}

void TreeLoader::NoteRunEntry(int n, const std::string& name) {
    if (runNames_.empty()) runNames_.resize(kLimit);
    if (runNames_[n].empty()) runOrder_.push_back(n);
    runNames_[n] = name;
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

void TreeLoader::AddItemNode(int n, const std::string& section, const std::string& name,
                             const std::string& path, ItemSteps& steps) {
    std::optional<Stretch> timing(std::in_place, steps.keys);
    std::string category = Read(section, "Category");
    const int type = WholeNumber(Read(section, "Type"));
    timing.emplace(steps.nodes);
    ui::TreeNode* parent = category.empty() ? nullptr : TreeView1_.Find(category);
    // Only a category (a top-level node) takes items; otherwise the item stays off the
    // tree and is still reachable from the tray.
    if (!parent || parent->Parent()) return;

    std::string key = ItemKey(n);
    ui::TreeNode* present = TreeView1_.Find(key);
    if (present && !present->Parent()) return;  // a category holds the item's key

    std::string image = "browser";
    if (type == 0) {
        timing.emplace(steps.icons);
        image = ItemSection(n);
        EnsureItemPicture(image, launcher_.ReplaceToken(path));
        timing.emplace(steps.nodes);
    }
    if (!present) {
        bool inOrder = parent->Children().empty() || ItemNumber(*parent->Children().back()) < n;
        if (!TreeView1_.Add(category, key, name, image)) return;
        if (!inOrder && reorderSeen_.insert(category).second) toReorder_.push_back(category);
        if (expandSeen_.insert(category).second) toExpand_.push_back(category);
    }
    timing.emplace(steps.notes);
    pass_.Note(key, image, path, type);
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

void TreeLoader::RestoreOrder(const std::string& categoryKey) {
    ui::TreeNode* found = TreeView1_.Find(categoryKey);
    if (!found) return;
    const std::vector<ui::TreeNode*>& children = found->Children();
    std::vector<ui::TreeNode*> sorted = children;
    std::stable_sort(sorted.begin(), sorted.end(), [](ui::TreeNode* a, ui::TreeNode* b) {
        return ItemNumber(*a) < ItemNumber(*b);
    });
    std::size_t first = 0;
    while (first < sorted.size() && sorted[first] == children[first]) ++first;

    struct Saved {
        std::string key, text, tag, image;
        bool greyed;
    };
    std::vector<Saved> moved;
    for (std::size_t i = first; i < sorted.size(); ++i)
        moved.push_back({sorted[i]->Key(), sorted[i]->Text(), sorted[i]->Tag(), sorted[i]->Image(),
                         sorted[i]->Greyed()});
    ui::TreeNode* selected = TreeView1_.SelectedItem();
    std::string selectedKey = selected ? selected->Key() : "";

    // Item nodes have no children, so taking them out and adding them again in number
    // order loses nothing.
    for (const Saved& s : moved) TreeView1_.Remove(s.key);
    for (const Saved& s : moved) {
        if (ui::TreeNode* node = TreeView1_.Add(categoryKey, s.key, s.text, s.image)) {
            TreeView1_.SetNodeTag(*node, s.tag);
            TreeView1_.SetNodeGreyed(*node, s.greyed);
        }
    }
    if (!selectedKey.empty() && !TreeView1_.SelectedItem()) {
        if (ui::TreeNode* again = TreeView1_.Find(selectedKey)) TreeView1_.Select(again);
    }
}

std::int16_t TreeLoader::FirstEmpty(const char* prefix, const char* key, int from) const {
    return FirstFreeNumber(ini_, appsFile_, prefix, key, from);
}

}  // namespace quopa

#pragma once
// Builds the main window's tree, its pictures and the tray's Run entries from the apps file.
//
// Rule of this code base: no TreeNode* outlives a message box, DoEvents or a modal dialog.
// Each of them lets the main window run, and its commands may remove any node; hold the
// node's key and find it again afterwards.
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "launch/launcher.h"
#include "platform/services.h"
#include "state/program_state.h"
#include "store/ini.h"
#include "tree/item_file_pass.h"
#include "ui/image_list.h"
#include "ui/menu.h"
#include "ui/timer.h"
#include "ui/tree_view.h"

namespace quopa {

// An item as a load read it from the apps file.
struct ListedItem {
    int n;
    std::string category, name, path, description;
    int type;
};

// The main window's controls the load fills; all must outlive the loader.
struct TreeTargets {
    ui::TreeView& TreeView1;
    ui::ImageList& ilIcons;
    ui::MenuItem& mnuPopupRun;  // the tray's Run submenu, enabled once an item loads
    ui::MenuArray& mnuPopupApplication;
    // Paces the pass over the items' own files; without it, ContinuePass is called by hand.
    ui::Timer* tmrItemPass = nullptr;
};

class TreeLoader {
  public:
    // `doEvents` processes pending window messages; it may be empty.
    TreeLoader(const TreeTargets& targets, modINI& ini, Launcher& launcher,
               platform::Services& services, ProgramState& state, std::string appsFile,
               std::function<void()> doEvents);

    // A load asked for while one runs (from inside its message box) waits until that one
    // ends, then runs once.
    //
    // Rebuilds everything: pictures, main category, categories, items.
    void IntList();
    // Adds the categories, then loads the items.
    void loadcats();
    // Adds every item whose node is missing, under its category in number order; nodes
    // and pictures already present stay as they are.
    void LoadApps();
    // One slice of the pass over the items' own files (their icons, the missing ones); the
    // timer stops when none is left. Does nothing while a load runs.
    void ContinuePass(std::chrono::steady_clock::duration budget = ItemFilePass::kSlice);
    // Brings the rows of items `numbers` in line with the file, as a load would: what an
    // undo of one item's change needs, at the cost of that item. False, with nothing done,
    // when one of them is past the list's end or leaves a gap in it, which only a load sees.
    bool ReloadItems(const std::vector<int>& numbers);
    // Item `n` as the file holds it: no path past the list's end, no name when deleted.
    ListedItem ReadItem(int n) const;
    const ItemFilePass& Pass() const { return pass_; }
    ItemFilePass& Pass() { return pass_; }
    bool Loading() const { return running_; }

    // Runs at the end of every item load, inside it: what else the tree shows goes in here.
    // `read` holds every item the file lists, in number order, on or off the tree; the
    // handler may take its strings.
    std::function<void(std::vector<ListedItem>& read)> onItemsLoaded;

    // Puts what the loads found into the tray's Run entries. Thousands of entries would cost
    // every start-up, so they wait until the menu or one of its commands is wanted.
    void FillRunMenu();

  private:
    // Larger jobs include the smaller ones.
    enum class Job { None, Items, Categories, Everything };
    void Run(Job job);
    void Rebuild();
    void LoadCategories();
    void LoadItems();
    std::string Read(const std::string& section, const char* key) const;
    void AddBrowserImage(const std::string& browser);
    void PlaceCategory(const std::string& name, const std::string& section, std::size_t& at);
    void Autorun(const std::string& section, const std::string& path);
    struct ItemSteps;
    struct Running;  // marks a load under way, also when it ends by a fault
    void NoteRunEntry(int n, const std::string& name, ItemSteps& steps);
    void DropStaleItems(const std::vector<ListedItem>& wanted);
    void AddItemNode(const ListedItem& item, ItemSteps& steps);
    void CloseEmptyCategories();
    // Each item load places its rows afresh, then opens the categories it added to.
    void StartPlacing();
    void PlaceItem(const ListedItem& item, ItemSteps& steps);
    void OpenAddedCategories();
    // The pass over the items' own files runs while it has work.
    void PaceThePass();
    void EnsureItemPicture(const std::string& imageKey, const std::string& resolvedPath);
    std::int16_t FirstEmpty(const char* prefix, const char* key, int from) const;

    ui::TreeView& TreeView1_;
    ui::ImageList& ilIcons_;
    ui::MenuItem& mnuPopupRun_;
    ui::MenuArray& mnuPopupApplication_;
    ui::Timer* tmrItemPass_;
    modINI& ini_;
    Launcher& launcher_;
    platform::Services& services_;
    ProgramState& state_;
    std::string appsFile_;
    std::function<void()> doEvents_;
    ItemFilePass pass_;
    std::vector<std::string> runNames_;  // by item number, the name the tray entry awaits
    std::vector<int> runOrder_;          // the numbers awaiting, in the order first found

    bool running_ = false;
    Job pending_ = Job::None;

    // Per item load, by key (an autorun's error box comes between): categories to open,
    // and where the next item of each goes among its rows.
    std::vector<std::string> toExpand_;
    std::unordered_set<std::string> expandSeen_;
    std::unordered_map<std::string, std::size_t> places_;
    bool rebuilding_ = false;  // a whole rebuild: every category with items opens
    // What the pictures kept from the last rebuild were made for.
    std::pair<int, int> iconSize_{-1, -1};
    std::string browserPath_;
};

}  // namespace quopa

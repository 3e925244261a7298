#include "tree/found_apps.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "launch/shell_rules.h"
#include "platform/file_type.h"
#include "platform/text.h"
#include "store/item_key.h"
#include "tree/mod_get_icon.h"
#include "tree/node_kind.h"

namespace quopa {

namespace {

constexpr char kCategoryKeyPrefix[] = "portableapps:category:";
constexpr std::size_t kMaxTrayEntries = 9999;

}  // namespace

FoundApps::FoundApps(const FoundTargets& targets, TreeLoader& loader, platform::Services& services,
                     modINI& ini, std::string appsFile, Launcher& launcher,
                     const ProgramState& state)
    : tree_(targets.tree),
      icons_(targets.icons),
      runMenu_(targets.runMenu),
      commandBase_(targets.commandBase),
      passTimer_(targets.passTimer),
      loader_(loader),
      services_(services),
      ini_(ini),
      appsFile_(std::move(appsFile)),
      launcher_(launcher),
      state_(state),
      scan_(services.files, services.codePage) {
    timer_.Create(targets.form, {.interval = 10, .enabled = false});
    timer_.onTimer = [this] { Continue(); };
}

void FoundApps::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on) {
        StartLook();
        return;
    }
    startPending_ = showPending_ = false;
    scan_.Stop();
    timer_.SetEnabled(false);
    RemoveAll();
}

void FoundApps::AfterItems() {
    if (!enabled_) return;
    wanted_.reset();  // sorted against the list before this load
    Show(lastLook_.empty() ? std::vector<FoundApp>() : NotListed(lastLook_));
    if (!Looking()) StartLook();
}

// The look begins with the first slice: never inside a load, and the start-up has found
// the drive by then.
void FoundApps::StartLook() {
    startPending_ = true;
    timer_.SetEnabled(true);
}

void FoundApps::Continue(std::chrono::steady_clock::duration budget) {
    // A load in progress shows the result itself when it ends.
    if (!enabled_ || loader_.Loading()) return;
    if (std::exchange(startPending_, false)) scan_.Start(PortableAppsFolder(state_.LauncherDrive));
    if (!showPending_) {
        showPending_ = scan_.Slice(budget);
        return;
    }
    // Sorting out what the user's list holds, and showing the rest, get a slice each: with a
    // long list either alone fills one.
    if (scan_.Apps() != lastLook_ && !wanted_) {
        wanted_ = NotListed(scan_.Apps());
        return;
    }
    showPending_ = false;
    timer_.SetEnabled(false);
    if (!wanted_) return;
    lastLook_ = scan_.Apps();
    Show(*std::exchange(wanted_, std::nullopt));
    if (passTimer_ && loader_.Pass().Pending()) passTimer_->SetEnabled(true);
}

const FoundApp* FoundApps::Find(const std::string& key) const {
    for (const FoundApp& app : shown_)
        if (app.key == key) return &app;
    return nullptr;
}

void FoundApps::Run(const std::string& key) {
    const FoundApp* app = Find(key);
    if (!app) return;
    // Copies: a refusal's message box lets the tree and this list change.
    const std::string program = app->program, folder = app->folder;
    launching_ = true;
    const bool started =
        launcher_.ShellOpenFile(program, WindowStyleToShow(""), "", folder, "open", 0);
    launching_ = false;
    if (started && onStarted) onStarted(key);
}

void FoundApps::Filter(const std::string& lowerText) {
    filter_ = lowerText;
    for (const FoundApp& app : shown_) {
        const ui::TreeNode* node = tree_.Find(app.key);
        if (node && !Matches(node->Text())) tree_.Remove(app.key);
    }
}

bool FoundApps::Matches(const std::string& name) const {
    // Folded as the items' names are, so one typed letter keeps both kinds alike.
    return filter_.empty() || services_.desktop.LowerCase(name).find(filter_) != std::string::npos;
}

void FoundApps::SetHidden(const std::vector<std::string>& keys) {
    // Folder names on the drive ignore letter case; so does the choice kept for them.
    hidden_.clear();
    for (const std::string& key : keys) hidden_.insert(platform::AsciiLower(key));
    // A load in progress shows them itself when it ends.
    if (enabled_ && !loader_.Loading())
        Show(lastLook_.empty() ? std::vector<FoundApp>() : NotListed(lastLook_));
}

std::string FoundApps::UserCategoryKey(const std::string& category) const {
    for (const ui::TreeNode* root : tree_.Roots())
        if (IsUserCategory(*root) && Folded(root->Key()) == Folded(category)) return root->Key();
    return kMainCategoryKey;
}

void FoundApps::Show(std::vector<FoundApp> wanted) {
    std::erase_if(wanted, [this](const FoundApp& app) {
        return hidden_.count(platform::AsciiLower(app.key)) > 0;
    });
    const bool changed = wanted != shown_;
    if (changed) {
        // What is gone since the last look, or has come into the user's list, goes.
        for (const FoundApp& old : shown_)
            if (std::find(wanted.begin(), wanted.end(), old) == wanted.end()) tree_.Remove(old.key);
        shown_ = std::move(wanted);
    }
    tree_.BeginUpdate();
    std::vector<std::string> opened;
    for (const FoundApp& app : shown_) Place(app, opened);
    // Categories shown only for found apps that no longer hold one go with them.
    std::vector<std::string> empty;
    for (const ui::TreeNode* root : tree_.Roots())
        if (root->Tag() == kFoundTag && root->Children().empty()) empty.push_back(root->Key());
    for (const std::string& key : empty) tree_.Remove(key);
    for (const std::string& key : opened)
        if (ui::TreeNode* category = tree_.Find(key)) tree_.Expand(*category);
    tree_.EndUpdate();
    if (changed) trayStale_ = true;
}

void FoundApps::Place(const FoundApp& app, std::vector<std::string>& opened) {
    EnsurePicture(app);
    loader_.Pass().Note(app.key, app.key, app.program, 0, app.icon);
    if (tree_.Find(app.key) || !Matches(app.name)) return;
    const std::string parent = ParentFor(app.category);
    ui::TreeNode* node = tree_.Add(parent, app.key, app.name, app.key);
    if (!node) return;
    tree_.SetNodeTag(*node, kFoundTag);
    if (std::find(opened.begin(), opened.end(), parent) == opened.end()) opened.push_back(parent);
}

std::string FoundApps::ParentFor(const std::string& category) {
    if (category.empty()) return kMainCategoryKey;
    const std::string user = UserCategoryKey(category);
    if (user != kMainCategoryKey || Folded(category) == Folded(kMainCategoryKey)) return user;
    const std::string key = kCategoryKeyPrefix + Folded(category);
    if (!tree_.Find(key)) {
        if (ui::TreeNode* node = tree_.Add("", key, category, "default"))
            tree_.SetNodeTag(*node, kFoundTag);
    }
    return key;
}

// The program's type picture until the pass brings the app's own; shared by type, as the
// loader shares them.
void FoundApps::EnsurePicture(const FoundApp& app) {
    if (icons_.IndexOf(app.key) >= 0) return;
    const std::string typeKey = "filetype" + platform::FileTypeOf(app.program);
    int index = icons_.IndexOf(typeKey);
    if (index < 0)
        index = icons_.Add(typeKey, GetFileIcon(services_.shell, app.program, kIconByName));
    if (index < 0) index = icons_.IndexOf("default");
    if (index >= 0) icons_.AddAlias(app.key, index);
}

// Found apps whose program is not already an item of the user's list.
std::vector<FoundApp> FoundApps::NotListed(const std::vector<FoundApp>& found) const {
    std::unordered_set<std::string> listed;
    modINI::ReadScope oneVersion(ini_, appsFile_);
    for (int n = 1; n < state_.NextItemIndex; ++n) {
        const std::string section = ItemSection(n);
        const std::string path = ini_.ReadIni(section, "Path", "", appsFile_);
        if (path.empty() || ini_.ReadIni(section, "Name", "", appsFile_).empty()) continue;
        listed.insert(platform::AsciiLower(launcher_.ReplaceToken(path)));
    }
    std::vector<FoundApp> apps;
    for (const FoundApp& app : found)
        if (!listed.count(platform::AsciiLower(app.program))) apps.push_back(app);
    return apps;
}

void FoundApps::RemoveAll() {
    std::vector<std::string> keys;
    for (const ui::TreeNode* node : tree_.Nodes())
        if (node->Tag() == kFoundTag && node->Parent()) keys.push_back(node->Key());
    for (const ui::TreeNode* root : tree_.Roots())
        if (root->Tag() == kFoundTag) keys.push_back(root->Key());
    for (const std::string& key : keys) tree_.Remove(key);
    shown_.clear();
    lastLook_.clear();
    wanted_.reset();
    trayStale_ = true;
}

void FoundApps::ClearTray() {
    for (int id : trayEntries_) runMenu_.Remove(id);
    trayEntries_.clear();
}

// Negative once the ids are spent: that app goes without an entry.
int FoundApps::TrayId(const std::string& key) {
    const auto known = trayIds_.find(key);
    if (known != trayIds_.end()) return known->second;
    if (trayIds_.size() == kMaxTrayEntries) return -1;
    const int id = commandBase_ + static_cast<int>(trayIds_.size());
    trayIds_.emplace(key, id);
    return id;
}

void FoundApps::FillRunMenu() {
    // An entry being clicked must outlive its click.
    if (launching_ || !std::exchange(trayStale_, false)) return;
    ClearTray();
    for (const FoundApp& app : shown_) {
        const int id = TrayId(app.key);
        if (id < 0) continue;
        trayEntries_.push_back(id);
        runMenu_.Add({app.name, id}).onClick = [this, key = app.key] { Run(key); };
    }
    // Open only while it offers something: the user's items, or found apps.
    bool any = false;
    for (const auto& entry : runMenu_.Items()) any = any || entry->Visible();
    runMenu_.SetEnabled(any);
}

}  // namespace quopa

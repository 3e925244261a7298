// The quick-launch box's view of the lists, and the starts it learns from: the tree's, the
// tray's and its own (an autorun is no choice of the user's).
#include <optional>
#include <utility>

#include "app/frmMain.h"
#include "platform/debug_trace.h"
#include "platform/text.h"
#include "store/item_key.h"
#include "tree/node_kind.h"

namespace quopa {

namespace {
constexpr int kMinuteMs = 60 * 1000;

std::string CategoryText(const std::string& category) {
    return category.empty() || category == kMainCategoryKey ? kMainCategoryText : category;
}

// A found app's path from the drive's root, so that another drive letter keeps its counts.
QuickItem FoundItem(const FoundApp& app, const std::string& drive) {
    std::string path = app.program;
    if (!drive.empty() && path.rfind(drive, 0) == 0) path = "%drive%" + path.substr(drive.size());
    return {app.key, app.name, app.description, CategoryText(app.category), path, app.key};
}
}  // namespace

void frmMain::CreateQuick() {
    usage_.Load();
    quick_ = std::make_unique<frmQuick>(
        ctx_, usage_,
        frmQuick::Host{
            [this] { QuickTakeRead(); }, [this] { return QuickItems(); },
            [this] { return QuickFound(); },
            [this](const QuickItem& item, const std::string& typed) { QuickRun(item, typed); },
            [this] { usage_.Save(); }, &ilIcons});
    quick_->Create();
    tmrUsage.Create(form, {.interval = kMinuteMs, .enabled = true});
    tmrUsage.onTimer = [this] { usage_.Save(); };
    // A timer's tick waits for an empty queue: the command's own work and painting come first.
    tmrQuickRead.Create(form, {.interval = 200, .enabled = false});
    tmrQuickRead.onTimer = [this] { QuickTakeRead(); };
}

QuickItem frmMain::QuickItemOf(ListedItem&& item) {
    std::string section = ItemSection(item.n);
    // The picture the tree gives it; one off the tree (its category gone) has it all the same.
    std::string image = item.type == 0 ? section : "browser";
    return {ItemKey(item.n),
            std::move(item.name),
            std::move(item.description),
            CategoryText(item.category),
            std::move(item.path),
            std::move(image)};
}

std::optional<QuickItem> frmMain::QuickItemRead(int n) {
    ListedItem item = loader_->ReadItem(n);
    if (item.name.empty()) return std::nullopt;  // deleted
    return QuickItemOf(std::move(item));
}

void frmMain::QuickRead(std::vector<ListedItem>& read) {
    tmrQuickRead.SetEnabled(true);
    quickRead_ = std::move(read);
    quickReadOf_ = sys_.files.Query(appsFile_);
}

void frmMain::QuickTakeRead() {
    tmrQuickRead.SetEnabled(false);
    if (!quickRead_) return;
    platform::TimedStep step("quick box's list updated");
    std::vector<QuickItem> items;
    items.reserve(quickRead_->size());
    for (ListedItem& item : *quickRead_) items.push_back(QuickItemOf(std::move(item)));
    quickRead_.reset();
    quick_->SetItems(items, quickReadOf_);
}

void frmMain::QuickItemsChanged(const std::vector<std::string>& keys) {
    QuickTakeRead();  // an older reading must not undo these changes
    std::vector<QuickItem> changed;
    std::vector<std::string> gone;
    modINI::ReadScope oneVersion(ini_, appsFile_);
    for (const std::string& key : keys) {
        const std::optional<int> n = ItemNumberOf(platform::AsciiLower(key));
        if (!n) continue;
        if (std::optional<QuickItem> item = QuickItemRead(*n)) {
            changed.push_back(std::move(*item));
        } else {
            gone.push_back(ItemKey(*n));
        }
    }
    quick_->ItemsChanged(changed, gone);
}

std::vector<QuickItem> frmMain::QuickItems() {
    std::vector<QuickItem> items;
    modINI::ReadScope oneVersion(ini_, appsFile_);
    for (int n = 1; n < state_.NextItemIndex; ++n)
        if (std::optional<QuickItem> item = QuickItemRead(n)) items.push_back(std::move(*item));
    return items;
}

std::vector<QuickItem> frmMain::QuickFound() {
    std::vector<QuickItem> found;
    for (const FoundApp& app : found_->Shown())
        found.push_back(FoundItem(app, state_.LauncherDrive));
    return found;
}

void frmMain::QuickRun(const QuickItem& item, const std::string& typed) {
    if (ItemNumberOf(item.key)) {
        if (launcher_.RunApp(item.key)) CountStart(item.key, typed);
        return;
    }
    quickTyped_ = typed;
    found_->Run(item.key);  // counted through onStarted
    quickTyped_.clear();
}

void frmMain::CountStart(const std::string& key, const std::string& typed) {
    const std::string lower = platform::AsciiLower(key);
    if (ItemNumberOf(lower)) {
        const std::string name = ini_.ReadIni(key, "Name", "", appsFile_);
        if (!name.empty())
            usage_.Started(lower, name, ini_.ReadIni(key, "Path", "", appsFile_), Usage::Now(),
                           typed);
    } else if (const FoundApp* app = found_->Find(key)) {
        const QuickItem item = FoundItem(*app, state_.LauncherDrive);
        usage_.Started(key, item.name, item.path, Usage::Now(), typed);
    }
}

}  // namespace quopa

#pragma once
// The apps found in the drive's PortableApps folder, shown beside the user's list: in the
// tree under the category of the same name (or one of that name shown only here), in the
// tray's Run menu, and to the search. Nothing of them is ever written to the apps file.
//
// The folder is looked at in short slices once the tree is shown; a rebuild puts back what
// was found at once and then looks again, reading only the info files that changed.
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "launch/launcher.h"
#include "platform/services.h"
#include "state/program_state.h"
#include "tree/portable_apps.h"
#include "tree/tree_loader.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace quopa {

struct FoundTargets {
    ui::Form& form;  // holds the timer of the look
    ui::TreeView& tree;
    ui::ImageList& icons;
    ui::MenuItem& runMenu;  // the tray's Run submenu
    int commandBase;        // the Run entries carry commandBase + 0, + 1, ...
    ui::Timer* passTimer;   // paces the loader's pass over items' own files; may be null
};

class FoundApps {
  public:
    // With one folder's read (about 1 ms under Wine) past the end, well under 30 ms.
    static constexpr std::chrono::milliseconds kSlice{15};

    FoundApps(const FoundTargets& targets, TreeLoader& loader, platform::Services& services,
              modINI& ini, std::string appsFile, Launcher& launcher, const ProgramState& state);
    FoundApps(const FoundApps&) = delete;
    FoundApps& operator=(const FoundApps&) = delete;

    // On: a look at the folder begins with the next slice. Off: the found apps leave the
    // tree and the tray at once.
    void SetEnabled(bool on);
    bool Enabled() const { return enabled_; }
    // After every item load: puts back the found apps the tree lacks, and looks again.
    void AfterItems();
    // One slice of the look; when the look ends and found something else, the tree shows it.
    void Continue(std::chrono::steady_clock::duration budget = kSlice);
    bool Looking() const { return startPending_ || scan_.Running() || showPending_; }

    // The found app a node key stands for, while it is shown; else null.
    const FoundApp* Find(const std::string& key) const;
    // Launches it with its own folder as the start folder; onStarted follows a start.
    void Run(const std::string& key);
    std::function<void(const std::string& key)> onStarted;
    // The apps shown beside the user's list (the search's narrowing aside), in folder order.
    const std::vector<FoundApp>& Shown() const { return shown_; }
    // The search: takes out the found apps whose names lack `lowerText` (folded by the
    // desktop), and keeps them out of what later looks and loads put back, until the next
    // call. Empty shows every app again with the next load.
    void Filter(const std::string& lowerText);
    // The node keys of the apps the user hid, letter case ignored: they leave the tree and the
    // tray at once, and those no longer named come back.
    void SetHidden(const std::vector<std::string>& keys);
    // Brings the tray's Run entries in step with what is shown: only when the menu, or one
    // of its commands, is wanted.
    void FillRunMenu();
    // The key of the user's category of that name (letter case ignored), else the main one.
    std::string UserCategoryKey(const std::string& category) const;

  private:
    void StartLook();
    void Show(std::vector<FoundApp> wanted);
    void Place(const FoundApp& app, std::vector<std::string>& opened);
    bool Matches(const std::string& name) const;
    // Category names meet as the user reads them, in any script's letter case.
    std::string Folded(const std::string& name) const { return services_.desktop.LowerCase(name); }
    int TrayId(const std::string& key);
    std::string ParentFor(const std::string& category);
    void EnsurePicture(const FoundApp& app);
    std::vector<FoundApp> NotListed(const std::vector<FoundApp>& found) const;
    void RemoveAll();
    void ClearTray();

    ui::TreeView& tree_;
    ui::ImageList& icons_;
    ui::MenuItem& runMenu_;
    int commandBase_;
    ui::Timer* passTimer_;
    TreeLoader& loader_;
    platform::Services& services_;
    modINI& ini_;
    std::string appsFile_;
    Launcher& launcher_;
    const ProgramState& state_;
    PortableAppsScan scan_;
    ui::Timer timer_;

    bool enabled_ = false;
    bool startPending_ = false;
    bool showPending_ = false;        // the look has ended; the next slice shows it
    std::vector<FoundApp> shown_;     // found and not in the user's list, in folder order
    std::vector<FoundApp> lastLook_;  // what the last ended look found
    std::optional<std::vector<FoundApp>> wanted_;  // the ended look, less the user's list
    std::string filter_;                           // the search's text, folded
    std::unordered_set<std::string> hidden_;
    // An app keeps its Run entry's id for the program's life: a click in a menu built before
    // a look changed the list still names the app it showed.
    std::unordered_map<std::string, int> trayIds_;
    std::vector<int> trayEntries_;  // the ids in the menu now
    bool launching_ = false;        // a Run entry's click is under way: its entry must stay
    bool trayStale_ = false;        // the Run entries lag behind what is shown
};

}  // namespace quopa

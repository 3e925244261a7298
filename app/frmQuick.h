#pragma once
// The quick-launch box: the hot key brings it up in front, on the screen of the pointer; a
// few letters find the item meant, Enter starts it. It goes away when it loses the focus.
#include <functional>
#include <string>
#include <vector>

#include "context/app_context.h"
#include "tree/quick_match.h"
#include "tree/usage.h"
#include "ui/list_view.h"

namespace quopa {

class frmQuick {
  public:
    static constexpr std::size_t kRows = 8;

    // What the main window gives the box: the lists it searches and the way to start a match.
    struct Host {
        // Hands over what the last load read, when the box has not had it yet.
        std::function<void()> catchUp;
        // The user's list read from the file, when another program changed it.
        std::function<std::vector<QuickItem>()> items;
        std::function<std::vector<QuickItem>()> found;  // the found apps, at every opening
        // Starts `item`, chosen for the folded text `typed`.
        std::function<void(const QuickItem& item, const std::string& typed)> run;
        std::function<void()> hidden;
        const ui::ImageList* icons = nullptr;
    };

    frmQuick(AppContext& ctx, Usage& usage, Host host);
    frmQuick(const frmQuick&) = delete;
    frmQuick& operator=(const frmQuick&) = delete;

    void Create();
    // Brings the box up empty, or hides it when it is up.
    void Toggle();
    void Open();
    void Hide();
    // The user's items as a load read them, whole; or the one a command changed or removed.
    // Each says the box knows the apps file as it is now.
    void SetItems(const std::vector<QuickItem>& items, const platform::FileInfo& readFrom);
    void ItemsChanged(const std::vector<QuickItem>& changed, const std::vector<std::string>& gone);
    // Quopa changed the apps file: until one of the above follows, the next opening reads
    // the items from the file.
    void ListWritten() { itemsStale_ = true; }

    void txtQuick_Change();
    void txtQuick_KeyDown(ui::KeyEvent& e);
    void lstQuick_DblClick();
    void Form_Deactivate();

    std::size_t IndexBytes() const { return index_.Bytes(); }
    const QuickIndex& Index() const { return index_; }
    // The matches shown, best first.
    const std::vector<QuickItem>& Matches() const { return matches_; }

    ui::Form form;
    ui::TextBox txtQuick;
    ui::ListView lstQuick;

  private:
    void RunSelected();
    void Synced(const platform::FileInfo& apps);
    platform::FileInfo AppsNow() const;

    AppContext& ctx_;
    Usage& usage_;
    Host host_;
    QuickIndex index_;
    bool itemsStale_ = true;
    bool pruneDue_ = false;        // the usage may hold counts of items gone or renamed
    platform::FileInfo appsSeen_;  // the apps file as the items were read from it
    std::vector<QuickItem> matches_;
};

}  // namespace quopa

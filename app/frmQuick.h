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
        std::function<std::vector<QuickItem>()> items;  // the user's list, read again when stale
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
    // The tree was built again: the list is read again at the next opening, as it is after
    // any change to the apps file.
    void ItemsChanged() { itemsStale_ = true; }

    void txtQuick_Change();
    void txtQuick_KeyDown(ui::KeyEvent& e);
    void lstQuick_DblClick();
    void Form_Deactivate();

    std::size_t IndexBytes() const { return index_.Bytes(); }
    // The matches shown, best first.
    const std::vector<QuickItem>& Matches() const { return matches_; }

    ui::Form form;
    ui::TextBox txtQuick;
    ui::ListView lstQuick;

  private:
    void RunSelected();

    AppContext& ctx_;
    Usage& usage_;
    Host host_;
    QuickIndex index_;
    bool itemsStale_ = true;
    platform::FileInfo appsSeen_;  // the apps file as the items were read from it
    std::vector<QuickItem> matches_;
};

}  // namespace quopa

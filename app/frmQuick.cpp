#include "app/frmQuick.h"

#include <unordered_map>
#include <utility>

#include "platform/file_type.h"
#include "store/data_files.h"

namespace quopa {

namespace {
constexpr int kEnter = 0x0D, kEscape = 0x1B, kUp = 0x26, kDown = 0x28;
}

frmQuick::frmQuick(AppContext& ctx, Usage& usage, Host host)
    : form(ctx.backend),
      ctx_(ctx),
      usage_(usage),
      host_(std::move(host)),
      index_([&desktop = ctx.sys.desktop](std::string_view text) {
          return desktop.LowerCase(desktop.WithoutAccents(text));
      }) {}

void frmQuick::Create() {
    form.Create({.caption = "Quopa quick launch",
                 .clientWidth = 6000,
                 .clientHeight = 3435,
                 .className = "QuopaQuickBox",
                 .popup = true});
    txtQuick.Create(form, {.bounds = {120, 120, 5760, 405}, .font = {.points = 11}});
    lstQuick.Create(form, {.bounds = {120, 600, 5760, 2715}});
    lstQuick.SetImageList(host_.icons);
    form.onDeactivate = [this] { Form_Deactivate(); };
    txtQuick.onChange = [this] { txtQuick_Change(); };
    txtQuick.onKeyDown = [this](ui::KeyEvent& e) { txtQuick_KeyDown(e); };
    lstQuick.onClick = [this] { txtQuick.SetFocus(); };  // the typing goes on
    lstQuick.onDblClick = [this] { lstQuick_DblClick(); };
}

void frmQuick::Toggle() {
    if (form.Visible()) {
        Hide();
    } else {
        Open();
    }
}

void frmQuick::SetItems(const std::vector<QuickItem>& items, const platform::FileInfo& readFrom) {
    index_.SetItems(items);
    Synced(readFrom);
}

void frmQuick::ItemsChanged(const std::vector<QuickItem>& changed,
                            const std::vector<std::string>& gone) {
    for (const QuickItem& item : changed) index_.SetItem(item);
    for (const std::string& key : gone) index_.RemoveItem(key);
    Synced(AppsNow());
}

platform::FileInfo frmQuick::AppsNow() const {
    return ctx_.sys.files.Query(AppsFile(ctx_.programFolder));
}

void frmQuick::Synced(const platform::FileInfo& apps) {
    itemsStale_ = false;
    pruneDue_ = true;
    appsSeen_ = apps;
}

void frmQuick::Open() {
    // Quopa's own changes reach the box as they are made; another program's show in the file.
    if (host_.catchUp) host_.catchUp();
    const platform::FileInfo apps = AppsNow();
    if (itemsStale_ || apps.size != appsSeen_.size || apps.writeTime != appsSeen_.writeTime)
        SetItems(host_.items(), apps);
    index_.SetFound(host_.found());
    if (std::exchange(pruneDue_, false)) {
        std::unordered_map<std::string, Usage::Listed> present;
        index_.ForEach([&](const QuickIndex::Listed& e) {
            if (usage_.Knows(e.key))
                present[std::string(e.key)] = {std::string(e.name), std::string(e.path)};
        });
        usage_.Prune(present);
    }
    txtQuick.SetText("");
    txtQuick_Change();  // also when it was empty: the most used, by today's weights
    form.CenterOnPointerScreen();
    form.Show();
    ctx_.sys.desktop.SetForeground(form.Handle());
    txtQuick.SetFocus();
}

void frmQuick::Hide() {
    if (!form.Visible()) return;
    form.Hide();
    if (host_.hidden) host_.hidden();
}

void frmQuick::txtQuick_Change() {
    matches_ = index_.Best(txtQuick.Text(), usage_, Usage::Now(), kRows);
    std::vector<ui::ListRow> rows;
    for (const QuickItem& item : matches_) {
        // The search box takes the pictures of the items it hides: their type's is still there.
        std::string image = item.image;
        if (host_.icons && host_.icons->IndexOf(image) < 0)
            image = "filetype" + platform::FileTypeOf(item.path);
        rows.push_back({item.name, item.category, std::move(image)});
    }
    lstQuick.SetRows(std::move(rows));
}

void frmQuick::txtQuick_KeyDown(ui::KeyEvent& e) {
    switch (e.keyCode) {
        case kUp:
        case kDown:
            lstQuick.Select(lstQuick.Selected() + (e.keyCode == kDown ? 1 : -1));
            break;
        case kEnter:
            RunSelected();
            break;
        case kEscape:
            // The first clears what was typed, the next hides the box.
            if (txtQuick.Text().empty()) {
                Hide();
            } else {
                txtQuick.SetText("");
            }
            break;
        default:
            return;
    }
    e.handled = true;
}

void frmQuick::lstQuick_DblClick() {
    RunSelected();
}

void frmQuick::Form_Deactivate() {
    Hide();
}

void frmQuick::RunSelected() {
    const int row = lstQuick.Selected();
    if (row < 0 || row >= static_cast<int>(matches_.size())) return;
    // Copies: hiding first, the start's own message box (a missing file) stands alone.
    const QuickItem item = matches_[static_cast<std::size_t>(row)];
    const std::string typed = index_.Folded(txtQuick.Text());
    form.Hide();
    host_.run(item, typed);
    if (host_.hidden) host_.hidden();  // what it learned is written now
}

}  // namespace quopa

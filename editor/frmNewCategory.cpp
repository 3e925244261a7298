#include "editor/frmNewCategory.h"

#include <utility>

#include "context/messages.h"
#include "store/data_files.h"
#include "tree/category_names.h"

namespace quopa {

frmNewCategory::frmNewCategory(AppContext& ctx, ui::TreeView& tree, std::function<void()> rebuild)
    : form(ctx.backend),
      ctx_(ctx),
      tree_(tree),
      rebuild_(std::move(rebuild)),
      appsFile_(AppsFile(ctx.programFolder)) {}

void frmNewCategory::Create() {
    form.Create(
        {.caption = "Add Category", .clientWidth = 5175, .clientHeight = 2055, .dialog = true});
    Label1.Create(form, {.text = "Please provide the following info to create a new category:",
                         .bounds = {120, 120, 4455, 255}});
    Line1.Create(form, {.bounds = {120, 600, 4920, 0}});
    Label2.Create(form, {.text = "Title:", .bounds = {120, 960, 855, 255}});
    txtCategoryTitle.Create(form, {.bounds = {1320, 840, 3735, 375}});
    cmdCancel.Create(form, {.text = "&Cancel", .bounds = {120, 1560, 1455, 375}, .isCancel = true});
    cmdFinish.Create(form,
                     {.text = "&Finish", .bounds = {3600, 1560, 1455, 375}, .isDefault = true});
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    cmdFinish.onClick = [this] { cmdFinish_Click(); };
}

void frmNewCategory::cmdFinish_Click() {
    const CategoryNameCheck check =
        CheckCategoryName(tree_, txtCategoryTitle.Text(), "", ctx_.sys.desktop);
    const std::string& title = check.name;
    if (check.Empty()) {
        Tell("You did not enter a title!", platform::kMbIconCritical | platform::kMbOk);
        return;
    }
    if (check.Taken()) {
        if (ui::TreeNode* node = tree_.Find(check.taken)) tree_.EnsureVisible(*node);
        Tell("That category name is not unique!", platform::kMbIconExclamation | platform::kMbOk);
        return;
    }
    ctx_.backend.DoEvents();
    const std::int16_t n =
        FirstFreeNumber(ctx_.ini, appsFile_, "Category", "Name", ctx_.state.NextCategoryIndex);
    if (!IsFreeNumber(n)) {
        Tell(kNoCategoryNumberLeft, platform::kMbIconCritical | platform::kMbOk);
        return;
    }
    if (!ctx_.ini.WriteIni("Category" + std::to_string(n), "Name", title, appsFile_)) {
        Tell(CouldNotSave("category", appsFile_), platform::kMbIconCritical | platform::kMbOk);
        return;
    }
    AddedNumber = n;
    ctx_.state.NextCategoryIndex = static_cast<std::int16_t>(n + 1);  // the rebuild may wait
    if (rebuild_) rebuild_();
    if (onCategoryAdded) onCategoryAdded();
    ctx_.backend.DoEvents();
    form.Unload();
}

void frmNewCategory::cmdCancel_Click() {
    form.Unload();
}

int frmNewCategory::Tell(const std::string& text, unsigned style) {
    return ctx_.sys.desktop.MsgBox(form.Handle(), text, kAppTitle, style);
}

}  // namespace quopa

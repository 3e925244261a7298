#pragma once
// What a node of the main window's tree stands for. Categories may be named anything, so
// only what items alone have tells an item: no Tag, and a key "application" + digits.
#include <string>

#include "ui/tree_view.h"

namespace quopa {

// The main category: its node key, which is also what an item's Category holds for it,
// and the text the tree shows.
inline constexpr char kMainCategoryKey[] = "Quopa";
inline constexpr char kMainCategoryText[] = "Quopa Drive";

bool IsItemNode(const ui::TreeNode& node);
// A found app, or a category shown only for found apps: neither is in the apps file.
bool IsFoundNode(const ui::TreeNode& node);
// The main category, and a user category named like it, which nobody may delete.
bool IsMainCategoryName(const std::string& text);
// A category of the apps file, the main one included; not one shown only for found apps.
bool IsUserCategory(const ui::TreeNode& node);

}  // namespace quopa

#include "tree/node_kind.h"

#include "store/item_key.h"
#include "tree/portable_apps.h"

namespace quopa {

bool IsItemNode(const ui::TreeNode& node) {
    return node.Tag().empty() && ItemNumberOf(node.Key());
}

bool IsFoundNode(const ui::TreeNode& node) {
    return node.Tag() == kFoundTag;
}

bool IsMainCategoryName(const std::string& text) {
    return text == kMainCategoryText;
}

bool IsUserCategory(const ui::TreeNode& node) {
    return !node.Parent() && node.Tag().rfind("Category", 0) == 0;
}

}  // namespace quopa

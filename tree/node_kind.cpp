#include "tree/node_kind.h"

#include "tree/item_key.h"
#include "tree/portable_apps.h"

namespace quopa {

bool IsItemNode(const ui::TreeNode& node) {
    return node.Tag().empty() && ItemNumberOf(node.Key());
}

bool IsFoundNode(const ui::TreeNode& node) {
    return node.Tag() == kFoundTag;
}

bool IsMainCategoryName(const std::string& text) {
    return text == "Quopa Drive";
}

}  // namespace quopa

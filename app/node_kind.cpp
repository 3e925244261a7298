#include "app/node_kind.h"

#include "tree/portable_apps.h"

namespace quopa {

bool IsItemNode(const ui::TreeNode& node) {
    static const std::string prefix = "application";
    const std::string& key = node.Key();
    if (!node.Tag().empty() || key.size() <= prefix.size() || key.compare(0, prefix.size(), prefix))
        return false;
    return key.find_first_not_of("0123456789", prefix.size()) == std::string::npos;
}

bool IsFoundNode(const ui::TreeNode& node) {
    return node.Tag() == kFoundTag;
}

bool IsMainCategoryName(const std::string& text) {
    return text == "Quopa Drive";
}

}  // namespace quopa

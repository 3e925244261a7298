#include "tree/category_names.h"

#include "store/ini.h"

namespace quopa {

CategoryNameCheck CheckCategoryName(const ui::TreeView& tree, const std::string& typed,
                                    const std::string& current, platform::Desktop& letters) {
    CategoryNameCheck check{AsStored(typed), {}};
    if (check.Empty()) return check;
    if (check.name == "Deleted") {
        check.taken = check.name;
        return check;
    }
    const std::string folded = letters.LowerCase(check.name);
    for (const ui::TreeNode* node : tree.Nodes()) {
        const std::string key = node->Key();
        if (key != current && letters.LowerCase(key) == folded) {
            check.taken = key;
            break;
        }
    }
    return check;
}

}  // namespace quopa

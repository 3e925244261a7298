#include "tree/category_names.h"

#include "platform/text.h"
#include "store/ini.h"

namespace quopa {

CategoryNameCheck CheckCategoryName(const ui::TreeView& tree, const std::string& typed,
                                    const std::string& current) {
    CategoryNameCheck check{AsStored(typed), {}};
    if (check.Empty()) return check;
    if (check.name == "Deleted") {
        check.taken = check.name;
        return check;
    }
    for (const ui::TreeNode* node : tree.Nodes()) {
        const std::string key = node->Key();
        if (key != current && platform::EqualsIgnoringCase(key, check.name)) {
            check.taken = key;
            break;
        }
    }
    return check;
}

}  // namespace quopa

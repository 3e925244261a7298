#pragma once
// The one rule for a category's name, for the new-category dialog and the in-place rename.
#include <string>

#include "platform/desktop.h"
#include "ui/tree_view.h"

namespace quopa {

struct CategoryNameCheck {
    std::string name;   // as the apps file will hold it
    std::string taken;  // the key of the node it clashes with, or "Deleted"
    bool Empty() const { return name.empty(); }
    bool Taken() const { return !taken.empty(); }
};

// `typed` judged as it will be stored. Taken: the key of any other node, letter case
// ignored as `letters` folds it in every script (the tree could not tell "games" from
// "Games"), and "Deleted", the name the loader skips. `current` is the key of the
// category being renamed, empty for a new one.
CategoryNameCheck CheckCategoryName(const ui::TreeView& tree, const std::string& typed,
                                    const std::string& current, platform::Desktop& letters);

}  // namespace quopa

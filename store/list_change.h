#pragma once
// What a change did to the apps file, in the words a menu or a list of versions shows,
// read from the file's bytes alone: the undo history and the kept versions name their
// steps without each command having to.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quopa {

// "Delete "Chess"", "Add 3 items", "Rename category "Games"", ...; "Change" when the
// difference is none of the commands'. Costs a pass over the changed lines only.
std::string NameOfChange(const std::string& before, const std::string& after);

// The numbers of the items whose sections a change touched, when it touched nothing else:
// `before` is the whole text, whose bytes from `head` on were `was` and became `is`. Nothing
// when a category, another section or the lines above the first were touched.
std::optional<std::vector<int>> ItemsChanged(std::string_view before, std::size_t head,
                                             std::string_view was, std::string_view is);

struct ListSize {
    std::size_t sections = 0;  // any section at all: a file without one is no list
    std::size_t items = 0;     // items with a name, as the tree shows them
};
ListSize SizeOfList(const std::string& bytes);

}  // namespace quopa

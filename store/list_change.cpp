#include "store/list_change.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <vector>

#include "platform/text.h"
#include "store/byte_prints.h"
#include "store/ini_document.h"
#include "store/item_key.h"

namespace quopa {
namespace {

using Keys = std::map<std::string, std::string>;  // lower-cased key -> value
using Sections = std::map<std::string, Keys>;     // lower-cased section -> its keys

// Calls line(text) for each line of bytes[from, to), without its line break.
template <class Line>
void EachLine(std::string_view bytes, std::size_t from, std::size_t to, Line line) {
    while (from < to) {
        std::size_t end = bytes.find('\n', from);
        if (end == std::string_view::npos || end > to) end = to;
        line(TrimIniBlanks(bytes.substr(from, end - from)));
        from = end + 1;
    }
}

bool IsHeader(std::string_view line) {
    return !line.empty() && line.front() == '[';
}

std::string SectionName(std::string_view header) {
    header.remove_prefix(1);
    return platform::AsciiLower(TrimIniBlanks(header.substr(0, header.find(']'))));
}

// The keys of the lines in [from, to), the first of each name as the profile functions
// read it; lines above the first header count as the section "".
Sections KeysOf(std::string_view bytes, std::size_t from, std::size_t to) {
    Sections sections;
    Keys* keys = &sections[""];
    EachLine(bytes, from, to, [&](std::string_view line) {
        if (IsHeader(line)) {
            keys = &sections[SectionName(line)];
            return;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) return;
        keys->emplace(platform::AsciiLower(TrimIniBlanks(line.substr(0, eq))),
                      std::string(WithoutEnclosingQuotes(TrimIniBlanks(line.substr(eq + 1)))));
    });
    return sections;
}

bool StartsWith(const std::string& s, std::string_view prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

const std::string& ValueOf(const Sections& sections, const std::string& section,
                           const std::string& key) {
    static const std::string none;
    auto s = sections.find(section);
    if (s == sections.end()) return none;
    auto k = s->second.find(key);
    return k == s->second.end() ? none : k->second;
}

bool Differ(const Sections& before, const Sections& after, const std::string& section) {
    auto keysOf = [](const Sections& all, const std::string& name) {
        auto found = all.find(name);
        return found == all.end() ? Keys() : found->second;
    };
    Keys a = keysOf(before, section), b = keysOf(after, section);
    for (const auto& [key, value] : b) a.emplace(key, "");
    for (const auto& [key, value] : a)
        if (value != ValueOf(after, section, key)) return true;
    return false;
}

}  // namespace

std::string NameOfChange(const std::string& before, const std::string& after) {
    auto [head, tail] = SharedEndsOf(before, after);
    // Whole lines, from the header of the section the change starts in: its name is there.
    // Lines added before a header belong to the section above it.
    while (head > 0 && before[head - 1] != '\n') --head;
    if (head > 0) --head;
    while (head > 0 && before[head - 1] != '\n') --head;
    for (;;) {
        const std::size_t end = before.find('\n', head);
        if (IsHeader(TrimIniBlanks(std::string_view(before).substr(head, end - head))) || head == 0)
            break;
        const std::size_t previous = head < 2 ? std::string::npos : before.rfind('\n', head - 2);
        head = previous == std::string::npos ? 0 : previous + 1;
    }
    while (tail > 0 &&
           (before[before.size() - tail - 1] != '\n' || after[after.size() - tail - 1] != '\n'))
        --tail;
    const Sections was = KeysOf(before, head, before.size() - tail);
    const Sections is = KeysOf(after, head, after.size() - tail);

    std::vector<std::string> changed;
    for (const Sections* side : {&was, &is})
        for (const auto& [section, keys] : *side)
            if (std::find(changed.begin(), changed.end(), section) == changed.end() &&
                Differ(was, is, section))
                changed.push_back(section);

    std::vector<std::string> added, deleted, renamed, edited;
    for (const std::string& section : changed) {
        const std::string& from = ValueOf(was, section, "name");
        const std::string& to = ValueOf(is, section, "name");
        if (StartsWith(section, "category")) {
            // A category is deleted by its name; the items that named it change with it.
            if (platform::EqualsIgnoringCase(to, "Deleted"))
                return "Delete category " + Quoted(from);
            if (from.empty() && !to.empty()) return "Add category " + Quoted(to);
            if (from != to) return "Rename category " + Quoted(from);
        } else if (StartsWith(section, "application")) {
            if (from.empty() && !to.empty())
                added.push_back(to);
            else if (!from.empty() && to.empty())
                deleted.push_back(from);
            else if (from != to)
                renamed.push_back(from);
            else if (!to.empty())
                edited.push_back(to);
        }
    }
    const std::size_t items = added.size() + deleted.size() + renamed.size() + edited.size();
    if (items == 1) {
        if (!added.empty()) return "Add " + Quoted(added[0]);
        if (!deleted.empty()) return "Delete " + Quoted(deleted[0]);
        if (!renamed.empty()) return "Rename " + Quoted(renamed[0]);
        return "Edit " + Quoted(edited[0]);
    }
    if (items > 1 && added.size() == items) return "Add " + std::to_string(items) + " items";
    return items > 1 ? "Change " + std::to_string(items) + " items" : "Change";
}

std::optional<std::vector<int>> ItemsChanged(std::string_view before, std::size_t head,
                                             std::string_view was, std::string_view is) {
    // The change widened to whole lines, in both states, and the section it begins in.
    const std::size_t first = head == 0 ? 0 : before.rfind('\n', head - 1) + 1;
    const std::size_t after = head + was.size();
    const std::size_t last = std::min(before.find('\n', after), before.size());
    const std::string_view prefix = before.substr(first, head - first),
                           suffix = before.substr(after, last - after);
    std::vector<int> numbers;
    bool others = false;
    const auto header = [&](std::string_view line) {
        if (!IsHeader(line)) return false;
        if (const std::optional<int> n = ItemNumberOf(SectionName(line))) {
            numbers.push_back(*n);
        } else {
            others = true;
        }
        return true;
    };
    // Bytes before the first header of either state belong to the section above the change.
    bool above = false;
    for (std::string_view middle : {was, is}) {
        const std::string lines = std::string(prefix).append(middle).append(suffix);
        above = above || !IsHeader(TrimIniBlanks(lines.substr(0, lines.find('\n'))));
        EachLine(lines, 0, lines.size(), header);
    }
    bool found = !above;
    for (std::size_t end = first; end > 0 && !found;) {
        const std::size_t start = end == 1 ? 0 : before.rfind('\n', end - 2) + 1;
        found = header(TrimIniBlanks(before.substr(start, end - 1 - start)));
        end = start;
    }
    if (others || !found) return std::nullopt;
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

ListSize SizeOfList(const std::string& bytes) {
    ListSize size;
    bool item = false, named = false;
    EachLine(bytes, 0, bytes.size(), [&](std::string_view line) {
        if (IsHeader(line)) {
            ++size.sections;
            item = StartsWith(SectionName(line), "application");
            named = false;
            return;
        }
        const std::size_t eq = line.find('=');
        if (!item || named || eq == std::string_view::npos ||
            !platform::EqualsIgnoringCase(TrimIniBlanks(line.substr(0, eq)), "name"))
            return;
        named = true;  // the first Name is the one read
        if (!WithoutEnclosingQuotes(TrimIniBlanks(line.substr(eq + 1))).empty()) ++size.items;
    });
    return size;
}

}  // namespace quopa

#include "tree/quick_match.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

#include "store/item_key.h"

namespace quopa {

namespace {
// Letters of any script and digits make words; ASCII blanks and punctuation part them.
bool InWord(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}
bool Capital(char c) {
    return c >= 'A' && c <= 'Z';
}
bool Small(char c) {
    return c >= 'a' && c <= 'z';
}

bool WordStart(std::string_view text, std::size_t i) {
    return InWord(text[i]) && (i == 0 || !InWord(text[i - 1]));
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string_view FileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

std::string QuickIndex::Folded(std::string_view text) const {
    return fold_(Trimmed(text));
}

std::size_t QuickIndex::Bytes() const {
    std::size_t bytes = entries_.capacity() * sizeof(Entry);
    for (const Entry& e : entries_)
        if (e.text.capacity() > 15) bytes += e.text.capacity() + 1;
    return bytes;
}

void QuickIndex::Replace(const std::vector<QuickItem>& items, std::size_t at, std::size_t count) {
    const std::size_t end = at + count;
    std::vector<bool> taken(count);  // entries moved into the new list
    // A list comes in the order it had: the entry after the last one kept is tried first,
    // and the others are looked up only once one is out of place.
    std::size_t next = at;
    std::unordered_map<std::string_view, std::size_t> byKey;
    const auto find = [&](std::string_view key) -> std::size_t {
        if (next < end && !taken[next - at] && entries_[next][kKey] == key) return next;
        if (byKey.empty())
            for (std::size_t i = at; i < end; ++i)
                if (!taken[i - at]) byKey.emplace(entries_[i][kKey], i);
        const auto was = byKey.find(key);
        return was == byKey.end() ? end : was->second;
    };
    std::vector<Entry> made;
    made.reserve(items.size());
    for (const QuickItem& item : items) {
        const std::size_t i = find(item.key);
        if (i < end && Same(entries_[i], item)) {
            taken[i - at] = true;
            byKey.erase(item.key);  // its key's text moves with the entry
            made.push_back(std::move(entries_[i]));
            next = i + 1;
        } else {
            made.push_back(Prepare(item));
        }
    }
    const auto first = entries_.begin() + static_cast<std::ptrdiff_t>(at);
    entries_.erase(first, first + static_cast<std::ptrdiff_t>(count));
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at),
                    std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
    if (at == 0) itemCount_ = made.size();
    entries_.shrink_to_fit();
}

bool QuickIndex::Same(const Entry& e, const QuickItem& item) {
    return e[kName] == item.name && e[kPath] == item.path && e[kCategory] == item.category &&
           e[kImage] == item.image && e.description == HashOf(item.description);
}

// The user's items are in number order, as a load gives them: where item `n` is or goes.
std::size_t QuickIndex::ItemPlace(int n) const {
    const auto first = entries_.begin(), items = first + static_cast<std::ptrdiff_t>(itemCount_);
    return static_cast<std::size_t>(
        std::partition_point(
            first, items, [n](const Entry& e) { return ItemNumberOf(e[kKey]).value_or(0) < n; }) -
        first);
}

void QuickIndex::SetItem(const QuickItem& item) {
    const std::size_t at = ItemPlace(ItemNumberOf(item.key).value_or(0));
    if (at < itemCount_ && entries_[at][kKey] == item.key) {
        entries_[at] = Prepare(item);
        return;
    }
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), Prepare(item));
    ++itemCount_;
}

void QuickIndex::RemoveItem(std::string_view key) {
    const std::size_t at = ItemPlace(ItemNumberOf(key).value_or(0));
    if (at == itemCount_ || entries_[at][kKey] != key) return;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
    --itemCount_;
}

void QuickIndex::ForEach(const std::function<void(const Listed&)>& each) const {
    for (const Entry& e : entries_) each({e[kKey], e[kName], e[kCategory], e[kPath], e[kImage]});
}

QuickIndex::Entry QuickIndex::Prepare(const QuickItem& item) const {
    const std::string name = fold_(item.name);
    std::string initials;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (WordStart(name, i)) initials += name[i];
    // "LibreOffice Writer" is also "low": the capitals inside a word start one too.
    const std::string& n = item.name;
    std::string capitals;
    for (std::size_t i = 0; i < n.size(); ++i)
        if (WordStart(n, i) || (Capital(n[i]) && Small(n[i - 1]))) capitals += n[i];
    const std::string description = fold_(item.description), file = fold_(FileNameOf(item.path)),
                      foldedCapitals = fold_(capitals);
    const std::string_view fields[kFields] = {item.key,   item.name,     item.category, item.path,
                                              item.image, name,          description,   file,
                                              initials,   foldedCapitals};
    Entry e;
    e.description = HashOf(item.description);
    std::size_t size = 0;
    for (std::string_view field : fields) size += std::min<std::size_t>(field.size(), 1000);
    e.text.reserve(size);
    for (int f = 0; f < kFields; ++f) {
        // A value's 254 characters keep every field well inside the counts.
        e.text += fields[f].substr(0, 1000);
        e.end[f] = static_cast<std::uint16_t>(e.text.size());
    }
    return e;
}

QuickIndex::Tier QuickIndex::TierOf(const Entry& e, std::string_view text) {
    const std::string_view name = e[kFolded];
    const std::size_t at = name.find(text);
    if (at == 0) return name.size() == text.size() ? kWhole : kStart;
    for (std::size_t i = at; i != std::string_view::npos; i = name.find(text, i + 1))
        if (WordStart(name, i)) return kWordStart;
    if (e[kWordInitials].starts_with(text) || e[kCapitals].starts_with(text)) return kInitials;
    if (at != std::string_view::npos) return kInside;
    if (e[kFoldedDescription].find(text) != std::string_view::npos) return kDescription;
    if (e[kFoldedFile].find(text) != std::string_view::npos) return kFileName;
    return kNone;
}

std::vector<QuickItem> QuickIndex::Best(std::string_view typed, const Usage& usage,
                                        std::int64_t now, std::size_t most) const {
    const std::string text = Folded(typed);
    const std::string chosen = text.empty() ? "" : usage.ChosenFor(text);
    // Exact and prefix matches first, the item chosen for this text first within its group,
    // then the tier, the use, the name.
    using Rank = std::tuple<bool, bool, int, double, std::string_view, std::size_t>;
    std::vector<Rank> ranked;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        const Tier tier = text.empty() ? kWhole : TierOf(e, text);
        if (tier == kNone) continue;
        const double weight = usage.Weight(e[kKey], e[kName], e[kPath], now);
        if (text.empty() && weight <= 0) continue;
        const bool isChosen = weight > 0 && e[kKey] == chosen;
        ranked.emplace_back(tier > kStart, !isChosen, tier, -weight, e[kFolded], i);
    }
    const std::size_t shown = std::min(most, ranked.size());
    std::partial_sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(shown),
                      ranked.end());
    std::vector<QuickItem> best;
    for (std::size_t i = 0; i < shown; ++i) {
        const Entry& e = entries_[std::get<5>(ranked[i])];
        best.push_back({std::string(e[kKey]), std::string(e[kName]), "", std::string(e[kCategory]),
                        std::string(e[kPath]), std::string(e[kImage])});
    }
    return best;
}

}  // namespace quopa

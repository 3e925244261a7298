#include "tree/quick_match.h"

#include <algorithm>
#include <tuple>

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

bool WordStart(const std::string& text, std::size_t i) {
    return InWord(text[i]) && (i == 0 || !InWord(text[i - 1]));
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

std::string QuickIndex::Folded(std::string_view text) const {
    return fold_(Trimmed(text));
}

std::size_t QuickIndex::Bytes() const {
    auto heap = [](const std::string& s) { return s.capacity() > 15 ? s.capacity() + 1 : 0; };
    std::size_t bytes = entries_.capacity() * sizeof(Entry);
    for (const Entry& e : entries_)
        for (const std::string* s : {&e.item.key, &e.item.name, &e.item.category, &e.item.path,
                                     &e.item.image, &e.name, &e.description, &e.file, &e.initials,
                                     &e.capitals})
            bytes += heap(*s);
    return bytes;
}

void QuickIndex::Replace(const std::vector<QuickItem>& items, std::size_t at, std::size_t count) {
    std::vector<Entry> made;
    made.reserve(items.size());
    for (const QuickItem& item : items) made.push_back(Prepare(item));
    const auto first = entries_.begin() + static_cast<std::ptrdiff_t>(at);
    entries_.erase(first, first + static_cast<std::ptrdiff_t>(count));
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at),
                    std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
    if (at == 0) itemCount_ = made.size();
}

QuickIndex::Entry QuickIndex::Prepare(const QuickItem& item) const {
    Entry e{item, fold_(item.name), fold_(item.description), fold_(FileNameOf(item.path))};
    e.item.description = {};
    e.item.description.shrink_to_fit();
    for (std::size_t i = 0; i < e.name.size(); ++i)
        if (WordStart(e.name, i)) e.initials += e.name[i];
    // "LibreOffice Writer" is also "low": the capitals inside a word start one too.
    const std::string& n = item.name;
    std::string capitals;
    for (std::size_t i = 0; i < n.size(); ++i) {
        if (WordStart(n, i) || (Capital(n[i]) && Small(n[i - 1]))) capitals += n[i];
    }
    e.capitals = fold_(capitals);
    return e;
}

QuickIndex::Tier QuickIndex::TierOf(const Entry& e, const std::string& text) {
    const std::size_t at = e.name.find(text);
    if (at == 0) return e.name.size() == text.size() ? kWhole : kStart;
    for (std::size_t i = at; i != std::string::npos; i = e.name.find(text, i + 1))
        if (WordStart(e.name, i)) return kWordStart;
    if (e.initials.rfind(text, 0) == 0 || e.capitals.rfind(text, 0) == 0) return kInitials;
    if (at != std::string::npos) return kInside;
    if (e.description.find(text) != std::string::npos) return kDescription;
    if (e.file.find(text) != std::string::npos) return kFileName;
    return kNone;
}

std::vector<const QuickItem*> QuickIndex::Best(std::string_view typed, const Usage& usage,
                                               std::int64_t now, std::size_t most) const {
    const std::string text = Folded(typed);
    const std::string chosen = text.empty() ? "" : usage.ChosenFor(text);
    // Exact and prefix matches first, the item chosen for this text first within its group,
    // then the tier, the use, the name.
    using Rank = std::tuple<bool, bool, int, double, std::string_view, std::size_t>;
    std::vector<Rank> ranked;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        const double weight = usage.Weight(e.item.key, e.item.name, e.item.path, now);
        const Tier tier = text.empty() ? (weight > 0 ? kWhole : kNone) : TierOf(e, text);
        if (tier == kNone) continue;
        const bool isChosen = weight > 0 && e.item.key == chosen;
        ranked.emplace_back(tier > kStart, !isChosen, tier, -weight, e.name, i);
    }
    const std::size_t shown = std::min(most, ranked.size());
    std::partial_sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(shown),
                      ranked.end());
    std::vector<const QuickItem*> best;
    for (std::size_t i = 0; i < shown; ++i) best.push_back(&entries_[std::get<5>(ranked[i])].item);
    return best;
}

}  // namespace quopa

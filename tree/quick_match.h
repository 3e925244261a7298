#pragma once
// What the quick-launch box finds for a typed text: every item and found app, ranked by how
// the text meets the name (whole, start, a later word's start, initials, inside), then the
// description and the file name, and within each of those by use.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tree/usage.h"

namespace quopa {

struct QuickItem {
    std::string key, name;
    std::string description;  // matched, then dropped from the index's copy
    std::string category;
    std::string path;   // as stored: the item's identity in the usage file, and its file name
    std::string image;  // its picture's key in the tree's image list
};

class QuickIndex {
  public:
    // Letter case and accents folded away, by the system's rules.
    using Fold = std::function<std::string(std::string_view)>;
    enum Tier { kWhole, kStart, kWordStart, kInitials, kInside, kDescription, kFileName, kNone };

    explicit QuickIndex(Fold fold) : fold_(std::move(fold)) {}
    // The user's items, then the found apps: each part is replaced on its own. An entry
    // whose texts are unchanged is kept as it was: folding is most of the cost, and after a
    // command most of a long list is unchanged.
    void SetItems(const std::vector<QuickItem>& items) { Replace(items, 0, itemCount_); }
    void SetFound(const std::vector<QuickItem>& found) {
        Replace(found, itemCount_, entries_.size() - itemCount_);
    }
    // One of the user's items ("application" and its number) changed, or came; and one gone.
    void SetItem(const QuickItem& item);
    void RemoveItem(std::string_view key);
    // Each entry as it was given, the items first (without its description).
    struct Listed {
        std::string_view key, name, category, path, image;
    };
    void ForEach(const std::function<void(const Listed&)>& each) const;
    // At most `most` matches for `typed`, best first; for an empty text the most used.
    std::vector<QuickItem> Best(std::string_view typed, const Usage& usage, std::int64_t now,
                                std::size_t most) const;
    // The text as matches are sought for it: folded, without blanks around it.
    std::string Folded(std::string_view text) const;
    // What the lists take in memory, in bytes.
    std::size_t Bytes() const;

  private:
    // An item's texts one after another in one string: 9999 of them stay within 2 MB.
    // Folded: the name. Initials: of its words; capitals: of its words and inner capitals.
    enum Field {
        kKey,
        kName,
        kCategory,
        kPath,
        kImage,
        kFolded,
        kFoldedDescription,
        kFoldedFile,
        kWordInitials,
        kCapitals,
        kFields
    };
    struct Entry {
        std::string text;
        std::uint32_t description = 0;  // the unfolded description's hash, to see it unchanged
        std::uint16_t end[kFields] = {};
        std::string_view operator[](Field f) const {
            const std::size_t begin = f == 0 ? 0 : end[f - 1];
            return std::string_view(text).substr(begin, end[f] - begin);
        }
    };
    void Replace(const std::vector<QuickItem>& items, std::size_t at, std::size_t count);
    Entry Prepare(const QuickItem& item) const;
    static bool Same(const Entry& e, const QuickItem& item);
    static std::uint32_t HashOf(const std::string& description) {
        return static_cast<std::uint32_t>(std::hash<std::string>()(description));
    }
    std::size_t ItemPlace(int n) const;
    static Tier TierOf(const Entry& e, std::string_view text);

    Fold fold_;
    std::vector<Entry> entries_;
    std::size_t itemCount_ = 0;
};

}  // namespace quopa

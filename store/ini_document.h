#pragma once
// One INI file as the profile functions of Windows read it: its text (UTF-8, without the
// byte-order mark) exactly as stored, plus an index of where each section and key lies, so that a
// lookup is two hash probes and a change rewrites one line and leaves every other byte alone.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quopa {

// Blanks as the profile functions trim them; ^Z is one because DOS editors end files with it.
inline bool IsIniBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}
std::string_view TrimIniBlanks(std::string_view s);
// A stored value as read: one pair of enclosing double or single quotes dropped.
std::string_view WithoutEnclosingQuotes(std::string_view raw);

// One key to set: names trimmed, as the caller spells them; the value as it is stored.
struct IniSetting {
    std::string_view section, key, value;
};

class IniDocument {
  public:
    IniDocument() : IniDocument(std::string()) {}
    explicit IniDocument(std::string bytes);

    const std::string& Bytes() const { return bytes_ ? *bytes_ : Empty(); }
    // The same bytes, for a holder that outlives the document: shared, never copied.
    const std::shared_ptr<const std::string>& SharedBytes() const { return bytes_; }

    // The stored value with its surrounding blanks trimmed and any quotes kept;
    // false when the section or key is absent or the key's line has no "=".
    // Both names must already be trimmed and lower-cased.
    bool Find(const std::string& lowerSection, const std::string& lowerKey,
              std::string_view& value) const;

    // The file's bytes with the key set to value: an existing key's line is rewritten
    // in place, a new key goes after the last non-blank line of the first section of
    // that name, a new section goes at the end. Names are trimmed, as the caller spells them.
    std::string WithValue(std::string_view section, std::string_view key,
                          std::string_view value) const {
        return WithValues({{section, key, value}});
    }
    // The bytes that setting each key in turn would give, composed in one pass over the
    // file: a command that writes hundreds of keys costs one copy, not one per key.
    std::string WithValues(const std::vector<IniSetting>& settings) const;

  private:
    struct Entry {
        std::uint32_t lineBegin, lineEnd;  // the line without its terminator
        std::uint32_t keyBegin, keyEnd;
        std::uint32_t valueBegin, valueEnd;  // valueBegin == npos32: no "="
        std::uint32_t section;
    };
    struct Section {
        std::uint32_t nameBegin = 0, nameEnd = 0;
        // Where a new key goes: after the last non-blank line and its terminator.
        std::uint32_t insertAt = 0;
        bool lastLineEnded = true;  // false when that line ends the file without a line break
        std::uint32_t firstKey = 0, keyCount = 0;  // a section's keys lie together in keys_
    };
    static constexpr std::uint32_t npos32 = 0xFFFFFFFFu;
    // A section with more keys than this finds them through keySlots_.
    static constexpr std::uint32_t kScannedKeys = 16;

    static const std::string& Empty();  // a moved-from document's
    void Parse();
    // The slot of the section or key of that name, in any letter case: the one holding it,
    // else the empty one where it goes. A slot holds an index into sections_ or keys_, plus one.
    std::size_t SectionSlot(std::string_view name) const;
    std::size_t KeySlot(std::uint32_t section, std::string_view name) const;
    const Section* FindSection(std::string_view name) const;
    const Entry* FindKey(const Section* section, std::string_view name) const;

    std::shared_ptr<const std::string> bytes_;
    std::string eol_ = "\r\n";
    // The first section of each lower-cased name, in file order; the lines before the first
    // header form the section "", the first. The first line of each key in its section.
    // Names are found through open-addressed tables of indices and compared in the bytes:
    // a 9999-item list indexed by a hash map of strings took five times the file's size.
    std::vector<Section> sections_;
    std::vector<Entry> keys_;
    std::vector<std::uint32_t> sectionSlots_, keySlots_;
};

}  // namespace quopa

#pragma once
// One INI file as the profile functions of Windows read it: its text (UTF-8, without the
// byte-order mark) exactly as stored, plus an index of where each section and key lies, so that a
// lookup is two hash probes and a change rewrites one line and leaves every other byte alone.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
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

    const std::string& Bytes() const { return bytes_; }

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
    };
    struct Section {
        std::uint32_t nameBegin = 0, nameEnd = 0;
        // Where a new key goes: after the last non-blank line and its terminator.
        std::uint32_t insertAt = 0;
        bool lastLineEnded = true;  // false when that line ends the file without a line break
        std::unordered_map<std::string, Entry> keys;
    };
    static constexpr std::uint32_t npos32 = 0xFFFFFFFFu;

    void Parse();

    std::string bytes_;
    std::string eol_ = "\r\n";
    // Lower-cased name -> the first section so named; the lines before the first
    // header form the section "".
    std::unordered_map<std::string, Section> sections_;
};

}  // namespace quopa

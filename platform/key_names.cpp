#include "platform/key_names.h"

#include <array>
#include <charconv>
#include <string_view>

#include "platform/text.h"

namespace platform {

namespace {

struct Named {
    unsigned code;
    const char* name;
};

// Virtual-key codes that have a name of their own; letters, digits and F-keys are counted.
constexpr std::array<Named, 12> kNamedKeys{{{0x20, "Space"},
                                            {0x21, "PageUp"},
                                            {0x22, "PageDown"},
                                            {0x23, "End"},
                                            {0x24, "Home"},
                                            {0x25, "Left"},
                                            {0x26, "Up"},
                                            {0x27, "Right"},
                                            {0x28, "Down"},
                                            {0x2D, "Insert"},
                                            {0x2E, "Delete"},
                                            {0x13, "Pause"}}};

constexpr std::array<Named, 4> kModifiers{
    {{kModControl, "Ctrl"}, {kModAlt, "Alt"}, {kModShift, "Shift"}, {kModWin, "Win"}}};

constexpr unsigned kF1 = 0x70, kF24 = 0x87, kNumpad0 = 0x60, kNumpad9 = 0x69;

std::string_view Trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string KeyName(unsigned key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    if (key >= kF1 && key <= kF24) return "F" + std::to_string(key - kF1 + 1);
    if (key >= kNumpad0 && key <= kNumpad9) return "Num" + std::to_string(key - kNumpad0);
    for (const Named& k : kNamedKeys)
        if (k.code == key) return k.name;
    return "Key" + std::to_string(key);
}

// A number after `prefix` within [low, high]; 0 when the word is not one.
unsigned Numbered(std::string_view word, std::string_view prefix, unsigned low, unsigned high) {
    if (word.size() <= prefix.size() || !EqualsIgnoringCase(word.substr(0, prefix.size()), prefix))
        return 0;
    unsigned n = 0;
    const char* first = word.data() + prefix.size();
    const char* last = word.data() + word.size();
    const auto [end, error] = std::from_chars(first, last, n);
    if (error != std::errc() || end != last || n < low || n > high) return 0;
    return n;
}

unsigned KeyOf(std::string_view word) {
    if (word.size() == 1) {
        const char c = AsciiUpper(word[0]);
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<unsigned>(c);
    }
    for (const Named& k : kNamedKeys)
        if (EqualsIgnoringCase(word, k.name)) return k.code;
    if (unsigned f = Numbered(word, "F", 1, 24)) return kF1 + f - 1;
    if (word.size() == 4 && EqualsIgnoringCase(word.substr(0, 3), "Num") && word[3] >= '0' &&
        word[3] <= '9')
        return kNumpad0 + static_cast<unsigned>(word[3] - '0');
    return Numbered(word, "Key", 1, 255);
}

}  // namespace

std::string FormatModifiers(unsigned modifiers) {
    std::string text;
    for (const Named& m : kModifiers)
        if (modifiers & m.code) text += std::string(m.name) + "+";
    return text;
}

std::string FormatKeyCombo(const KeyCombo& combo) {
    if (combo.Empty()) return kNoKeyCombo;
    return FormatModifiers(combo.modifiers) + KeyName(combo.key);
}

std::optional<KeyCombo> ParseKeyCombo(std::string_view text) {
    const std::string_view whole = Trimmed(text);
    if (EqualsIgnoringCase(whole, kNoKeyCombo)) return KeyCombo{};
    KeyCombo combo;
    std::string_view rest = whole;
    while (true) {
        const std::size_t plus = rest.find('+', 1);  // "+" alone would be no key of ours
        const std::string_view word = Trimmed(rest.substr(0, plus));
        if (plus == std::string_view::npos) {
            combo.key = KeyOf(word);
            if (combo.key == 0) return std::nullopt;
            return combo;
        }
        unsigned bit = 0;
        for (const Named& m : kModifiers)
            if (EqualsIgnoringCase(word, m.name)) bit = m.code;
        if (bit == 0) return std::nullopt;
        combo.modifiers |= bit;
        rest = rest.substr(plus + 1);
    }
}

}  // namespace platform

#pragma once
// The program's text is UTF-8. Names inside the data files fold ASCII-only: only the
// letters A to Z, as the system's profile functions and file names fold them. Text the user
// reads folds by Unicode's rules, through Desktop::LowerCase.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
inline std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AsciiLower(c);
    return out;
}
inline std::string AsciiUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AsciiUpper(c);
    return out;
}
inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

inline bool IsAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Limits the user reads are in characters: a byte that continues a UTF-8 sequence adds none.
std::size_t CharCount(std::string_view utf8);
// The first `chars` characters, never cut inside one.
std::string_view FirstChars(std::string_view utf8, std::size_t chars);
// The character starting at `at`, which moves past it; a byte that starts none is U+FFFD.
char32_t NextChar(std::string_view utf8, std::size_t& at);
void AppendUtf8(std::string& out, char32_t c);

}  // namespace platform

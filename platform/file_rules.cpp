#include "platform/file_rules.h"

namespace platform {
namespace {

bool AllDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b, bool ignoreCase) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ignoreCase ? Lower(a[i]) != Lower(b[i]) : a[i] != b[i]) return false;
    }
    return true;
}

}  // namespace

std::string TempSiblingName(const std::string& path, unsigned long process, unsigned n) {
    return path + ".~" + std::to_string(process) + "-" + std::to_string(n) + ".tmp";
}

bool IsTempSiblingOf(std::string_view entry, std::string_view fileName, bool ignoreCase) {
    constexpr std::string_view kOpen = ".~", kClose = ".tmp";
    if (entry.size() < fileName.size() + kOpen.size() + kClose.size() ||
        !SameName(entry.substr(0, fileName.size()), fileName, ignoreCase))
        return false;
    entry.remove_prefix(fileName.size());
    if (!SameName(entry.substr(0, kOpen.size()), kOpen, false) ||
        !SameName(entry.substr(entry.size() - kClose.size()), kClose, ignoreCase))
        return false;
    entry = entry.substr(kOpen.size(), entry.size() - kOpen.size() - kClose.size());
    const std::size_t dash = entry.find('-');
    return dash != std::string_view::npos && AllDigits(entry.substr(0, dash)) &&
           AllDigits(entry.substr(dash + 1));
}

bool WithinClockStep(std::uint64_t writeNs, std::uint64_t nowNs) {
    constexpr std::uint64_t kSecond = 1000000000u;
    const std::uint64_t step = writeNs % (2 * kSecond) == 0 ? 2 * kSecond
                               : writeNs % kSecond == 0     ? kSecond
                                                            : 20000000u;
    // Half a step more either way: FAT rounds the time up on some systems, down on
    // others, and a coarse clock lags the one we compare with.
    const std::uint64_t window = step + step / 2;
    return writeNs <= nowNs ? nowNs - writeNs < window : writeNs - nowNs < window;
}

}  // namespace platform

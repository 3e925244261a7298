#include "platform/http.h"

namespace platform {

bool WholeBody(std::string_view contentLength, std::uint64_t received) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!contentLength.empty() && blank(contentLength.front())) contentLength.remove_prefix(1);
    while (!contentLength.empty() && blank(contentLength.back())) contentLength.remove_suffix(1);
    if (contentLength.empty()) return true;
    std::uint64_t stated = 0;
    for (char c : contentLength) {
        if (c < '0' || c > '9') return false;
        // More than any body we would read: stop before the number overflows.
        if (stated > received) return false;
        stated = stated * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return stated == received;
}

}  // namespace platform

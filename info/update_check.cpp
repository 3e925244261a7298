#include "info/update_check.h"

namespace quopa {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::string UpdateUrl(const std::string& host) {
    return "http://" + host + kUpdatePath;
}

std::optional<int> ReadShort(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    std::size_t at = begin;
    const bool negative = at < end && text[at] == '-';
    if (at < end && (text[at] == '-' || text[at] == '+')) ++at;
    if (at == end) return std::nullopt;
    long value = 0;
    for (; at < end; ++at) {
        if (text[at] < '0' || text[at] > '9') return std::nullopt;
        value = value * 10 + (text[at] - '0');
        if (value > 32768) return std::nullopt;  // stops long digit runs before they overflow
    }
    if (negative) value = -value;
    if (value > 32767) return std::nullopt;
    return static_cast<int>(value);
}

UpdateAnswer ReadUpdateReply(const platform::HttpReply& reply) {
    if (!reply.answered || reply.truncated) return UpdateAnswer::Failed;
    const std::optional<int> number = ReadShort(reply.body);
    if (number == 1) return UpdateAnswer::Current;
    if (number == 0) return UpdateAnswer::Outdated;
    return UpdateAnswer::Failed;
}

}  // namespace quopa

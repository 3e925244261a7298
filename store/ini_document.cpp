#include "store/ini_document.h"
#include "platform/text.h"

#include <cstring>
#include <utility>

namespace quopa {

std::string_view TrimIniBlanks(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsIniBlank(s[b])) ++b;
    while (e > b && IsIniBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)) {
    // Offsets are 32-bit; the engine never hands over a file anywhere near that size.
    if (bytes_.size() < npos32) Parse();
}

void IniDocument::Parse() {
    const char* data = bytes_.data();
    const auto size = static_cast<std::uint32_t>(bytes_.size());
    std::uint32_t pos = 0;
    if (size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0) pos = 3;

    Section* current = &sections_[""];
    current->insertAt = pos;
    bool eolSeen = false;
    while (pos < size) {
        const std::uint32_t begin = pos;
        std::uint32_t end = pos;
        while (end < size && data[end] != '\n' && data[end] != '\r') ++end;
        std::uint32_t next = end;
        // CR LF, LF and a lone CR all end a line, as they do for the system's reader.
        if (next < size)
            next += (data[next] == '\r' && next + 1 < size && data[next + 1] == '\n') ? 2 : 1;
        if (!eolSeen && next > end) {
            eol_.assign(data + end, next - end);
            eolSeen = true;
        }
        pos = next;

        std::uint32_t b = begin, e = end;
        while (b < e && IsIniBlank(data[b])) ++b;
        while (e > b && IsIniBlank(data[e - 1])) --e;
        if (b == e) continue;

        if (data[b] == '[') {
            std::uint32_t close = e;
            while (close > b + 1 && data[close - 1] != ']') --close;
            if (close > b + 1) {  // no "]": an ordinary line of the current section
                std::uint32_t nb = b + 1, ne = close - 1;
                while (nb < ne && IsIniBlank(data[nb])) ++nb;
                while (ne > nb && IsIniBlank(data[ne - 1])) --ne;
                auto [it, fresh] =
                    sections_.try_emplace(platform::AsciiLower({data + nb, ne - nb}));
                // Only the first section of a name counts; the lines of a repeat are ignored.
                current = fresh ? &it->second : nullptr;
                if (current) {
                    current->nameBegin = nb;
                    current->nameEnd = ne;
                    current->insertAt = next;
                    current->lastLineEnded = next > end;
                }
                continue;
            }
        }
        if (!current) continue;
        current->insertAt = next;
        current->lastLineEnded = next > end;

        Entry entry{begin, end, b, e, npos32, npos32};
        if (const void* eq = std::memchr(data + b, '=', e - b)) {
            const auto at = static_cast<std::uint32_t>(static_cast<const char*>(eq) - data);
            std::uint32_t ke = at, vb = at + 1;
            while (ke > b && IsIniBlank(data[ke - 1])) --ke;
            while (vb < e && IsIniBlank(data[vb])) ++vb;
            entry.keyEnd = ke;
            entry.valueBegin = vb;
            entry.valueEnd = e;
        }
        current->keys.try_emplace(platform::AsciiLower({data + b, entry.keyEnd - b}), entry);
    }
}

bool IniDocument::Find(const std::string& lowerSection, const std::string& lowerKey,
                       std::string_view& value) const {
    auto section = sections_.find(lowerSection);
    if (section == sections_.end()) return false;
    auto key = section->second.keys.find(lowerKey);
    if (key == section->second.keys.end() || key->second.valueBegin == npos32) return false;
    const Entry& e = key->second;
    value = std::string_view(bytes_.data() + e.valueBegin, e.valueEnd - e.valueBegin);
    return true;
}

std::string IniDocument::Splice(std::uint32_t at, std::uint32_t cut,
                                const std::string& text) const {
    std::string out;
    out.reserve(bytes_.size() - cut + text.size());
    out.append(bytes_, 0, at).append(text).append(bytes_, at + cut, std::string::npos);
    return out;
}

std::string_view IniDocument::LineBreakBefore(std::uint32_t at) const {
    if (at >= 2 && bytes_[at - 2] == '\r' && bytes_[at - 1] == '\n') return "\r\n";
    if (at >= 1 && (bytes_[at - 1] == '\n' || bytes_[at - 1] == '\r'))
        return std::string_view(&bytes_[at - 1], 1);
    return eol_;
}

std::string IniDocument::WithValue(std::string_view section, std::string_view key,
                                   std::string_view value) const {
    auto found = sections_.find(platform::AsciiLower(section));
    if (found != sections_.end()) {
        const Section& s = found->second;
        auto entry = s.keys.find(platform::AsciiLower(key));
        std::string line;
        if (entry != s.keys.end()) {
            // The stored spelling of the key stays; the line loses its indentation, as
            // the system's writer normalises it.
            const Entry& e = entry->second;
            line.append(bytes_, e.keyBegin, e.keyEnd - e.keyBegin).append(1, '=').append(value);
            return Splice(e.lineBegin, e.lineEnd - e.lineBegin, line);
        }
        // A new line ends like the line it follows, so a file's mix of endings stays readable.
        const std::string_view eol = LineBreakBefore(s.insertAt);
        if (!s.lastLineEnded) line.append(eol);
        line.append(key).append(1, '=').append(value).append(eol);
        return Splice(s.insertAt, 0, line);
    }

    std::string out = bytes_;
    const std::string_view eol = LineBreakBefore(static_cast<std::uint32_t>(out.size()));
    const std::size_t bom = (out.size() >= 3 && out.compare(0, 3, "\xEF\xBB\xBF") == 0) ? 3 : 0;
    if (out.size() > bom && out.back() != '\n' && out.back() != '\r') out.append(eol);
    out.append(1, '[').append(section).append(1, ']').append(eol);
    out.append(key).append(1, '=').append(value).append(eol);
    return out;
}

}  // namespace quopa

#include "store/ini_document.h"
#include "platform/text.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace quopa {

std::string_view WithoutEnclosingQuotes(std::string_view raw) {
    if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front())
        raw = raw.substr(1, raw.size() - 2);
    return raw;
}

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

    Section* current = &sections_[""];
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

namespace {

// The line break ending just before `at`, else the file's first one (or CR LF).
std::string LineBreakBefore(const std::string& bytes, std::size_t at, const std::string& first) {
    if (at >= 2 && bytes[at - 2] == '\r' && bytes[at - 1] == '\n') return "\r\n";
    if (at >= 1 && (bytes[at - 1] == '\n' || bytes[at - 1] == '\r')) return bytes.substr(at - 1, 1);
    return first;
}

// A key not yet in its section, spelled as it was first written; a later setting of the
// same key changes only its value, as it would rewrite the line in place.
struct NewKey {
    std::string lower;
    std::string_view spelling, value;
};

void SetNewKey(std::vector<NewKey>& keys, std::string lower, std::string_view spelling,
               std::string_view value) {
    for (NewKey& k : keys) {
        if (k.lower == lower) {
            k.value = value;
            return;
        }
    }
    keys.push_back({std::move(lower), spelling, value});
}

void AppendLines(std::string& out, const std::vector<NewKey>& keys, const std::string& eol) {
    for (const NewKey& k : keys) out.append(k.spelling).append(1, '=').append(k.value).append(eol);
}

}  // namespace

// Every setting lands where it would if each were written in turn: an existing key's line
// is rewritten in place (the stored spelling of the key stays, the line loses its
// indentation, as the system's writer normalises it); a new key goes after the last
// non-blank line of its section, ending like the line it follows; a new section goes at
// the end. So the edits are splices at offsets of the bytes as they are, applied in one pass.
std::string IniDocument::WithValues(const std::vector<IniSetting>& settings) const {
    std::unordered_map<const Entry*, std::string_view> rewritten;
    std::unordered_map<const Section*, std::vector<NewKey>> added;
    struct NewSection {
        std::string lower;
        std::string_view spelling;
        std::vector<NewKey> keys;
    };
    std::vector<NewSection> appended;
    for (const IniSetting& setting : settings) {
        std::string lowerSection = platform::AsciiLower(setting.section);
        std::string lowerKey = platform::AsciiLower(setting.key);
        auto found = sections_.find(lowerSection);
        if (found != sections_.end()) {
            auto entry = found->second.keys.find(lowerKey);
            if (entry != found->second.keys.end()) {
                rewritten[&entry->second] = setting.value;
            } else {
                SetNewKey(added[&found->second], std::move(lowerKey), setting.key, setting.value);
            }
            continue;
        }
        auto section = std::find_if(appended.begin(), appended.end(),
                                    [&](const NewSection& n) { return n.lower == lowerSection; });
        if (section == appended.end()) {
            appended.push_back({std::move(lowerSection), setting.section, {}});
            section = appended.end() - 1;
        }
        SetNewKey(section->keys, std::move(lowerKey), setting.key, setting.value);
    }

    struct Splice {
        std::uint32_t at, cut;
        std::string text;
    };
    std::vector<Splice> splices;
    splices.reserve(rewritten.size() + added.size());
    for (const auto& [e, value] : rewritten) {
        std::string line(bytes_, e->keyBegin, e->keyEnd - e->keyBegin);
        line.append(1, '=').append(value);
        splices.push_back({e->lineBegin, e->lineEnd - e->lineBegin, std::move(line)});
    }
    for (const auto& [s, keys] : added) {
        const std::string eol = LineBreakBefore(bytes_, s->insertAt, eol_);
        std::string lines = s->lastLineEnded ? std::string() : eol;
        AppendLines(lines, keys, eol);
        splices.push_back({s->insertAt, 0, std::move(lines)});
    }
    std::sort(splices.begin(), splices.end(),
              [](const Splice& a, const Splice& b) { return a.at < b.at; });

    std::size_t size = bytes_.size();
    for (const Splice& s : splices) size += s.text.size() - s.cut;
    std::string out;
    out.reserve(size + 64 * settings.size());
    std::uint32_t from = 0;
    for (const Splice& s : splices) {
        out.append(bytes_, from, s.at - from).append(s.text);
        from = s.at + s.cut;
    }
    out.append(bytes_, from, std::string::npos);

    if (appended.empty()) return out;
    const std::string eol = LineBreakBefore(out, out.size(), eol_);
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out.append(eol);
    for (const NewSection& section : appended) {
        out.append(1, '[').append(section.spelling).append(1, ']').append(eol);
        AppendLines(out, section.keys, eol);
    }
    return out;
}

}  // namespace quopa

#include "store/ini_document.h"
#include "platform/text.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
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

const std::string& IniDocument::Empty() {
    static const std::string empty;
    return empty;
}

IniDocument::IniDocument(std::string bytes)
    : bytes_(std::make_shared<const std::string>(std::move(bytes))) {
    // Offsets are 32-bit; the engine never hands over a file anywhere near that size.
    if (bytes_->size() < npos32) Parse();
}

namespace {

std::size_t NameHash(std::string_view name, std::uint32_t seed) {
    std::uint32_t h = 2166136261u;
    for (char c : name) h = (h ^ static_cast<unsigned char>(platform::AsciiLower(c))) * 16777619u;
    // The table takes the low bits: every bit of the name and the seed must reach them.
    h ^= seed * 0x9E3779B1u;
    h = (h ^ (h >> 16)) * 0x85EBCA6Bu;
    h = (h ^ (h >> 13)) * 0xC2B2AE35u;
    return h ^ (h >> 16);
}

// Room for `most` names at half load at worst.
std::vector<std::uint32_t> Slots(std::size_t most) {
    std::size_t size = 4;
    while (size < 2 * most + 2) size *= 2;
    return std::vector<std::uint32_t>(size, 0);
}

}  // namespace

std::size_t IniDocument::SectionSlot(std::string_view name) const {
    const std::size_t mask = sectionSlots_.size() - 1;
    for (std::size_t i = NameHash(name, 0) & mask;; i = (i + 1) & mask) {
        const std::uint32_t held = sectionSlots_[i];
        if (held == 0) return i;
        const Section& s = sections_[held - 1];
        if (platform::EqualsIgnoringCase({bytes_->data() + s.nameBegin, s.nameEnd - s.nameBegin},
                                         name))
            return i;
    }
}

std::size_t IniDocument::KeySlot(std::uint32_t section, std::string_view name) const {
    const std::size_t mask = keySlots_.size() - 1;
    for (std::size_t i = NameHash(name, section + 1) & mask;; i = (i + 1) & mask) {
        const std::uint32_t held = keySlots_[i];
        if (held == 0) return i;
        const Entry& e = keys_[held - 1];
        if (e.section == section && platform::EqualsIgnoringCase(
                                        {bytes_->data() + e.keyBegin, e.keyEnd - e.keyBegin}, name))
            return i;
    }
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    const std::uint32_t held = sectionSlots_[SectionSlot(name)];
    return held == 0 ? nullptr : &sections_[held - 1];
}

const IniDocument::Entry* IniDocument::FindKey(const Section* section,
                                               std::string_view name) const {
    // A look through a few neighbours beats a probe across the whole table.
    if (section->keyCount <= kScannedKeys) {
        for (std::uint32_t i = section->firstKey; i < section->firstKey + section->keyCount; ++i) {
            const Entry& e = keys_[i];
            if (platform::EqualsIgnoringCase({bytes_->data() + e.keyBegin, e.keyEnd - e.keyBegin},
                                             name))
                return &e;
        }
        return nullptr;
    }
    const std::uint32_t held =
        keySlots_[KeySlot(static_cast<std::uint32_t>(section - sections_.data()), name)];
    return held == 0 ? nullptr : &keys_[held - 1];
}

void IniDocument::Parse() {
    const char* data = bytes_->data();
    const auto size = static_cast<std::uint32_t>(bytes_->size());
    // Each section starts with a "[" and each key takes a line: bounds that fix the tables'
    // sizes before the first name goes in.
    std::size_t lines = 1, brackets = 1;
    for (std::uint32_t i = 0; i < size; ++i) {
        lines += data[i] == '\n' || (data[i] == '\r' && (i + 1 == size || data[i + 1] != '\n'));
        brackets += data[i] == '[';
    }
    sectionSlots_ = Slots(brackets);
    sections_.reserve(std::min<std::size_t>(brackets, lines));
    keys_.reserve(lines);

    std::uint32_t pos = 0;

    sections_.push_back({0, 0, pos, true, 0, 0});
    sectionSlots_[SectionSlot({})] = 1;
    std::uint32_t current = 0;  // npos32 while in a repeated section
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
                std::uint32_t& slot = sectionSlots_[SectionSlot({data + nb, ne - nb})];
                // Only the first section of a name counts; the lines of a repeat are ignored.
                if (slot != 0) {
                    current = npos32;
                    continue;
                }
                current = static_cast<std::uint32_t>(sections_.size());
                sections_.push_back({nb, ne, next, next > end, 0, 0});
                slot = current + 1;
                continue;
            }
        }
        if (current == npos32) continue;
        sections_[current].insertAt = next;
        sections_[current].lastLineEnded = next > end;

        Entry entry{begin, end, b, e, npos32, npos32, current};
        if (const void* eq = std::memchr(data + b, '=', e - b)) {
            const auto at = static_cast<std::uint32_t>(static_cast<const char*>(eq) - data);
            std::uint32_t ke = at, vb = at + 1;
            while (ke > b && IsIniBlank(data[ke - 1])) --ke;
            while (vb < e && IsIniBlank(data[vb])) ++vb;
            entry.keyEnd = ke;
            entry.valueBegin = vb;
            entry.valueEnd = e;
        }
        Section& section = sections_[current];
        if (FindKey(&section, {data + b, entry.keyEnd - b})) continue;  // the first one counts
        if (section.keyCount == kScannedKeys) {  // too many to look through: into the table
            if (keySlots_.empty()) keySlots_ = Slots(lines);
            for (std::uint32_t i = section.firstKey; i < section.firstKey + kScannedKeys; ++i) {
                const Entry& k = keys_[i];
                keySlots_[KeySlot(current, {data + k.keyBegin, k.keyEnd - k.keyBegin})] = i + 1;
            }
        }
        if (section.keyCount++ == 0) section.firstKey = static_cast<std::uint32_t>(keys_.size());
        keys_.push_back(entry);
        if (section.keyCount > kScannedKeys)
            keySlots_[KeySlot(current, {data + b, entry.keyEnd - b})] =
                static_cast<std::uint32_t>(keys_.size());
    }
}

bool IniDocument::Find(const std::string& lowerSection, const std::string& lowerKey,
                       std::string_view& value) const {
    const Section* section = FindSection(lowerSection);
    const Entry* e = section ? FindKey(section, lowerKey) : nullptr;
    if (!e || e->valueBegin == npos32) return false;
    value = std::string_view(bytes_->data() + e->valueBegin, e->valueEnd - e->valueBegin);
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
        if (const Section* found = FindSection(lowerSection)) {
            if (const Entry* entry = FindKey(found, lowerKey)) {
                rewritten[entry] = setting.value;
            } else {
                SetNewKey(added[found], std::move(lowerKey), setting.key, setting.value);
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
        std::string line(*bytes_, e->keyBegin, e->keyEnd - e->keyBegin);
        line.append(1, '=').append(value);
        splices.push_back({e->lineBegin, e->lineEnd - e->lineBegin, std::move(line)});
    }
    for (const auto& [s, keys] : added) {
        const std::string eol = LineBreakBefore(*bytes_, s->insertAt, eol_);
        std::string lines = s->lastLineEnded ? std::string() : eol;
        AppendLines(lines, keys, eol);
        splices.push_back({s->insertAt, 0, std::move(lines)});
    }
    std::sort(splices.begin(), splices.end(),
              [](const Splice& a, const Splice& b) { return a.at < b.at; });

    std::size_t size = bytes_->size();
    for (const Splice& s : splices) size += s.text.size() - s.cut;
    std::string out;
    out.reserve(size + 64 * settings.size());
    std::uint32_t from = 0;
    for (const Splice& s : splices) {
        out.append(*bytes_, from, s.at - from).append(s.text);
        from = s.at + s.cut;
    }
    out.append(*bytes_, from, std::string::npos);

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

#include "store/ini.h"
#include "platform/text.h"

#include <algorithm>
#include <exception>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace quopa {
namespace {

constexpr std::size_t kCachedFiles = 4;

// Counts writes per file across every engine in the process: a write by another
// engine must make our copy stale even where the file system's clock (2 s on FAT)
// and an unchanged size cannot show it.
std::uint64_t& WriteGeneration(const std::string& normalisedPath) {
    static std::unordered_map<std::string, std::uint64_t> generations;
    return generations[normalisedPath];
}

// Letter case is kept: host folders of the headless backend tell it apart.
std::string NormalisedPath(const std::string& path) {
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        if (c == '/') c = '\\';
        if (c == '\\' && out.size() > 1 && out.back() == '\\') continue;
        out += c;
    }
    return out;
}

// The system functions take C strings: anything after a NUL never reaches them.
std::string_view UpToNul(const std::string& s) {
    return std::string_view(s.c_str());
}

std::string LowerName(const std::string& name) {
    return platform::AsciiLower(TrimIniBlanks(UpToNul(name)));
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// A "]" would end the header early for a reader that stops at the first one; a
// nameless section would put the key above the first header.
bool SafeSectionName(std::string_view s) {
    return !s.empty() && !HasLineBreak(s) && s.find(']') == std::string_view::npos;
}

// "=" would split the name; a leading "[" can turn the line into a section header.
bool SafeKeyName(std::string_view k) {
    return !k.empty() && k.front() != '[' && !HasLineBreak(k) &&
           k.find('=') == std::string_view::npos;
}

// A line break in a value would start a new line that is read as a key or a section
// of its own; each becomes one space instead. Leading blanks go, as the system drops them.
std::string StoredValue(const std::string& value) {
    std::string_view v = UpToNul(value);
    std::string out;
    out.reserve(v.size());
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '\r' && i + 1 < v.size() && v[i + 1] == '\n') ++i;
        out += (v[i] == '\r' || v[i] == '\n') ? ' ' : v[i];
    }
    std::size_t lead = 0;
    while (lead < out.size() && IsIniBlank(out[lead])) ++lead;
    return out.substr(lead);
}

std::string PresentedValue(std::string_view raw) {
    raw = WithoutEnclosingQuotes(raw.substr(0, raw.find('\0')));
    return std::string(platform::FirstChars(raw, kMaxValueChars));
}

bool SameContentSignature(const platform::FileInfo& a, const platform::FileInfo& b) {
    return a.kind == b.kind && a.size == b.size && a.writeTime == b.writeTime;
}

}  // namespace

std::string AsStored(const std::string& value) {
    // `"  "` reads back as two blanks, which read back empty: one pass is not enough.
    std::string read = PresentedValue(TrimIniBlanks(StoredValue(value)));
    for (std::string again; (again = PresentedValue(TrimIniBlanks(read))) != read;)
        read = std::move(again);
    return read;
}

bool ReadsBackWhole(const std::string& value) {
    const std::string stored = StoredValue(value);
    return platform::CharCount(WithoutEnclosingQuotes(TrimIniBlanks(UpToNul(stored)))) <=
           kMaxValueChars;
}

modINI::modINI(platform::Files& files, platform::CodePage& codePage)
    : files_(files), codePage_(codePage) {}

std::string modINI::ReadIni(const std::string& section, const std::string& key,
                            const std::string& def, const std::string& file) {
    std::string value;
    try {
        value = Lookup(section, key, file);
    } catch (const std::exception&) {
        // Out of memory part-way: no copy can be trusted any more.
        cache_.clear();
        value.clear();
    }
    if (!value.empty() || def.empty()) return value;
    WriteIni(section, key, def, file);
    return def;
}

bool modINI::WriteIni(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& file) {
    return WriteIniKeys({{section, key, value}}, file);
}

bool modINI::WriteIniKeys(const IniKeys& keys, const std::string& file) {
    try {
        return Store(keys, file);
    } catch (const std::exception&) {
        cache_.clear();
        return false;
    }
}

modINI::ReadScope::ReadScope(modINI& ini, std::string file)
    : ini_(ini),
      previousFile_(std::exchange(ini.scopedFile_, file)),
      previousPath_(std::exchange(ini.scopedPath_, NormalisedPath(file))),
      previousChecked_(std::exchange(ini.scopedChecked_, false)) {}

modINI::ReadScope::~ReadScope() {
    ini_.scopedFile_ = std::move(previousFile_);
    ini_.scopedPath_ = std::move(previousPath_);
    ini_.scopedChecked_ = previousChecked_;
}

std::string modINI::Lookup(const std::string& section, const std::string& key,
                           const std::string& file) {
    const bool scoped = !scopedFile_.empty() && file == scopedFile_;
    const Cached* entry = scoped && scopedChecked_ ? Scoped() : nullptr;
    if (!entry) {
        entry = Fresh(file, Look::WhenChanged);
        scopedChecked_ = scoped && entry;
    }
    std::string_view raw;
    if (!entry || !entry->doc.Find(LowerName(section), LowerName(key), raw)) return {};
    return PresentedValue(raw);
}

bool modINI::Store(const IniKeys& keys, const std::string& file) {
    if (keys.empty()) return true;
    std::vector<std::string> values;
    values.reserve(keys.size());
    std::vector<IniSetting> settings;
    settings.reserve(keys.size());
    for (const IniKey& k : keys) {
        const std::string_view s = TrimIniBlanks(UpToNul(k.section));
        const std::string_view n = TrimIniBlanks(UpToNul(k.key));
        if (!SafeSectionName(s) || !SafeKeyName(n)) return false;
        values.push_back(StoredValue(k.value));
        settings.push_back({s, n, {}});
    }
    for (std::size_t i = 0; i < settings.size(); ++i) settings[i].value = values[i];

    // Writes are rare: a look at the bytes costs little, and a change that size and
    // time cannot show would otherwise be lost for good.
    Cached* entry = Fresh(file, Look::Always);
    if (!entry || entry->info.readOnly) return false;
    std::string text = entry->doc.WithValues(settings);
    FileEncoding encoding = entry->encoding;
    const std::string bytes = FileBytesOf(text, encoding);
    const bool unchanged = entry->info.kind == platform::PathKind::File &&
                           encoding == entry->encoding && text == entry->doc.Bytes();
    // Even a write that changes nothing replaces the file once: the first replacement is
    // where a killed writer's leftover temporaries are swept.
    if (unchanged && !replacedOnce_.insert(entry->path).second) return true;
    if (bytes.size() > kMaxFileBytes) return false;  // every later read would find it unusable

    // unchanged: the values are there
    return Replace(entry, file, bytes, std::move(text), encoding) || unchanged;
}

bool modINI::Replace(Cached* entry, const std::string& file, const std::string& bytes,
                     std::string text, FileEncoding encoding) {
    if (!files_.ReplaceAtomically(file, bytes)) {
        Forget(entry);
        return false;
    }
    replacedOnce_.insert(entry->path);
    entry->generation = ++WriteGeneration(entry->path);
    try {
        entry->info = files_.Query(file);
        entry->settled = !entry->info.recentlyWritten;
        entry->encoding = encoding;
        IniDocument before = std::exchange(entry->doc, IniDocument(std::move(text)));
        if (onReplaced && before.Bytes() != entry->doc.Bytes())
            onReplaced(file, before.SharedBytes(), entry->doc.SharedBytes());
    } catch (const std::exception&) {
        Forget(entry);  // the file is written; only our copy of it is lost
    }
    return true;
}

bool modINI::ReadWhole(const std::string& file, std::string& bytes) {
    try {
        const Cached* entry = Fresh(file, Look::WhenChanged);
        if (entry) bytes = entry->doc.Bytes();
        return entry != nullptr;
    } catch (const std::exception&) {
        cache_.clear();
        return false;
    }
}

bool modINI::WriteWhole(std::string text, const std::string& file) {
    return RewriteWhole(file, [&](const std::string&, std::string& out) {
        out = std::move(text);
        return true;
    });
}

bool modINI::RewriteWhole(
    const std::string& file,
    const std::function<bool(const std::string& now, std::string& text)>& change) {
    try {
        Cached* entry = Fresh(file, Look::Always);
        std::string text;
        if (!entry || !change(entry->doc.Bytes(), text) || entry->info.readOnly) return false;
        if (entry->info.kind == platform::PathKind::File && text == entry->doc.Bytes()) return true;
        FileEncoding encoding = entry->encoding;
        const std::string bytes = FileBytesOf(text, encoding);
        if (bytes.size() > kMaxFileBytes) return false;
        return Replace(entry, file, bytes, std::move(text), encoding);
    } catch (const std::exception&) {
        cache_.clear();
        return false;
    }
}

modINI::Cached* modINI::Fresh(const std::string& file, Look look) {
    const platform::FileInfo info = files_.Query(file);
    std::string path = NormalisedPath(file);
    const std::uint64_t generation = WriteGeneration(path);

    auto found = std::find_if(cache_.begin(), cache_.end(),
                              [&](const std::unique_ptr<Cached>& c) { return c->path == path; });
    Cached* entry = found == cache_.end() ? nullptr : found->get();
    if (entry && look == Look::WhenChanged && entry->settled &&
        SameContentSignature(entry->info, info) && entry->generation == generation) {
        entry->info = info;  // the read-only flag may change without the content
        entry->lastUse = ++useClock_;
        return entry;
    }

    std::string bytes;
    const bool usable = info.kind == platform::PathKind::Missing ||
                        (info.kind == platform::PathKind::File && info.size <= kMaxFileBytes &&
                         files_.ReadAll(file, bytes) && bytes.size() <= kMaxFileBytes);
    if (!usable) {
        Forget(entry);
        return nullptr;
    }

    if (!entry) {
        if (cache_.size() >= kCachedFiles) {
            cache_.erase(std::min_element(
                cache_.begin(), cache_.end(),
                [](const auto& a, const auto& b) { return a->lastUse < b->lastUse; }));
        }
        cache_.push_back(std::make_unique<Cached>());
        entry = cache_.back().get();
        entry->path = std::move(path);
    }
    // Unchanged text keeps its index: looking again then costs a read, not a parse.
    FileText read = TextOfFile(std::move(bytes), codePage_);
    if (read.text != entry->doc.Bytes()) entry->doc = Parse(entry->path, std::move(read.text));
    entry->encoding = read.encoding;
    entry->info = info;
    entry->settled = !info.recentlyWritten;
    entry->generation = generation;
    entry->lastUse = ++useClock_;
    return entry;
}

void modINI::ParseAhead(const std::string& file) {
    aheadWorker_.Wait();
    aheadPath_.clear();
    ahead_ = IniDocument();
    try {
        const bool started = aheadWorker_.Start([this, file] {
            try {
                std::string bytes;
                const platform::FileInfo info = files_.Query(file);
                if (info.kind != platform::PathKind::File || info.size > kMaxFileBytes ||
                    !files_.ReadAll(file, bytes) || bytes.size() > kMaxFileBytes)
                    bytes.clear();
                ahead_ = IniDocument(TextOfFile(std::move(bytes), codePage_).text);
            } catch (const std::exception&) {
                // Out of memory: ahead_ stays empty, and the first look parses, as always.
            }
        });
        if (started) aheadPath_ = NormalisedPath(file);
    } catch (const std::exception&) {
        // No thread to spare: the first look parses, as always.
    }
}

IniDocument modINI::Parse(const std::string& path, std::string text) {
    if (!aheadPath_.empty() && path == aheadPath_) {
        aheadPath_.clear();
        aheadWorker_.Wait();
        IniDocument doc = std::exchange(ahead_, IniDocument());
        if (doc.Bytes() == text) return doc;
    }
    return IniDocument(std::move(text));
}

// The copy the scope checked; null when it is gone (evicted or forgotten since).
const modINI::Cached* modINI::Scoped() {
    for (const auto& c : cache_) {
        if (c->path != scopedPath_) continue;
        c->lastUse = ++useClock_;
        return c.get();
    }
    return nullptr;
}

void modINI::Forget(const Cached* entry) {
    cache_.erase(std::remove_if(cache_.begin(), cache_.end(),
                                [&](const std::unique_ptr<Cached>& c) { return c.get() == entry; }),
                 cache_.end());
}

}  // namespace quopa

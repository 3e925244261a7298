#include "tree/usage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <utility>

#include "store/item_key.h"

namespace quopa {

namespace {
// Uses are kept in thousandths, so the file holds whole numbers only.
constexpr double kScale = 1000;

// Every line of the file as key and value, a section's header as "[" and its name.
template <class Each>
void ForEachLine(const std::string& bytes, Each each) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') {
            each("[", line.substr(1, line.find(']') - 1));
        } else if (std::size_t eq = line.find('='); eq != std::string::npos) {
            each(line.substr(0, eq), line.substr(eq + 1));
        }
    }
}
}  // namespace

Usage::Usage(platform::Files& files, std::string file) : files_(files), file_(std::move(file)) {}

void Usage::Load() {
    entries_.clear();
    dirty_ = false;
    std::string bytes;
    if (files_.Query(file_).kind != platform::PathKind::File || !files_.ReadAll(file_, bytes))
        return;
    std::string key;
    Entry entry;
    auto finish = [&] {
        if (!key.empty()) entries_[key] = std::move(entry);
        key.clear();
        entry = Entry();
    };
    ForEachLine(bytes, [&](const std::string& name, const std::string& value) {
        if (name == "[") {
            finish();
        } else if (name == "Key") {
            key = value;
        } else if (name == "Name") {
            entry.name = value;
        } else if (name == "Path") {
            entry.path = value;
        } else if (name == "Uses") {
            entry.uses = std::strtoll(value.c_str(), nullptr, 10) / kScale;
        } else if (name == "Time") {
            entry.time = std::strtoll(value.c_str(), nullptr, 10);
        } else if (name.rfind("Typed", 0) == 0 && !value.empty()) {
            entry.typed.push_back(value);
        }
    });
    finish();
}

bool Usage::Save() {
    if (!dirty_) return true;
    // In key order, so that a file read and written again is the same file.
    std::map<std::string, const Entry*> sorted;
    for (const auto& [key, entry] : entries_) sorted.emplace(key, &entry);
    std::string bytes = "; What Quopa's quick-launch box learned of your starts.\r\n";
    int n = 0;
    for (const auto& [key, e] : sorted) {
        bytes += "[Item" + std::to_string(++n) + "]\r\nKey=" + key + "\r\nName=" + e->name +
                 "\r\nPath=" + e->path +
                 "\r\nUses=" + std::to_string(std::llround(e->uses * kScale)) +
                 "\r\nTime=" + std::to_string(e->time) + "\r\n";
        for (std::size_t i = 0; i < e->typed.size(); ++i)
            bytes += "Typed" + std::to_string(i + 1) + "=" + e->typed[i] + "\r\n";
    }
    // A refusal is not retried until something new is learned: a read-only drive would
    // otherwise be written to every minute.
    dirty_ = false;
    return files_.ReplaceAtomically(file_, bytes);
}

const Usage::Entry* Usage::Matching(std::string_view key, std::string_view name,
                                    std::string_view path) const {
    auto it = entries_.find(std::string(key));
    if (it == entries_.end() || it->second.name != name || it->second.path != path) return nullptr;
    return &it->second;
}

void Usage::Started(const std::string& key, const std::string& name, const std::string& path,
                    std::int64_t now, const std::string& typed) {
    const double before = Weight(key, name, path, now);
    Entry& entry = entries_[key];
    if (entry.name != name || entry.path != path) entry = Entry{name, path};
    entry.uses = before + 1;
    entry.time = now;
    if (!typed.empty()) {
        // One item per text: the last one chosen.
        for (auto& [other, e] : entries_) std::erase(e.typed, typed);
        entry.typed.push_back(typed);
        if (entry.typed.size() > kMaxTyped) entry.typed.erase(entry.typed.begin());
    }
    dirty_ = true;
}

double Usage::Weight(std::string_view key, std::string_view name, std::string_view path,
                     std::int64_t now) const {
    const Entry* entry = Matching(key, name, path);
    if (!entry) return 0;
    // A clock set back counts as no time passed.
    const double age = static_cast<double>(std::max<std::int64_t>(0, now - entry->time));
    return entry->uses * std::exp2(-age / static_cast<double>(kHalfLifeSeconds));
}

std::string Usage::ChosenFor(const std::string& typed) const {
    for (const auto& [key, entry] : entries_)
        if (std::find(entry.typed.begin(), entry.typed.end(), typed) != entry.typed.end())
            return key;
    return "";
}

void Usage::Prune(const std::unordered_map<std::string, Listed>& present) {
    const std::size_t before = entries_.size();
    std::erase_if(entries_, [&](const auto& pair) {
        const auto& [key, entry] = pair;
        auto it = present.find(key);
        if (it == present.end()) return ItemNumberOf(key).has_value();
        return it->second.name != entry.name || it->second.path != entry.path;
    });
    if (entries_.size() != before) dirty_ = true;
}

}  // namespace quopa

#include "tree/portable_apps.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/text.h"
#include "store/file_text.h"
#include "store/ini_document.h"

namespace quopa {

namespace {

constexpr char kInfoFile[] = "\\App\\AppInfo\\appinfo.ini";
// Real ones hold a few hundred bytes; a larger file is no description and would hold up
// the slice that reads it.
constexpr std::uint64_t kMaxInfoSize = 64 * 1024;
// More entries than any real app has; a file claiming millions is not believed.
constexpr int kMaxEntries = 99;

// True for text holding UTF-8 sequences and no byte that breaks one. ANSI text with a
// letter above 0x7F almost never reads as valid UTF-8, and the format writes its files in
// UTF-8, with or without the mark.
bool LooksUtf8(std::string_view s) {
    bool multibyte = false;
    for (std::size_t at = 0; at < s.size();) {
        multibyte |= static_cast<unsigned char>(s[at]) >= 0x80;
        if (platform::NextChar(s, at) == 0xFFFD) return false;
    }
    return multibyte;
}

std::string Utf8Text(std::string bytes, platform::CodePage& codePage) {
    const bool marked = bytes.rfind("\xEF\xBB\xBF", 0) == 0;
    return !marked && LooksUtf8(bytes) ? bytes : TextOfFile(std::move(bytes), codePage).text;
}

std::string Value(const IniDocument& doc, const char* section, const std::string& key) {
    std::string_view raw;
    if (!doc.Find(section, platform::AsciiLower(key), raw)) return {};
    return std::string(WithoutEnclosingQuotes(raw));
}

// A file named inside the app's folder: relative, without a drive or a way up. The system
// drops trailing dots and blanks of a path part, so "..." and ".. " go up as well. No file
// name holds a '?'.
bool InsideFolder(const std::string& start) {
    if (start.empty() || start[0] == '\\' || start[0] == '/' ||
        start.find_first_of(":?") != std::string::npos)
        return false;
    std::size_t begin = 0;
    while (begin <= start.size()) {
        std::size_t end = start.find_first_of("\\/", begin);
        if (end == std::string::npos) end = start.size();
        const std::string_view part(start.data() + begin, end - begin);
        const bool onlyDots = !part.empty() && part.find_first_not_of(". ") == std::string::npos;
        if (onlyDots && part != ".") return false;
        begin = end + 1;
    }
    return true;
}

std::string Joined(const std::string& folder, std::string relative) {
    std::replace(relative.begin(), relative.end(), '/', '\\');
    return folder + "\\" + relative;
}

// Entry n's icon file (n = 0: the app's): the one the format names before its appicon
// file, then the app's own; empty when none is there.
std::string IconFile(const IniDocument& doc, const std::string& folder, int n,
                     platform::Files& files) {
    std::vector<std::string> numbers{""};
    if (n > 0) numbers.insert(numbers.begin(), std::to_string(n));
    for (const std::string& number : numbers) {
        const std::string named = Value(doc, "control", "ExtractIcon" + number);
        for (const std::string& relative : {named, "App\\AppInfo\\appicon" + number + ".ico"}) {
            if (!InsideFolder(relative)) continue;
            const std::string path = Joined(folder, relative);
            if (files.Query(path).kind == platform::PathKind::File) return path;
        }
    }
    return {};
}

// The apps that the appinfo.ini `bytes` of the app folder `folder` describes; none when it
// names no Start program inside that folder.
std::vector<FoundApp> AppsOfInfo(std::string bytes, const std::string& folder,
                                 platform::CodePage& codePage, platform::Files& files) {
    const IniDocument doc(Utf8Text(std::move(bytes), codePage));
    const std::string start = Value(doc, "control", "Start");
    if (!InsideFolder(start)) return {};
    const std::string folderName = folder.substr(folder.find_last_of('\\') + 1);
    FoundApp common;
    common.key = kFoundKeyPrefix + platform::AsciiLower(folderName);
    common.name = Value(doc, "details", "Name");
    if (common.name.empty()) common.name = folderName;
    common.category = Value(doc, "details", "Category");
    common.description = Value(doc, "details", "Description");
    common.folder = folder;

    std::vector<FoundApp> apps;
    auto add = [&](FoundApp app, const std::string& file, int n) {
        app.program = Joined(folder, file);
        app.icon = IconFile(doc, folder, n, files);
        apps.push_back(std::move(app));
    };
    const int entries = std::atoi(Value(doc, "control", "Icons").c_str());
    if (entries < 2) {
        add(common, start, 0);
        return apps;
    }
    for (int n = 1; n <= std::min(entries, kMaxEntries); ++n) {
        const std::string startN = Value(doc, "control", "Start" + std::to_string(n));
        if (!InsideFolder(startN)) continue;
        FoundApp app = common;
        // No folder name holds '|' or ':', so this meets neither another folder's key nor
        // that of a category shown for found apps, which holds a second ':'.
        app.key += "|" + std::to_string(n);
        const std::string nameN = Value(doc, "control", "Name" + std::to_string(n));
        if (!nameN.empty()) app.name = nameN;
        add(std::move(app), startN, n);
    }
    return apps;
}

}  // namespace

bool PortableAppsWanted(modINI& ini, const std::string& settingsFile) {
    return ini.ReadIni(kPortableAppsSection, kPortableAppsKey, "", settingsFile) == "1";
}

std::string PortableAppsFolder(const std::string& drive) {
    return drive + "\\PortableApps";
}

PortableAppsScan::PortableAppsScan(platform::Files& files, platform::CodePage& codePage)
    : files_(files), codePage_(codePage) {}

void PortableAppsScan::Start(const std::string& root) {
    root_ = root;
    running_ = true;
    entries_.clear();
    next_ = 0;
    seen_.clear();
    // A missing folder ends the look with nothing found.
    if (files_.ListFolder(root_, entries_)) {
        std::stable_sort(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) {
            return platform::AsciiLower(a.name) < platform::AsciiLower(b.name);
        });
    }
}

bool PortableAppsScan::Slice(std::chrono::steady_clock::duration budget) {
    if (!running_) return true;
    const auto end = std::chrono::steady_clock::now() + budget;
    for (bool first = true; next_ < entries_.size(); first = false) {
        if (!first && std::chrono::steady_clock::now() >= end) return false;
        const platform::FolderEntry& entry = entries_[next_++];
        if (entry.kind == platform::PathKind::Directory) Look(entry.name);
    }
    End();
    return true;
}

void PortableAppsScan::Look(const std::string& name) {
    const std::string folder = root_ + "\\" + name;
    const std::string lower = platform::AsciiLower(name);
    const platform::FileInfo info = files_.Query(folder + kInfoFile);
    if (info.kind != platform::PathKind::File || info.size > kMaxInfoSize) return;
    auto known = known_.find(lower);
    if (known != known_.end() && known->second.size == info.size &&
        known->second.writeTime == info.writeTime) {
        seen_[lower] = std::move(known->second);
        return;
    }
    std::string bytes;
    if (!files_.ReadAll(folder + kInfoFile, bytes)) return;
    Known read;
    read.size = info.size;
    // A file still being written may change unseen within the clock's step: read it again.
    read.writeTime = info.recentlyWritten ? ~std::uint64_t{0} : info.writeTime;
    read.apps = AppsOfInfo(std::move(bytes), folder, codePage_, files_);
    seen_[lower] = std::move(read);
}

void PortableAppsScan::End() {
    running_ = false;
    known_ = std::move(seen_);
    seen_.clear();
    apps_.clear();
    for (const platform::FolderEntry& entry : entries_) {
        auto found = known_.find(platform::AsciiLower(entry.name));
        if (found == known_.end()) continue;
        apps_.insert(apps_.end(), found->second.apps.begin(), found->second.apps.end());
    }
}

}  // namespace quopa

#include "store/versions.h"

#include <algorithm>
#include <ctime>
#include <utility>

#include "store/byte_prints.h"
#include "store/file_text.h"

namespace quopa {

// The versions as the last job left the folder, with a print of each: a new state is told
// from the kept ones without reading them all again. A file edited, added or removed by hand
// shows in its size or time; a print that matches is confirmed against the file itself.
struct KeptPrints {
    struct File {
        std::string name;
        std::uint64_t size = 0, writeTime = 0;
        BytePrint print;
    };
    std::vector<File> files;  // oldest first
};

namespace {

// "quopa_apps.000012.2026-12-08_05-33-58.dat": the number orders them, the time is shown.
constexpr char kPrefix[] = "quopa_apps.";
constexpr std::size_t kNumberDigits = 6;
constexpr std::size_t kNameSize = 11 + kNumberDigits + 1 + 19 + 4;

bool IsVersionName(const std::string& name) {
    return name.size() == kNameSize && name.compare(0, 11, kPrefix) == 0 &&
           name.compare(name.size() - 4, 4, ".dat") == 0 &&
           name.find_first_not_of("0123456789", 11) == 11 + kNumberDigits;
}

// Version file names, oldest first.
std::vector<std::string> Names(platform::Files& files, const std::string& folder) {
    std::vector<platform::FolderEntry> entries;
    std::vector<std::string> names;
    if (!files.ListFolder(folder, entries)) return names;
    for (const auto& e : entries)
        if (e.kind == platform::PathKind::File && IsVersionName(e.name)) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
}

std::string LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    char text[20] = "0000-00-00_00-00-00";
    if (const std::tm* local = std::localtime(&now))
        std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", local);
    return text;
}

bool KeepNow(platform::Files& files, const std::string& folder, const std::string& bytes,
             const std::string& time, KeptPrints& kept) {
    if (!files.CreateFolder(folder)) return false;
    std::vector<KeptPrints::File> now;
    for (std::string& name : Names(files, folder)) {
        const std::string path = folder + "\\" + name;
        const platform::FileInfo info = files.Query(path);
        auto known = std::find_if(kept.files.begin(), kept.files.end(),
                                  [&](const KeptPrints::File& f) { return f.name == name; });
        if (known != kept.files.end() && known->size == info.size &&
            known->writeTime == info.writeTime) {
            now.push_back(std::move(*known));
            continue;
        }
        std::string read;
        const BytePrint print = files.ReadAll(path, read) ? PrintOf(read) : BytePrint();
        now.push_back({std::move(name), info.size, info.writeTime, print});
    }
    kept.files = std::move(now);
    const BytePrint print = PrintOf(bytes);
    for (const KeptPrints::File& f : kept.files) {
        std::string read;
        if (f.print == print && files.ReadAll(folder + "\\" + f.name, read) && read == bytes)
            return true;
    }
    const unsigned long number =
        kept.files.empty() ? 1 : std::stoul(kept.files.back().name.substr(11, kNumberDigits)) + 1;
    std::string digits = std::to_string(number % 1000000);
    digits.insert(0, kNumberDigits - digits.size(), '0');
    const std::string name = kPrefix + digits + "." + time + ".dat";
    const std::string path = folder + "\\" + name;
    if (!files.ReplaceAtomically(path, bytes)) return false;
    const platform::FileInfo info = files.Query(path);
    kept.files.push_back({name, info.size, info.writeTime, print});
    while (kept.files.size() > VersionRing::kKept) {
        files.Delete(folder + "\\" + kept.files.front().name);
        kept.files.erase(kept.files.begin());
    }
    return true;
}

}  // namespace

std::string VersionsFolder(const std::string& programFolder) {
    const bool endsInSeparator = !programFolder.empty() && programFolder.back() == '\\';
    return programFolder + (endsInSeparator ? "" : "\\") + "quopa_backup";
}

VersionRing::VersionRing(platform::Files& files, platform::CodePage& codePage, std::string folder)
    : files_(files),
      codePage_(codePage),
      folder_(std::move(folder)),
      prints_(std::make_shared<KeptPrints>()) {}

VersionRing::~VersionRing() {
    files_.WaitForBackground();
}

void VersionRing::Keep(std::shared_ptr<const std::string> text) {
    if (!text || text == last_ || text->find_first_not_of(" \t\r\n") == std::string::npos ||
        (last_ && *text == *last_))
        return;
    last_ = text;
    files_.InBackground([folder = folder_, text = std::move(text), time = LocalTimeNow(),
                         prints = prints_, failed = failed_](platform::Files& files) {
        // A version is a file the user may copy back by hand: it reads as the list read.
        FileEncoding encoding = FileEncoding::Ansi;
        if (!KeepNow(files, folder, FileBytesOf(*text, encoding), time, *prints))
            failed->store(true);
    });
}

bool VersionRing::Read(const std::string& file, std::string& text) {
    std::string bytes;
    if (!files_.ReadAll(file, bytes)) return false;
    text = TextOfFile(std::move(bytes), codePage_).text;
    return true;
}

std::vector<VersionRing::Version> VersionRing::List() {
    files_.WaitForBackground();
    std::vector<Version> versions;
    std::vector<std::string> names = Names(files_, folder_);
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        std::string time = name->substr(11 + kNumberDigits + 1, 19);
        time[10] = ' ';
        time[13] = time[16] = ':';
        versions.push_back({folder_ + "\\" + *name, std::move(time)});
    }
    return versions;
}

}  // namespace quopa

#include "editor/dropped_item.h"

#include <algorithm>
#include <set>

#include "context/messages.h"
#include "launch/drive_paths.h"
#include "platform/text.h"
#include "store/data_files.h"
#include "store/ini_document.h"
#include "store/item_key.h"
#include "tree/node_kind.h"

namespace quopa {

namespace {

constexpr std::size_t kNamesShown = 20;  // a longer list would not fit a message box

std::string NameOf(const std::string& path) {
    const std::size_t end = path.find_last_not_of('\\');
    if (end == std::string::npos) return {};
    const std::size_t slash = path.find_last_of("\\/", end);
    return path.substr(slash == std::string::npos ? 0 : slash + 1,
                       end - (slash == std::string::npos ? 0 : slash + 1) + 1);
}

std::string WithoutExtension(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string ExtensionOf(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : platform::AsciiLower(name.substr(dot));
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool IsWebAddress(const std::string& text) {
    const std::string lower = platform::AsciiLower(text);
    for (const char* scheme : {"http://", "https://", "ftp://"}) {
        const std::size_t length = std::char_traits<char>::length(scheme);
        if (lower.size() > length && lower.compare(0, length, scheme) == 0) return true;
    }
    return false;
}

std::string PercentEncoded(const std::string& address) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > ' ' && byte < 0x7F) {
            out += c;
        } else {
            out += {'%', kHex[byte >> 4], kHex[byte & 15]};
        }
    }
    return out;
}

// "example.org/docs/page" for "https://user@example.org:8080/docs/page/?q#top".
std::string HostAndPath(const std::string& address) {
    const std::size_t slashes = address.find("://");
    std::string rest =
        address.substr(slashes == std::string::npos ? address.find(':') + 1 : slashes + 3);
    rest = rest.substr(0, rest.find_first_of("?#"));
    const std::size_t pathStart = std::min(rest.find('/'), rest.size());
    std::string host = rest.substr(0, pathStart);
    host = host.substr(host.find('@') == std::string::npos ? 0 : host.find('@') + 1);
    host = host.substr(0, host.find(':'));
    std::string path = rest.substr(pathStart);
    while (!path.empty() && path.back() == '/') path.pop_back();
    return host + path;
}

bool ContainsLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

std::string Listed(const std::vector<std::string>& titles) {
    std::string text;
    for (std::size_t i = 0; i < titles.size() && i < kNamesShown; ++i) text += "\r\n" + titles[i];
    if (titles.size() > kNamesShown)
        text += "\r\nand " + std::to_string(titles.size() - kNamesShown) + " more.";
    return text;
}

// A file as the launcher will open it, in one letter case, as Windows matches names.
std::string Folded(const std::string& path, const std::string& launcherDrive) {
    return platform::AsciiLower(ReplaceDriveToken(path, launcherDrive));
}

// What the list holds: every item's path folded as a file, and as an address it is.
struct Listing {
    std::set<std::string> files, addresses;
    bool Holds(const DroppedItem& item, const std::string& launcherDrive) const {
        return item.type == 1 ? addresses.count(item.path) > 0
                              : files.count(Folded(item.path, launcherDrive)) > 0;
    }
    void Add(const std::string& path, const std::string& launcherDrive) {
        addresses.insert(path);
        files.insert(Folded(path, launcherDrive));
    }
};

Listing ListedItems(modINI& ini, const std::string& appsFile, const std::string& launcherDrive) {
    const modINI::ReadScope scope(ini, appsFile);
    Listing listing;
    for (std::int16_t n = 1; IsFreeNumber(n); ++n) {
        const std::string section = ItemSection(n);
        const std::string path = ini.ReadIni(section, "Path", "", appsFile);
        if (path.empty()) break;  // where the tree's load stops
        if (!ini.ReadIni(section, "Name", "", appsFile).empty()) listing.Add(path, launcherDrive);
    }
    return listing;
}

}  // namespace

std::string ProgramTitle(const std::string& path, const platform::VersionNames& names) {
    for (const std::string* name : {&names.fileDescription, &names.productName}) {
        const std::string_view trimmed = TrimIniBlanks(*name);
        if (!trimmed.empty()) return std::string(trimmed);
    }
    return WithoutExtension(NameOf(path));
}

std::optional<DroppedItem> ReadDroppedItem(const std::string& path, platform::Services& sys,
                                           modINI& ini, const std::string& launcherDrive) {
    const platform::PathKind kind = sys.files.Query(path).kind;
    if (kind == platform::PathKind::Missing) return std::nullopt;
    const std::string name = NameOf(path);
    if (name.empty()) return std::nullopt;
    DroppedItem item;
    item.path = ToDrivePath(path, launcherDrive);
    item.offDrive = !OnDrive(path, launcherDrive);
    if (kind == platform::PathKind::Directory) {
        item.type = 2;
        item.title = name;
        return item;
    }
    const std::string extension = ExtensionOf(name);
    if (extension == ".url") {
        std::string address = ini.ReadIni("InternetShortcut", "URL", "", path);
        if (address.empty()) return std::nullopt;
        item.type = 1;
        item.title = WithoutExtension(name);
        item.path = std::move(address);
        item.offDrive = false;
    } else if (extension == ".lnk") {
        item.title = WithoutExtension(name);
        // Its target, as browsing to it would store it: the shortcut's letter may not be the
        // drive's on the next PC. One that cannot be read still opens as itself.
        if (const auto target = sys.shell.ReadShortcut(path)) {
            item.path = ToDrivePath(target->path, launcherDrive);
            item.offDrive = !OnDrive(target->path, launcherDrive);
            item.parameters = target->arguments;
            item.startIn = ToDrivePath(target->folder, launcherDrive);
            if (sys.files.Query(target->path).kind == platform::PathKind::Directory) {
                item.type = 2;
            } else if (item.startIn.empty()) {
                item.fileName = target->path;
                item.fileTitle = NameOf(target->path);
            }
        }
    } else {
        item.title = ProgramTitle(path, sys.versions.Names(path));
        item.fileName = path;
        item.fileTitle = name;
    }
    return item;
}

std::optional<DroppedItem> WebLinkItem(const std::string& address, const std::string& text,
                                       const std::string& linkFile) {
    std::string link = Trimmed(address);
    if (link.empty()) {
        link = Trimmed(text);
        if (!IsWebAddress(link) || link.find_first_of(" \t") != std::string::npos)
            return std::nullopt;
    }
    if (ContainsLineBreak(link)) return std::nullopt;
    DroppedItem item;
    item.type = 1;
    item.path = PercentEncoded(link);
    const std::string name = NameOf(linkFile);
    if (ExtensionOf(name) == ".url")
        item.title = TrimIniBlanks(std::string_view(name).substr(0, name.size() - 4));
    if (item.title.empty()) item.title = HostAndPath(item.path);
    if (item.title.empty()) item.title = item.path;
    return item;
}

std::string NotOnDriveQuestion(const std::vector<std::string>& titles) {
    static constexpr char kRisk[] = "This may cause file not found errors. Continue?";
    if (titles.empty()) return std::string("This file is not on your portable device.\r\n") + kRisk;
    return "These are not on your portable device:" + Listed(titles) + "\r\n\r\n" + kRisk +
           "\r\nNo adds only the others.";
}

// Only children of categories are below the top level: items and found apps.
std::string CategoryUnderDrop(const ui::TreeNode* node) {
    if (node && node->Parent()) node = node->Parent();
    return node && IsUserCategory(*node) ? node->Key() : kMainCategoryKey;
}

std::string StartInOf(const std::string& fileName, const std::string& fileTitle,
                      const std::string& launcherDrive) {
    const std::size_t titleLength = std::min(fileTitle.size(), fileName.size());
    const std::string folder =
        platform::AsciiLower(fileName.substr(0, fileName.size() - titleLength));
    return ToDrivePath(folder, launcherDrive);
}

AddOutcome AddDroppedItems(modINI& ini, const std::string& appsFile,
                           const std::vector<DroppedItem>& items, const std::string& category,
                           const std::string& launcherDrive, std::int16_t& nextItemIndex) {
    IniKeys keys;
    int from = nextItemIndex;
    std::int16_t n = 0;
    for (const DroppedItem& item : items) {
        n = FirstFreeNumber(ini, appsFile, "Application", "Path", from);
        if (!IsFreeNumber(n)) return AddOutcome::NoNumberLeft;
        from = n + 1;
        const std::string section = ItemSection(n);
        const std::string startIn = !item.startIn.empty() || item.fileName.empty()
                                        ? item.startIn
                                        : StartInOf(item.fileName, item.fileTitle, launcherDrive);
        // In the wizard's order; all items in one write, so a pulled stick adds all or none.
        for (auto& [key, value] : std::vector<std::pair<const char*, std::string>>{
                 {"Name", item.title},
                 {"Description", ""},
                 {"Path", item.path},
                 {"Category", category},
                 {"Autorun", "0"},
                 {"Type", std::to_string(item.type)},
                 {"Parameters", "\"" + item.parameters + "\""},
                 {"StartIn", startIn},
                 {"WindowStyle", "Normal"}})
            keys.push_back({section, key, std::move(value)});
    }
    if (!ini.WriteIniKeys(keys, appsFile)) return AddOutcome::NotWritten;
    if (n) nextItemIndex = static_cast<std::int16_t>(n + 1);
    return AddOutcome::Added;
}

DropCheck CheckDropped(std::vector<DroppedItem> items, modINI& ini, const std::string& appsFile,
                       const std::string& launcherDrive) {
    Listing listing = ListedItems(ini, appsFile, launcherDrive);
    DropCheck check;
    for (DroppedItem& item : items) {
        const bool whole = ReadsBackWhole(item.title) && ReadsBackWhole(item.path) &&
                           ReadsBackWhole("\"" + item.parameters + "\"") &&
                           ReadsBackWhole(item.startIn);
        if (!whole) {
            check.tooLong.push_back(item.title);
        } else if (listing.Holds(item, launcherDrive)) {
            check.twins.push_back(item.title);
        } else {
            listing.Add(item.path, launcherDrive);  // a shortcut dropped with its target
            check.fit.push_back(std::move(item));
        }
    }
    return check;
}

std::string DropMessage(const std::vector<DroppedItem>& added, const std::string& categoryText,
                        const DropCheck& check) {
    std::vector<std::string> parts;
    if (!added.empty()) {
        std::vector<std::string> titles;
        for (const DroppedItem& item : added) titles.push_back(item.title);
        parts.push_back(std::to_string(added.size()) +
                        (added.size() == 1 ? " item was" : " items were") + " added to " +
                        categoryText + ":" + Listed(titles));
    }
    if (!check.twins.empty())
        parts.push_back("Already in the list, so not added again:" + Listed(check.twins));
    if (!check.tooLong.empty())
        parts.push_back("Too long to be kept (254 characters at most), so not added:" +
                        Listed(check.tooLong));
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : "\r\n\r\n") + part;
    return text;
}

}  // namespace quopa

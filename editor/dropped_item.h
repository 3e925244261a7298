#pragma once
// What things dropped on the main window's tree become: one opens the wizard filled in,
// several are added at once. Nothing dropped is ever started.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.h"
#include "store/ini.h"
#include "ui/tree_view.h"

namespace quopa {

struct DroppedItem {
    std::int16_t type = 0;  // 0 application, 1 web link
    std::string title;
    std::string path;  // %drive% in place of the launcher's drive
    // A program file, as the wizard's browse step would have chosen it: its folder becomes
    // the item's start-in folder. Empty for shortcuts, folders and addresses.
    std::string fileName, fileTitle;
};

// The title a file carries: its version information's description, else its product
// name, else its name without the extension.
std::string ProgramTitle(const std::string& path, const platform::VersionNames& names);

// Nothing for what cannot become an item: a path that is gone, an Internet shortcut
// without an address.
std::optional<DroppedItem> ReadDroppedItem(const std::string& path, platform::Services& sys,
                                           modINI& ini, const std::string& launcherDrive);

// What a browser's link makes: a web link to `address` (the link's, in UTF-8), else to `text`
// when that is one http, https or ftp address on one line. Titled by the shortcut the
// browser would save, `linkFile` without ".url", else by the address's host and path.
// Characters beyond ASCII are percent-encoded: the address then reads alike in any code page.
std::optional<DroppedItem> WebLinkItem(const std::string& address, const std::string& text,
                                       const std::string& linkFile);

// The category a drop lands in: the category under the point, the category of the item
// under it, else the main one.
std::string CategoryUnderDrop(const ui::TreeNode* node);

// The start-in folder of a program file chosen as `fileName` (`fileTitle` its name alone):
// its folder lower-cased, with the drive as the token.
std::string StartInOf(const std::string& fileName, const std::string& fileTitle,
                      const std::string& launcherDrive);

enum class AddOutcome { Added, NoNumberLeft, NotWritten };

// Adds every item to `category` in one go, numbered from `nextItemIndex` on. An item cut
// short by a refused write never shows. On success `nextItemIndex` is one past the last
// number given. Items whose title or path the file would give back cut are left out: they
// move from `items` to `leftOut`.
AddOutcome AddDroppedItems(modINI& ini, const std::string& appsFile,
                           std::vector<DroppedItem>& items, std::vector<DroppedItem>& leftOut,
                           const std::string& category, const std::string& launcherDrive,
                           std::int16_t& nextItemIndex);

// What the user is told after several were added: how many, to where, and their names; then
// the names of those left out, and why.
std::string AddedMessage(const std::vector<DroppedItem>& items,
                         const std::vector<DroppedItem>& leftOut, const std::string& category);

}  // namespace quopa

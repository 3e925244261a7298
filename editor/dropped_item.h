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
    std::int16_t type = 0;  // 0 application, 1 web link, 2 folder link
    std::string title;
    std::string path;                 // %drive% in place of the launcher's drive
    std::string parameters, startIn;  // a shortcut's own
    bool offDrive = false;            // a file or folder the next PC will not find
    // A program file, as the wizard's browse step would have chosen it: its folder becomes
    // the item's start-in folder when none is given. Empty for folders and addresses.
    std::string fileName, fileTitle;
};

// The browse step's question before a file off the launcher's drive is taken; several such
// files are named, and No then takes only the others.
std::string NotOnDriveQuestion(const std::vector<std::string>& titles = {});

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

// The user category a drop lands in: the one under the point, or of the item or found app
// under it; else, as for a category shown only for found apps, the main one.
std::string CategoryUnderDrop(const ui::TreeNode* node);

// The start-in folder of a program file chosen as `fileName` (`fileTitle` its name alone):
// its folder lower-cased, with the drive as the token.
std::string StartInOf(const std::string& fileName, const std::string& fileTitle,
                      const std::string& launcherDrive);

enum class AddOutcome { Added, NoNumberLeft, NotWritten };

// Adds every item to `category` in one go, numbered from `nextItemIndex` on. An item cut
// short by a refused write never shows. On success `nextItemIndex` is one past the last
// number given.
AddOutcome AddDroppedItems(modINI& ini, const std::string& appsFile,
                           const std::vector<DroppedItem>& items, const std::string& category,
                           const std::string& launcherDrive, std::int16_t& nextItemIndex);

// Several dropped things sorted before they are added, each left out named by its title.
struct DropCheck {
    std::vector<DroppedItem> fit;
    std::vector<std::string> twins;    // the list holds the same file or address
    std::vector<std::string> tooLong;  // a value the file would give back cut
};
DropCheck CheckDropped(std::vector<DroppedItem> items, modINI& ini, const std::string& appsFile,
                       const std::string& launcherDrive);

// What the user is told after a drop: how many were added to the category shown as
// `categoryText`, with their names, then what was left out and why.
std::string DropMessage(const std::vector<DroppedItem>& added, const std::string& categoryText,
                        const DropCheck& check);

}  // namespace quopa

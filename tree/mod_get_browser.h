#pragma once
// Finding the default web browser: the program the shell would open an .html file with.
#include <string>

#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/shell.h"

namespace quopa {

// The browser's program path, or "" after telling the user "No dice!".
std::string GetBrowserPath(platform::Shell& shell, platform::Files& files,
                           platform::Desktop& desktop);
// Asks the shell about a scratch "dummy.html" in the temporary folder, made and deleted
// unless one is there already; `code` is the shell's answer, greater than 32 on success.
std::string FindBrowser(platform::Shell& shell, platform::Files& files, int& code);
std::string GetTempDir(platform::Shell& shell);
std::string TrimAtNul(const std::string& text);

}  // namespace quopa

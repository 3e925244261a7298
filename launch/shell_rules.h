#pragma once
// The rules every launch shares: stored window style to show command, shell result to
// message text, and the file test of the sidebar.
#include <cstdint>
#include <string>

#include "platform/files.h"

namespace quopa {

// "Normal", "Minimized", "Maximized" (exact case); anything else shows the default way.
int WindowStyleToShow(const std::string& style);

// The message for a shell result from 0 to 32; "" for any other result (a success).
const char* ShellErrorMessage(std::intptr_t code);

// True for an existing file; false for a folder or a path that cannot be queried.
bool FileExists(platform::Files& files, const std::string& path);

}  // namespace quopa

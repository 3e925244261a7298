#include "tree/mod_get_browser.h"

#include <climits>

#include "state/program_state.h"

namespace quopa {

std::string GetBrowserPath(platform::Shell& shell, platform::Files& files,
                           platform::Desktop& desktop) {
    int code = 0;
    std::string path = FindBrowser(shell, files, code);
    if (code < 32) {
        desktop.MsgBox(0, "No dice!", kAppTitle, platform::kMbOk);
        return "";
    }
    return path;
}

std::string FindBrowser(platform::Shell& shell, platform::Files& files, int& code) {
    std::string folder = GetTempDir(shell);
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    std::string dummy = folder + "dummy.html";
    // A page of that name that someone else left there is asked about as it is: emptying
    // and deleting it would lose their file.
    const bool ours =
        files.Query(dummy).kind == platform::PathKind::Missing && files.CreateEmpty(dummy);
    std::string program;
    std::intptr_t result = shell.FindProgram("dummy.html", folder, program);
    // A 64-bit result must not wrap into the error range.
    code = result > INT_MAX ? INT_MAX : result < INT_MIN ? INT_MIN : static_cast<int>(result);
    if (ours) files.Delete(dummy);
    return TrimAtNul(program);
}

std::string GetTempDir(platform::Shell& shell) {
    return TrimAtNul(shell.TempPath());
}

std::string TrimAtNul(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

}  // namespace quopa

#pragma once
// Launching a stored item through the shell's "open".
#include <string>

#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "state/program_state.h"
#include "store/ini.h"

namespace quopa {

// A stored path as it is launched, and whether it was found there.
struct LocatedPath {
    std::string path;
    bool found = true;
};

class Launcher {
  public:
    // Without `files` no path is looked at, so none is repaired.
    Launcher(modINI& ini, platform::Shell& shell, platform::Desktop& desktop,
             const ProgramState& state, std::string programFolder, std::string appsFile,
             platform::Files* files = nullptr);

    // Launches the item whose section `key` names ("application7" or "Application7"); false
    // when the shell refused it.
    bool RunApp(const std::string& key);
    // Resolves "%drive%" (any case) to LauncherDrive; a path holding the token comes back
    // lower-cased as a whole, any other path unchanged.
    std::string ReplaceToken(const std::string& path) const;
    // ReplaceToken, then, for a path under a fixed drive letter that is missing while the
    // same path exists on LauncherDrive, that one. The stored text is never changed.
    LocatedPath Locate(const std::string& stored) const;
    // True when the shell took the request; a refusal is shown to the user and gives false.
    bool ShellOpenFile(const std::string& file, int showCommand, const std::string& parameters,
                       const std::string& folder, const std::string& operation,
                       platform::WindowId owner);

  private:
    modINI& ini_;
    platform::Shell& shell_;
    platform::Desktop& desktop_;
    const ProgramState& state_;
    std::string programFolder_;
    std::string appsFile_;
    platform::Files* files_;  // not owned; may be null
};

}  // namespace quopa

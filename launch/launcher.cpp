#include "launch/launcher.h"

#include <exception>
#include <utility>

#include "launch/drive_paths.h"
#include "launch/shell_rules.h"
#include "platform/debug_trace.h"
#include "platform/text.h"

namespace quopa {

Launcher::Launcher(modINI& ini, platform::Shell& shell, platform::Desktop& desktop,
                   const ProgramState& state, std::string programFolder, std::string appsFile,
                   platform::Files* files)
    : ini_(ini),
      shell_(shell),
      desktop_(desktop),
      state_(state),
      programFolder_(std::move(programFolder)),
      appsFile_(std::move(appsFile)),
      files_(files) {}

bool Launcher::RunApp(const std::string& key) {
    std::string parameters = ini_.ReadIni(key, "Parameters", "", appsFile_);
    std::string style = ini_.ReadIni(key, "WindowStyle", "", appsFile_);
    std::string folder = Locate(ini_.ReadIni(key, "StartIn", "", appsFile_)).path;
    if (folder.empty()) folder = programFolder_;
    std::string file = Locate(ini_.ReadIni(key, "Path", "", appsFile_)).path;
    return ShellOpenFile(file, WindowStyleToShow(style), parameters, folder, "open", 0);
}

std::string Launcher::ReplaceToken(const std::string& path) const {
    try {
        return ReplaceDriveToken(path, state_.LauncherDrive);
    } catch (const std::exception& e) {
        platform::DebugTrace(std::string("drive token not replaced: ") + e.what());
        return "";
    }
}

LocatedPath Launcher::Locate(const std::string& stored) const {
    LocatedPath located{ReplaceToken(stored), true};
    if (!files_ || !FullPath(located.path)) return located;
    if (files_->Query(located.path).kind != platform::PathKind::Missing) return located;
    const std::string moved = OnLauncherDrive(located.path, state_.LauncherDrive);
    if (!moved.empty() && files_->Query(moved).kind != platform::PathKind::Missing)
        return {moved, true};
    located.found = false;
    return located;
}

bool Launcher::ShellOpenFile(const std::string& file, int showCommand,
                             const std::string& parameters, const std::string& folder,
                             const std::string& operation, platform::WindowId owner) {
    // Executables take the caller's show command like any other file: hiding them would
    // start every program from the tree or the tray invisible.
    std::intptr_t result =
        parameters.empty() && folder.empty()
            ? shell_.Execute(owner, operation, file, "", "", platform::kSwShowNormal)
            : shell_.Execute(owner, operation, file, parameters, folder, showCommand);
    if (result < 0 || result > 32) return true;
    desktop_.MsgBox(owner, std::string(ShellErrorMessage(result)) + " - " + file, kAppTitle,
                    platform::kMbIconCritical | platform::kMbOk);
    return false;
}

}  // namespace quopa

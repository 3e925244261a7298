#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/picture.h"
#include "platform/window_id.h"

namespace platform {

// Show commands as the shell takes them.
enum ShowCommand : int {
    kSwHide = 0,
    kSwShowNormal = 1,
    kSwMaximize = 3,
    kSwMinimize = 6,
    kSwShowDefault = 10
};

// What a shortcut (.lnk) starts: the file or folder, its arguments and its start folder.
struct ShortcutTarget {
    std::string path, arguments, folder;
};

class Shell {
  public:
    virtual ~Shell() = default;
    // The shell's result: greater than 32, or negative, is success; 0 to 32 an error code.
    virtual std::intptr_t Execute(WindowId owner, const std::string& operation,
                                  const std::string& file, const std::string& parameters,
                                  const std::string& directory, int showCommand) = 0;
    // The program registered for `file`'s type, copied into `program`; the code as Execute's.
    virtual std::intptr_t FindProgram(const std::string& file, const std::string& directory,
                                      std::string& program) = 0;
    // The user's temporary folder, ending in a separator.
    virtual std::string TempPath() = 0;
    // The 16 x 16 icon of the file's type; flags as the system takes them (16: judge by the
    // name only, never touch the file). An empty picture when there is none.
    virtual Picture FileIcon(const std::string& path, std::uint32_t flags) = 0;
    // The 16 x 16 icon the file itself carries: a program's first icon group, else the
    // shell's icon for that very file (a shortcut's target). Reads the file; an empty
    // picture when it cannot be read.
    virtual Picture OwnIcon(const std::string& path) = 0;
    // Starts a command line in `directory` without waiting for it; false when it could not
    // be started. A process keeps its working folder's drive in use while it runs.
    virtual bool StartProcess(const std::string& commandLine, int showCommand,
                              const std::string& directory) = 0;
    // The system's own folder ("C:\Windows\System32"), on no drive we may want to remove.
    virtual std::string SystemFolder() = 0;
    // Nothing for a shortcut that cannot be read or names no file (a shell object).
    virtual std::optional<ShortcutTarget> ReadShortcut(const std::string& path) = 0;
};

}  // namespace platform
